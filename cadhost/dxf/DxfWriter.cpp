#include "DxfWriter.h"

#include "DxfError.h"
#include "DxfGroupWriter.h"

#include <QSaveFile>
#include <QSet>

namespace {

// Handles of the tables, records, dictionaries and layouts are given out anew on
// every write, avoiding the handles the drawing's own objects keep.
class HandleAllocator
{
public:
    explicit HandleAllocator(const DxfDrawing& d)
    {
        auto take = [this](std::uint64_t h) {
            if (h)
                m_used.insert(h);
        };
        auto entities = [&](const QVector<DxfEntity>& list) {
            for (const DxfEntity& e : list) {
                take(e.handle);
                for (const DxfAttribute& a : e.attributes)
                    take(a.handle);
            }
        };
        entities(d.entities);
        for (const DxfBlock& b : d.blocks) {
            take(b.handle);
            entities(b.entities);
        }
        m_highest = d.highestHandle();
    }
    std::uint64_t next()
    {
        while (m_used.contains(m_next))
            ++m_next;
        m_highest = std::max(m_highest, m_next);
        return m_next++;
    }
    std::uint64_t orNext(std::uint64_t h) { return h ? h : next(); }
    std::uint64_t highest() const { return m_highest; }

private:
    QSet<std::uint64_t> m_used;
    std::uint64_t m_next = 1;
    std::uint64_t m_highest = 0;
};

class Writer
{
public:
    explicit Writer(const DxfDrawing& d) : m_d(d), m_handles(d) {}
    QByteArray run();

private:
    void tables();
    void standardTables();
    void blockRecords();
    void tableHead(const char* name, std::uint64_t handle, int count);
    void recordHead(const char* type, std::uint64_t table, const char* subclass);
    void layers(std::uint64_t table);
    void blocks();
    void block(const QString& name, const DxfPoint& origin, std::uint64_t record,
               const QVector<DxfEntity>* entities, bool attributes);
    void entity(const DxfEntity& e, std::uint64_t owner);
    void insert(const DxfEntity& e, std::uint64_t handle, std::uint64_t owner);
    void entityHead(const char* type, std::uint64_t handle, std::uint64_t owner,
                    const QString& layer, int colour, int lineweight);
    void textBody(const DxfPoint& p, double height, const QString& text, double rotation,
                  int hAlign, const DxfPoint& align, bool hasAlign);
    void attribute(const DxfAttribute& a, std::uint64_t owner);
    void objects();
    void layout(std::uint64_t handle, std::uint64_t owner, const char* name, int tab,
                std::uint64_t record);
    QByteArray header();

