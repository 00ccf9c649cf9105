// Reads arbitrary bytes as a DXF drawing. A file that reads must hold no
// number that is not finite, and must write and read back with the same blocks,
// entities, attributes and handles; anything else must be a DxfError.
#include "DxfError.h"
#include "DxfReader.h"
#include "DxfWriter.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Says which check failed before the fuzzer records the input.
void require(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "check failed at line %d\n", line);
        std::abort();
    }
}

void finite(const DxfPoint& p)
{
    require(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
}

void check(const QVector<DxfEntity>& entities)
{
    for (const DxfEntity& e : entities) {
        for (const DxfPoint& p : e.points)
            finite(p);
        require(std::isfinite(e.radius) && std::isfinite(e.height) && std::isfinite(e.rotation));
        require(std::isfinite(e.xScale) && std::isfinite(e.yScale) && std::isfinite(e.zScale));
        for (const DxfAttribute& a : e.attributes)
            finite(a.position);
    }
}

void same(const QVector<DxfEntity>& a, const QVector<DxfEntity>& b)
{
    require(a.size() == b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        require(a[i].kind == b[i].kind);
        require(a[i].handle == 0 || a[i].handle == b[i].handle);
        require(a[i].attributes.size() == b[i].attributes.size());
        if (a[i].text != b[i].text)
            std::fprintf(stderr, "text \"%s\" came back as \"%s\"\n", qPrintable(a[i].text),
                         qPrintable(b[i].text));
        require(a[i].text == b[i].text && a[i].blockName == b[i].blockName);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    DxfDrawing d;
    try {
        d = DxfReader::read(input);
    } catch (const DxfError&) {
        return 0;
    }
    check(d.entities);
    for (const DxfBlock& b : d.blocks) {
        finite(b.origin);
        check(b.entities);
    }
    const DxfDrawing again = DxfReader::read(DxfWriter::write(d));
    require(again.blocks.size() == d.blocks.size());
    same(d.entities, again.entities);
    for (qsizetype i = 0; i < d.blocks.size(); ++i)
        same(d.blocks[i].entities, again.blocks[i].entities);
    return 0;
}
