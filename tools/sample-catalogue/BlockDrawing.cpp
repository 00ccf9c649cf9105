#include "BlockDrawing.h"

#include <QFile>
#include <QLineF>

#include "DxfError.h"
#include "DxfWriter.h"

#include <cmath>

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

DxfEntity entity(DxfEntityKind kind, const QString& layer)
{
    DxfEntity e;
    e.kind = kind;
    e.layer = layer;
    return e;
}

DxfPoint point(QPointF p)
{
    return {p.x(), p.y(), 0};
}

} // namespace

DxfDrawing BlockDrawing::toDxf() const
{
    DxfDrawing d;
    d.insunits = m_units;
    // Thin default line weights and colours that show on light and dark canvases:
    // programs that draw line weights in drawing units would turn a symbol a few
    // units wide into a blob.
    d.layers = {DxfLayer{QStringLiteral("0"), 7, -3},
                DxfLayer{QString::fromLatin1(OutlineLayer), 7, -3},
                DxfLayer{QString::fromLatin1(DimensionLayer), 3, -3},
                DxfLayer{QString::fromLatin1(SymbolLayer), 7, -3}};
    for (const Line& l : m_lines) {
        DxfEntity e = entity(DxfEntityKind::Line, l.layer);
        e.points = {point(l.a), point(l.b)};
        d.entities << e;
    }
    for (const Circle& c : m_circles) {
        DxfEntity e = entity(DxfEntityKind::Circle, c.layer);
        e.points = {point(c.centre)};
        e.radius = c.radius;
        d.entities << e;
    }
    for (const Arc& a : m_arcs) {
        DxfEntity e = entity(DxfEntityKind::Arc, a.layer);
        e.points = {point(a.centre)};
        e.radius = a.radius;
        e.startAngle = a.startDegrees;
        e.endAngle = a.endDegrees;
        d.entities << e;
    }
    for (const Text& t : m_texts) {
        // Centred on the base line: the alignment point carries the position.
        DxfEntity e = entity(DxfEntityKind::Text, t.layer);
        e.points = {point(t.position)};
        e.alignPoint = point(t.position);
        e.hAlign = 1;
        e.height = t.height;
        e.rotation = t.angleDegrees;
        e.text = t.text;
        d.entities << e;
    }
    const QRectF box = extents();
    d.extents = std::pair{DxfPoint{box.left(), box.top(), 0}, DxfPoint{box.right(), box.bottom(), 0}};
    return d;
}

bool BlockDrawing::writeDxf(const QString& path) const
{
    try {
        DxfWriter::writeFile(toDxf(), path);
        return true;
    } catch (const DxfError&) {
        return false;
    }
}