    const DxfDrawing& m_d;
    HandleAllocator m_handles;
    DxfGroupWriter m_w;
    std::uint64_t m_modelRecord = 0, m_paperRecord = 0;
    std::uint64_t m_modelLayout = 0, m_paperLayout = 0;
    std::uint64_t m_rootDict = 0;
    QVector<std::uint64_t> m_blockRecords;
};

QByteArray Writer::run()
{
    m_rootDict = m_handles.next();
    m_modelRecord = m_handles.next();
    m_paperRecord = m_handles.next();
    m_modelLayout = m_handles.next();
    m_paperLayout = m_handles.next();
    for (const DxfBlock& b : m_d.blocks)
        m_blockRecords.append(m_handles.orNext(b.handle));
    m_w.ascii(0, "SECTION");
    m_w.ascii(2, "CLASSES");
    m_w.ascii(0, "ENDSEC");
    tables();
    blocks();
    m_w.ascii(0, "SECTION");
    m_w.ascii(2, "ENTITIES");
    for (const DxfEntity& e : m_d.entities)
        entity(e, m_modelRecord);
    m_w.ascii(0, "ENDSEC");
    objects();
    m_w.ascii(0, "EOF");
    QByteArray out = header();
    out += m_w.data();
    return out;
}

QByteArray Writer::header()
{
    DxfGroupWriter h;
    h.ascii(0, "SECTION");
    h.ascii(2, "HEADER");
    h.ascii(9, "$ACADVER");
    h.ascii(1, "AC1015");
    h.ascii(9, "$DWGCODEPAGE");
    h.ascii(3, "ANSI_1250");
    h.ascii(9, "$INSBASE");
    h.point(10, 0, 0, 0);
    if (m_d.extents) {
        h.ascii(9, "$EXTMIN");
        h.point(10, m_d.extents->first.x, m_d.extents->first.y, m_d.extents->first.z);
        h.ascii(9, "$EXTMAX");
        h.point(10, m_d.extents->second.x, m_d.extents->second.y, m_d.extents->second.z);
    }
    h.ascii(9, "$CLAYER");
    h.ascii(8, "0");
    h.ascii(9, "$CELTYPE");
    h.text(6, m_d.currentLinetype.isEmpty() ? QStringLiteral("ByLayer") : m_d.currentLinetype);
    h.ascii(9, "$MEASUREMENT");
    h.integer(70, m_d.insunits == 1 || m_d.insunits == 2 ? 0 : 1);
    h.ascii(9, "$INSUNITS");
    h.integer(70, m_d.insunits);
    h.ascii(9, "$HANDSEED");
    h.handle(5, std::max(m_handles.highest() + 1, m_d.handseed));
    h.ascii(0, "ENDSEC");
    return h.data();
}

void Writer::tableHead(const char* name, std::uint64_t handle, int count)
{
    m_w.ascii(0, "TABLE");
    m_w.ascii(2, name);
    m_w.handle(5, handle);
    m_w.ascii(330, "0");
    m_w.ascii(100, "AcDbSymbolTable");
    m_w.integer(70, count);
}

void Writer::recordHead(const char* type, std::uint64_t table, const char* subclass)
{
    m_w.ascii(0, type);
    m_w.handle(5, m_handles.next());
    m_w.handle(330, table);
    m_w.ascii(100, "AcDbSymbolTableRecord");
    m_w.ascii(100, subclass);
}

void Writer::tables()
{
    m_w.ascii(0, "SECTION");
    m_w.ascii(2, "TABLES");
    standardTables();
    blockRecords();
    m_w.ascii(0, "ENDSEC");
}

void Writer::standardTables()
{
    std::uint64_t t = m_handles.next();
    tableHead("VPORT", t, 1);
    recordHead("VPORT", t, "AcDbViewportTableRecord");
    m_w.ascii(2, "*Active");
    m_w.integer(70, 0);
    m_w.point2(10, 0, 0);
    m_w.point2(11, 1, 1);
    m_w.point2(12, 0, 0);
    m_w.real(40, 1000);
    m_w.real(41, 1.34);
    m_w.ascii(0, "ENDTAB");

    t = m_handles.next();
    tableHead("LTYPE", t, 3);
    for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
        recordHead("LTYPE", t, "AcDbLinetypeTableRecord");
        m_w.ascii(2, name);
        m_w.integer(70, 0);
        m_w.ascii(3, name[0] == 'C' ? "Solid line" : "");
        m_w.integer(72, 65);
        m_w.integer(73, 0);
        m_w.real(40, 0);
    }
    m_w.ascii(0, "ENDTAB");

    layers(m_handles.next());

    t = m_handles.next();
    tableHead("STYLE", t, 1);
    recordHead("STYLE", t, "AcDbTextStyleTableRecord");
    m_w.ascii(2, "Standard");
    m_w.integer(70, 0);
    m_w.real(40, 0);
    m_w.real(41, 1);
    m_w.real(50, 0);
    m_w.integer(71, 0);
    m_w.real(42, 2.5);
    m_w.ascii(3, "txt");
    m_w.ascii(4, "");
    m_w.ascii(0, "ENDTAB");

    for (const char* empty : {"VIEW", "UCS"}) {
        tableHead(empty, m_handles.next(), 0);
        m_w.ascii(0, "ENDTAB");
    }

    t = m_handles.next();
    tableHead("APPID", t, 1);
    recordHead("APPID", t, "AcDbRegAppTableRecord");
    m_w.ascii(2, "ACAD");
    m_w.integer(70, 0);
    m_w.ascii(0, "ENDTAB");

    t = m_handles.next();
    tableHead("DIMSTYLE", t, 1);
    m_w.ascii(100, "AcDbDimStyleTable");
    m_w.ascii(0, "DIMSTYLE");
    m_w.handle(105, m_handles.next());
    m_w.handle(330, t);
    m_w.ascii(100, "AcDbSymbolTableRecord");
    m_w.ascii(100, "AcDbDimStyleTableRecord");
    m_w.ascii(2, "Standard");
    m_w.integer(70, 0);
    m_w.ascii(0, "ENDTAB");
}

