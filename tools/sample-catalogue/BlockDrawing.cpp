#include "BlockDrawing.h"

#include <QFile>
#include <QLineF>

#include <dl_attributes.h>
#include <dl_codes.h>
#include <dl_dxf.h>
#include <dl_entities.h>
#include <dl_writer_ascii.h>

#include <cmath>
#include <memory>

void BlockDrawing::rect(const QString& layer, const QRectF& r)
{
    line(layer, r.topLeft(), r.topRight());
    line(layer, r.topRight(), r.bottomRight());
    line(layer, r.bottomRight(), r.bottomLeft());
    line(layer, r.bottomLeft(), r.topLeft());
}

void BlockDrawing::ellipse(const QString& layer, QPointF c, double rx, double ry)
{
    constexpr int Segments = 32;
    QPointF previous(c.x() + rx, c.y());
    for (int i = 1; i <= Segments; ++i) {
        const double t = 2 * M_PI * i / Segments;
        const QPointF next(c.x() + rx * std::cos(t), c.y() + ry * std::sin(t));
        line(layer, previous, next);
        previous = next;
    }
}

void BlockDrawing::dashed(const QString& layer, QPointF a, QPointF b, double dash)
{
    const QLineF whole(a, b);
    const double length = whole.length();
    for (double s = 0; s < length; s += 2 * dash)
        line(layer, whole.pointAt(s / length), whole.pointAt(std::min(s + dash, length) / length));
}

void BlockDrawing::dimension(QPointF a, QPointF b, double offset, double textHeight)
{
    const QLineF base(a, b);
    const QLineF normal = base.normalVector().unitVector();
    const QPointF n = (normal.p2() - normal.p1());
    const QPointF da = a + n * offset, db = b + n * offset;
    const QString layer = QString::fromLatin1(DimensionLayer);
    const double gap = textHeight * 0.4;
    line(layer, a + n * gap * (offset > 0 ? 1 : -1), da + n * gap * (offset > 0 ? 1 : -1));
    line(layer, b + n * gap * (offset > 0 ? 1 : -1), db + n * gap * (offset > 0 ? 1 : -1));
    line(layer, da, db);
    // Closed arrowheads at both ends, drawn as lines.
    const QLineF dim(da, db);
    const QPointF u = (dim.unitVector().p2() - dim.unitVector().p1());
    const double head = textHeight * 0.9;
    for (const auto& [tip, dir] : {std::pair{da, u}, std::pair{db, -u}}) {
        const QPointF back = tip + dir * head;
        const QPointF side = n * head * 0.3;
        line(layer, tip, back + side);
        line(layer, tip, back - side);
        line(layer, back + side, back - side);
    }
    const double value = base.length();
    QString label = QString::number(value, 'f', 1);
    if (label.endsWith(QLatin1String(".0")))
        label.chop(2);
    // Readable from below or from the right; the text sits on the side its
    // letters grow towards, clear of the dimension line.
    double angle = std::atan2(b.y() - a.y(), b.x() - a.x()) * 180.0 / M_PI;
    if (angle > 90.5 || angle < -89.5)
        angle += 180;
    const double rad = angle * M_PI / 180.0;
    const QPointF up(-std::sin(rad), std::cos(rad));
    text(layer, (da + db) / 2 + up * textHeight * 0.4, textHeight, label, angle);
}

QRectF BlockDrawing::extents(const QString& layer) const
{
    QRectF box;
    bool any = false;
    auto add = [&](const QRectF& r) {
        box = any ? box.united(r) : r;
        any = true;
    };
    for (const Line& l : m_lines)
        if (layer.isEmpty() || l.layer == layer)
            add(QRectF(l.a, l.b).normalized());
    for (const Circle& c : m_circles)
        if (layer.isEmpty() || c.layer == layer)
            add(QRectF(c.centre.x() - c.radius, c.centre.y() - c.radius, 2 * c.radius,
                       2 * c.radius));
    for (const Arc& c : m_arcs)
        if (layer.isEmpty() || c.layer == layer)
            add(QRectF(c.centre.x() - c.radius, c.centre.y() - c.radius, 2 * c.radius,
                       2 * c.radius));
    return box;
}

