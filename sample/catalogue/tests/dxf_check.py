"""Opens every DXF file given on the command line with ezdxf, as another CAD
program would, and prints one JSON line per file: the DXF version, units,
audit errors and fixes, entity counts, the colour and line weight of each layer
and of the entities, and the extents of each layer."""
import json
import sys

import ezdxf
from ezdxf import bbox


def check(path):
    result = {"file": path}
    try:
        doc = ezdxf.readfile(path)
    except Exception as e:  # a file that does not open is the finding
        result["error"] = "%s: %s" % (type(e).__name__, e)
        return result
    auditor = doc.audit()
    msp = doc.modelspace()
    result["version"] = doc.dxfversion
    result["units"] = doc.header.get("$INSUNITS", 0)
    result["audit_errors"] = len(auditor.errors)
    result["audit_fixes"] = len(auditor.fixes)
    counts = {}
    layers = {}
    for e in msp:
        counts[e.dxftype()] = counts.get(e.dxftype(), 0) + 1
        layers.setdefault(e.dxf.layer, []).append(e)
    result["entities"] = counts
    result["layers"] = sorted(layer.dxf.name for layer in doc.layers)
    result["layer_styles"] = {l.dxf.name: [l.dxf.color, l.dxf.lineweight] for l in doc.layers}
    result["entity_styles"] = sorted({"%d %d" % (e.dxf.color, e.dxf.lineweight) for e in msp})
    extents = {}
    for name, entities in layers.items():
        shapes = [e for e in entities if e.dxftype() != "TEXT"]
        if not shapes:
            continue
        box = bbox.extents(shapes)
        extents[name] = [box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y]
    result["extents"] = extents
    result["texts"] = [e.dxf.text for e in msp if e.dxftype() == "TEXT"]
    return result


for path in sys.argv[1:]:
    print(json.dumps(check(path)))