void Writer::blockRecords()
{
    const std::uint64_t t = m_handles.next();
    tableHead("BLOCK_RECORD", t, int(m_d.blocks.size()) + 2);
    auto record = [&](std::uint64_t handle, const QString& name, std::uint64_t layout) {
        m_w.ascii(0, "BLOCK_RECORD");
        m_w.handle(5, handle);
        m_w.handle(330, t);
        m_w.ascii(100, "AcDbSymbolTableRecord");
        m_w.ascii(100, "AcDbBlockTableRecord");
        m_w.text(2, name);
        m_w.handle(340, layout);
    };
    record(m_modelRecord, QStringLiteral("*Model_Space"), m_modelLayout);
    record(m_paperRecord, QStringLiteral("*Paper_Space"), m_paperLayout);
    for (int i = 0; i < m_d.blocks.size(); ++i)
        record(m_blockRecords[i], m_d.blocks[i].name, 0);
    m_w.ascii(0, "ENDTAB");
}

void Writer::layers(std::uint64_t table)
{
    // Layer 0 first, then the drawing's layers, then any layer an entity names
    // that the table lacks (a reference to a missing layer is an error to readers).
    QVector<DxfLayer> list{DxfLayer{QStringLiteral("0")}};
    QSet<QString> names{QStringLiteral("0")};
    auto add = [&](const DxfLayer& l) {
        if (!l.name.isEmpty() && !names.contains(l.name.toUpper())) {
            names.insert(l.name.toUpper());
            list.append(l);
        }
    };
    for (const DxfLayer& l : m_d.layers) {
        if (l.name == u"0")
            list[0] = l;
        else
            add(l);
    }
    auto fromEntities = [&](const QVector<DxfEntity>& entities) {
        for (const DxfEntity& e : entities) {
            add(DxfLayer{e.layer});
            for (const DxfAttribute& a : e.attributes)
                add(DxfLayer{a.layer});
        }
    };
    fromEntities(m_d.entities);
    for (const DxfBlock& b : m_d.blocks)
        fromEntities(b.entities);

    tableHead("LAYER", table, int(list.size()));
    for (const DxfLayer& l : list) {
        recordHead("LAYER", table, "AcDbLayerTableRecord");
        m_w.text(2, l.name);
        m_w.integer(70, 0);
        m_w.integer(62, l.colour == 0 || l.colour > 255 || l.colour < -255 ? 7 : l.colour);
        // Only the solid line type is in the table; patterns are not kept.
        m_w.ascii(6, "Continuous");
        m_w.integer(370, l.lineweight);
    }
    m_w.ascii(0, "ENDTAB");
}

void Writer::blocks()
{
    m_w.ascii(0, "SECTION");
    m_w.ascii(2, "BLOCKS");
    block(QStringLiteral("*Model_Space"), {}, m_modelRecord, nullptr, false);
    block(QStringLiteral("*Paper_Space"), {}, m_paperRecord, nullptr, false);
    for (int i = 0; i < m_d.blocks.size(); ++i) {
        const DxfBlock& b = m_d.blocks[i];
        block(b.name, b.origin, m_blockRecords[i], &b.entities, b.hasAttributeDefinitions());
    }
    m_w.ascii(0, "ENDSEC");
}

void Writer::block(const QString& name, const DxfPoint& origin, std::uint64_t record,
                   const QVector<DxfEntity>* entities, bool attributes)
{
    m_w.ascii(0, "BLOCK");
    m_w.handle(5, m_handles.next());
    m_w.handle(330, record);
    m_w.ascii(100, "AcDbEntity");
    m_w.ascii(8, "0");
    m_w.ascii(100, "AcDbBlockBegin");
    m_w.text(2, name);
    // Flag 1: anonymous (a name starting with *); 2: it has attribute definitions.
    m_w.integer(70, (name.startsWith(u'*') && entities ? 1 : 0) | (attributes ? 2 : 0));
    m_w.point(10, origin.x, origin.y, origin.z);
    m_w.text(3, name);
    m_w.ascii(1, "");
    if (entities)
        for (const DxfEntity& e : *entities)
            entity(e, record);
    m_w.ascii(0, "ENDBLK");
    m_w.handle(5, m_handles.next());
    m_w.handle(330, record);
    m_w.ascii(100, "AcDbEntity");
    m_w.ascii(8, "0");
    m_w.ascii(100, "AcDbBlockEnd");
}

