"""Reads DXF files with ezdxf, as another CAD program would, and prints one JSON
line per file: version, audit errors and fixes, layers, block definitions with
their attribute definitions, model space entities with their attributes and
handles, and what raw_check finds in the file as written."""
import json
import sys

import ezdxf


def entity(e):
    d = {"type": e.dxftype(), "handle": e.dxf.handle, "layer": e.dxf.layer}
    if e.dxf.hasattr("color"):
        d["colour"] = e.dxf.color
    if e.dxf.hasattr("lineweight"):
        d["lineweight"] = e.dxf.lineweight
    if e.dxftype() == "INSERT":
        d["name"] = e.dxf.name
        d["insert"] = list(e.dxf.insert)[:3]
        d["attribs_follow"] = e.dxf.get("attribs_follow", 0)
        d["attribs"] = [{"tag": a.dxf.tag, "text": a.dxf.text, "flags": a.dxf.flags,
                         "handle": a.dxf.handle, } for a in e.attribs]
    if e.dxftype() == "ATTDEF":
        d.update(tag=e.dxf.tag, prompt=e.dxf.prompt, text=e.dxf.text, flags=e.dxf.flags)
    if e.dxftype() == "TEXT":
        d["text"] = e.dxf.text
    return d


def raw_check(path):
    """Checks the file as written, before the library repairs anything: every
    owner (330) names a handle of the file, $HANDSEED lies above every handle,
    and every attribute list of a reference ends with a SEQEND."""
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").splitlines()
    pairs = [(int(lines[i].strip()), lines[i + 1].strip()) for i in range(0, len(lines) - 1, 2)]
    handles, owners, seed, section = set(), [], 0, None
    for i, (code, value) in enumerate(pairs):
        if code == 2 and i > 0 and pairs[i - 1] == (0, "SECTION"):
            section = value
        if code in (5, 105) and section != "HEADER":
            handles.add(int(value, 16))
        elif code == 330:
            owners.append(value)
        elif code == 9 and value == "$HANDSEED":
            seed = int(pairs[i + 1][1], 16)
    unclosed = 0
    for i, (code, value) in enumerate(pairs):
        if code == 0 and value == "ATTRIB":
            j = i + 1
            while j < len(pairs) and pairs[j][0] != 0:
                j += 1
            if j >= len(pairs) or pairs[j][1] not in ("ATTRIB", "SEQEND"):
                unclosed += 1
    return {
        "dangling_owners": sorted({o for o in owners if o != "0" and int(o, 16) not in handles}),
        "handseed_above_handles": all(h < seed for h in handles),
        "unclosed_attribute_lists": unclosed,
    }


def check(path):
    result = {"file": path}
    try:
        doc = ezdxf.readfile(path)
    except Exception as e:  # a file that does not open is the finding
        result["error"] = "%s: %s" % (type(e).__name__, e)
        return result
    auditor = doc.audit()
    result["version"] = doc.dxfversion
    result["audit_errors"] = [str(x) for x in auditor.errors]
    result["audit_fixes"] = [str(x) for x in auditor.fixes]
    result["layers"] = {l.dxf.name: {"colour": l.dxf.color, "lineweight": l.dxf.lineweight}
                        for l in doc.layers}
    blocks = {}
    for b in doc.blocks:
        if b.name.lower() in ("*model_space", "*paper_space"):
            continue
        blocks[b.name] = {"flags": b.block.dxf.flags, "entities": [entity(e) for e in b]}
    result["blocks"] = blocks
    result["modelspace"] = [entity(e) for e in doc.modelspace()]
    result.update(raw_check(path))
    return result


for path in sys.argv[1:]:
    print(json.dumps(check(path)))