namespace {

DL_Attributes attributes(const QString& layer)
{
    return DL_Attributes(layer.toStdString(), 256, -1, "BYLAYER", 1.0);
}

void writeTables(DL_Dxf& dxf, DL_WriterA& dw)
{
    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw.tableEnd();
    dw.tableLayers(4);
    const std::pair<const char*, int> layers[] = {{"0", DL_Codes::black},
                                                  {BlockDrawing::OutlineLayer, DL_Codes::black},
                                                  {BlockDrawing::DimensionLayer, DL_Codes::green},
                                                  {BlockDrawing::SymbolLayer, DL_Codes::black}};
    for (const auto& [name, colour] : layers)
        dxf.writeLayer(dw, DL_LayerData(name, 0),
                       DL_Attributes(std::string(), colour, 100, "CONTINUOUS", 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 2.5, 1.25, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();
    dw.sectionBlocks();
    dxf.writeBlock(dw, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, "*Model_Space");
    dxf.writeBlock(dw, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, "*Paper_Space");
    dxf.writeBlock(dw, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, "*Paper_Space0");
    dw.sectionEnd();
}

} // namespace

bool BlockDrawing::writeDxf(const QString& path) const
{
    DL_Dxf dxf;
    const QByteArray file = QFile::encodeName(path);
    std::unique_ptr<DL_WriterA> dw(dxf.out(file.constData(), DL_Codes::AC1015));
    if (!dw || dw->openFailed())
        return false;
    dxf.writeHeader(*dw);
    // Declared units, so that inserting programs scale correctly.
    dw->dxfString(9, "$INSUNITS");
    dw->dxfInt(70, m_units);
    dw->dxfString(9, "$MEASUREMENT");
    dw->dxfInt(70, 1);
    const QRectF box = extents();
    dw->dxfString(9, "$EXTMIN");
    dw->dxfReal(10, box.left());
    dw->dxfReal(20, box.top());
    dw->dxfReal(30, 0.0);
    dw->dxfString(9, "$EXTMAX");
    dw->dxfReal(10, box.right());
    dw->dxfReal(20, box.bottom());
    dw->dxfReal(30, 0.0);
    dw->sectionEnd();
    writeTables(dxf, *dw);

    dw->sectionEntities();
    for (const Line& l : m_lines)
        dxf.writeLine(*dw, DL_LineData(l.a.x(), l.a.y(), 0.0, l.b.x(), l.b.y(), 0.0),
                      attributes(l.layer));
    for (const Circle& c : m_circles)
        dxf.writeCircle(*dw, DL_CircleData(c.centre.x(), c.centre.y(), 0.0, c.radius),
                        attributes(c.layer));
    for (const Arc& a : m_arcs)
        dxf.writeArc(
            *dw,
            DL_ArcData(a.centre.x(), a.centre.y(), 0.0, a.radius, a.startDegrees, a.endDegrees),
            attributes(a.layer));
    for (const Text& t : m_texts) {
        // Centred on the base line: horizontal justification 1, vertical 0, so
        // the alignment point carries the position.
        dxf.writeText(*dw,
                      DL_TextData(t.position.x(), t.position.y(), 0.0, t.position.x(),
                                  t.position.y(), 0.0, t.height, 1.0, 0, 1, 0, t.text.toStdString(),
                                  "standard", t.angleDegrees * M_PI / 180.0),
                      attributes(t.layer));
    }
    dw->sectionEnd();
    dxf.writeObjects(*dw);
    dxf.writeObjectsEnd(*dw);
    dw->dxfEOF();
    dw->close();
    return QFile(path).size() > 0;
}