void Writer::entityHead(const char* type, std::uint64_t handle, std::uint64_t owner,
                        const QString& layer, int colour, int lineweight)
{
    m_w.ascii(0, type);
    m_w.handle(5, handle);
    m_w.handle(330, owner);
    m_w.ascii(100, "AcDbEntity");
    m_w.text(8, layer.isEmpty() ? QStringLiteral("0") : layer);
    if (colour >= 0 && colour <= 255)
        m_w.integer(62, colour);
    if (lineweight != -1 && lineweight >= -3 && lineweight <= 211)
        m_w.integer(370, lineweight);
}

void Writer::textBody(const DxfPoint& p, double height, const QString& text, double rotation,
                      int hAlign, const DxfPoint& align, bool hasAlign)
{
    m_w.ascii(100, "AcDbText");
    m_w.point(10, p.x, p.y, p.z);
    m_w.real(40, height);
    m_w.text(1, text);
    if (rotation != 0)
        m_w.real(50, rotation);
    if (hAlign > 0 && hAlign <= 5)
        m_w.integer(72, hAlign);
    if (hasAlign)
        m_w.point(11, align.x, align.y, align.z);
}

void Writer::entity(const DxfEntity& e, std::uint64_t owner)
{
    const std::uint64_t handle = m_handles.orNext(e.handle);
    const bool aligned = (e.hAlign > 0 && e.hAlign <= 5) || (e.vAlign > 0 && e.vAlign <= 3);
    switch (e.kind) {
    case DxfEntityKind::Line: {
        entityHead("LINE", handle, owner, e.layer, e.colour, e.lineweight);
        m_w.ascii(100, "AcDbLine");
        const DxfPoint a = e.points.value(0), b = e.points.value(1);
        m_w.point(10, a.x, a.y, a.z);
        m_w.point(11, b.x, b.y, b.z);
        break;
    }
    case DxfEntityKind::Polyline:
        entityHead("LWPOLYLINE", handle, owner, e.layer, e.colour, e.lineweight);
        m_w.ascii(100, "AcDbPolyline");
        m_w.integer(90, e.points.size());
        m_w.integer(70, e.closed ? 1 : 0);
        if (e.position().z != 0)
            m_w.real(38, e.position().z);
        for (const DxfPoint& p : e.points)
            m_w.point2(10, p.x, p.y);
        break;
    case DxfEntityKind::Circle:
    case DxfEntityKind::Arc: {
        const bool arc = e.kind == DxfEntityKind::Arc;
        entityHead(arc ? "ARC" : "CIRCLE", handle, owner, e.layer, e.colour, e.lineweight);
        m_w.ascii(100, "AcDbCircle");
        const DxfPoint c = e.position();
        m_w.point(10, c.x, c.y, c.z);
        m_w.real(40, e.radius);
        if (arc) {
            m_w.ascii(100, "AcDbArc");
            m_w.real(50, e.startAngle);
            m_w.real(51, e.endAngle);
        }
        break;
    }
    case DxfEntityKind::Text:
        entityHead("TEXT", handle, owner, e.layer, e.colour, e.lineweight);
        textBody(e.position(), e.height, e.text, e.rotation, e.hAlign, e.alignPoint, aligned);
        m_w.ascii(100, "AcDbText");
        if (e.vAlign > 0 && e.vAlign <= 3)
            m_w.integer(73, e.vAlign);
        break;
    case DxfEntityKind::AttributeDefinition:
        entityHead("ATTDEF", handle, owner, e.layer, e.colour, e.lineweight);
        textBody(e.position(), e.height, e.text, e.rotation, e.hAlign, e.alignPoint, aligned);
        m_w.ascii(100, "AcDbAttributeDefinition");
        m_w.text(3, e.prompt);
        m_w.text(2, e.tag);
        m_w.integer(70, e.flags & 15);
        if (e.vAlign > 0 && e.vAlign <= 3)
            m_w.integer(74, e.vAlign);
        break;
    case DxfEntityKind::Insert:
        insert(e, handle, owner);
        break;
    }
}

void Writer::insert(const DxfEntity& e, std::uint64_t handle, std::uint64_t owner)
{
    entityHead("INSERT", handle, owner, e.layer, e.colour, e.lineweight);
    m_w.ascii(100, "AcDbBlockReference");
    if (!e.attributes.isEmpty())
        m_w.integer(66, 1);
    m_w.text(2, e.blockName);
    const DxfPoint p = e.position();
    m_w.point(10, p.x, p.y, p.z);
    if (e.xScale != 1)
        m_w.real(41, e.xScale);
    if (e.yScale != 1)
        m_w.real(42, e.yScale);
    if (e.zScale != 1)
        m_w.real(43, e.zScale);
    if (e.rotation != 0)
        m_w.real(50, e.rotation);
    if (!e.attributes.isEmpty()) {
        for (const DxfAttribute& a : e.attributes)
            attribute(a, handle);
        // The end of the attribute list, owned by the reference.
        entityHead("SEQEND", m_handles.next(), handle, e.layer, 256, -1);
    }
}

void Writer::attribute(const DxfAttribute& a, std::uint64_t owner)
{
    entityHead("ATTRIB", m_handles.orNext(a.handle), owner, a.layer, 256, -1);
    textBody(a.position, a.height, a.text, a.rotation, 0, {}, false);
    m_w.ascii(100, "AcDbAttribute");
    m_w.text(2, a.tag);
    m_w.integer(70, a.flags & 15);
}

void Writer::objects()
{
    const std::uint64_t groups = m_handles.next();
    const std::uint64_t layouts = m_handles.next();
    m_w.ascii(0, "SECTION");
    m_w.ascii(2, "OBJECTS");
    auto dictionary = [&](std::uint64_t handle, std::uint64_t owner) {
        m_w.ascii(0, "DICTIONARY");
        m_w.handle(5, handle);
        m_w.handle(330, owner);
        m_w.ascii(100, "AcDbDictionary");
        m_w.integer(281, 1);
    };
    dictionary(m_rootDict, 0);
    m_w.ascii(3, "ACAD_GROUP");
    m_w.handle(350, groups);
    m_w.ascii(3, "ACAD_LAYOUT");
    m_w.handle(350, layouts);
    dictionary(groups, m_rootDict);
    dictionary(layouts, m_rootDict);
    m_w.ascii(3, "Model");
    m_w.handle(350, m_modelLayout);
    m_w.ascii(3, "Layout1");
    m_w.handle(350, m_paperLayout);
    layout(m_modelLayout, layouts, "Model", 0, m_modelRecord);
    layout(m_paperLayout, layouts, "Layout1", 1, m_paperRecord);
    m_w.ascii(0, "ENDSEC");
}

void Writer::layout(std::uint64_t handle, std::uint64_t owner, const char* name, int tab,
                    std::uint64_t record)
{
    m_w.ascii(0, "LAYOUT");
    m_w.handle(5, handle);
    m_w.handle(330, owner);
    m_w.ascii(100, "AcDbPlotSettings");
    m_w.ascii(1, "");
    m_w.ascii(2, "none_device");
    m_w.ascii(4, "ISO_A3_(420.00_x_297.00_MM)");
    m_w.ascii(6, "");
    m_w.real(40, 7.5);
    m_w.real(41, 20);
    m_w.real(42, 7.5);
    m_w.real(43, 20);
    m_w.real(44, 420);
    m_w.real(45, 297);
    m_w.point2(46, 0, 0);
    m_w.point2(48, 0, 0);
    m_w.real(140, 0);
    m_w.real(141, 0);
    m_w.real(142, 1);
    m_w.real(143, 1);
    m_w.integer(70, tab == 0 ? 1024 : 0);
    m_w.integer(72, 1);
    m_w.integer(73, 1);
    m_w.integer(74, 5);
    m_w.ascii(7, "");
    m_w.integer(75, 16);
    m_w.integer(76, 0);
    m_w.integer(77, 2);
    m_w.integer(78, 300);
    m_w.real(147, 1);
    m_w.real(148, 0);
    m_w.real(149, 0);
    m_w.ascii(100, "AcDbLayout");
    m_w.ascii(1, name);
    m_w.integer(70, 1);
    m_w.integer(71, tab);
    m_w.point2(10, 0, 0);
    m_w.point2(11, 420, 297);
    m_w.point(12, 0, 0, 0);
    m_w.point(14, 1e20, 1e20, 1e20);
    m_w.point(15, -1e20, -1e20, -1e20);
    m_w.real(146, 0);
    m_w.point(13, 0, 0, 0);
    m_w.point(16, 1, 0, 0);
    m_w.point(17, 0, 1, 0);
    m_w.integer(76, 1);
    m_w.handle(330, record);
}

} // namespace

QByteArray DxfWriter::write(const DxfDrawing& drawing)
{
    return Writer(drawing).run();
}

void DxfWriter::writeFile(const DxfDrawing& drawing, const QString& path)
{
    const QByteArray data = write(drawing);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw DxfError(QStringLiteral("The drawing cannot be written to %1: %2")
                           .arg(path, file.errorString()));
}
