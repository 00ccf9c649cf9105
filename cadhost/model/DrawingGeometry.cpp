#include "DrawingGeometry.h"

#include "DrawingContent.h"

#include <QTransform>

#include <cmath>

namespace {

QPointF pt(const DxfPoint& p)
{
    return {p.x, p.y};
}

QPolygonF arc(const QPointF& c, double r, double from, double to, bool full, const QTransform& t)
{
    if (full) {
        from = 0;
        to = 360;
    }
    while (to <= from)
        to += 360;
    const int segments = std::clamp(int((to - from) / 6), 4, 64);
    QPolygonF p;
    for (int i = 0; i <= segments; ++i) {
        const double a = (from + (to - from) * i / segments) * M_PI / 180.0;
        p << t.map(QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a)));
    }
    return p;
}

DrawingGeometry::Text text(const DxfPoint& at, const DxfPoint& align, int hAlign, int vAlign,
                           double height, double rotation, const QString& s, const QTransform& t)
{
    // Aligned texts hang on their alignment point.
    const bool aligned = hAlign > 0 || vAlign > 0;
    const QPointF p = t.map(pt(aligned ? align : at));
    const double scale = std::sqrt(std::fabs(t.determinant()));
    const double turn = std::atan2(t.m12(), t.m11()) * 180.0 / M_PI;
    return {p, height * scale, rotation + turn, s, std::clamp(hAlign == 4 ? 1 : hAlign, 0, 2)};
}

QRectF textBounds(const DrawingGeometry::Text& t)
{
    const double w = t.height * 0.7 * std::max<qsizetype>(1, t.text.size());
    const double x = t.hAlign == 1 ? -w / 2 : (t.hAlign == 2 ? -w : 0);
    QTransform r;
    r.translate(t.position.x(), t.position.y());
    r.rotate(t.rotation);
    return r.mapRect(QRectF(x, 0, w, t.height));
}

} // namespace

void DrawingGeometry::add(const DrawingContent& content, const DxfEntity& e, const QTransform& t,
                          int depth, QVector<int>& path, Item& out)
{
    switch (e.kind) {
    case DxfEntityKind::Line:
    case DxfEntityKind::Polyline: {
        QPolygonF p;
        for (const DxfPoint& v : e.points)
            p << t.map(pt(v));
        if (e.closed && !p.isEmpty())
            p << p.first();
        out.paths.append(p);
        break;
    }
    case DxfEntityKind::Circle:
    case DxfEntityKind::Arc:
        out.paths.append(arc(pt(e.position()), e.radius, e.startAngle, e.endAngle,
                             e.kind == DxfEntityKind::Circle, t));
        break;
    case DxfEntityKind::Text:
        out.texts.append(text(e.position(), e.alignPoint, e.hAlign, e.vAlign, e.height,
                              e.rotation, e.text, t));
        break;
    case DxfEntityKind::AttributeDefinition:
        if (depth == 0) // inside a block only its references' attributes show
            out.texts.append(text(e.position(), e.alignPoint, e.hAlign, e.vAlign, e.height,
                                  e.rotation, e.tag, t));
        break;
    case DxfEntityKind::Insert: {
        const int b = content.blockIndex(e.blockName);
        if (b < 0 || depth >= MaxNesting || path.contains(b))
            break;
        const DrawingContent::Block& block = content.blocks()[b];
        QTransform local;
        local.translate(e.position().x, e.position().y);
        local.rotate(e.rotation);
        local.scale(e.xScale, e.yScale);
        local.translate(-block.origin.x, -block.origin.y);
        const QTransform total = local * t;
        path.append(b);
        for (const DrawingContent::Entity& inner : block.entities)
            if (!inner.erased)
                add(content, inner.dxf, total, depth + 1, path, out);
        path.removeLast();
        for (const DxfAttribute& a : e.attributes)
            if (!a.invisible())
                out.texts.append(text(a.position, {}, 0, 0, a.height, a.rotation, a.text, t));
        break;
    }
    }
}

QVector<DrawingGeometry::Item> DrawingGeometry::build(const DrawingContent& content)
{
    QVector<Item> items;
    items.reserve(content.modelCount());
    QVector<int> path;
    for (const DrawingContent::Entity& e : content.modelSpace()) {
        if (e.erased)
            continue;
        Item item;
        item.id = e.id;
        add(content, e.dxf, QTransform(), 0, path, item);
        QRectF box;
        for (const QPolygonF& p : item.paths)
            box = box.isNull() ? p.boundingRect() : box.united(p.boundingRect());
        for (const Text& t : item.texts)
            box = box.isNull() ? textBounds(t) : box.united(textBounds(t));
        item.bounds = box;
        items.append(std::move(item));
    }
    return items;
}

QRectF DrawingGeometry::extents(const QVector<Item>& items)
{
    QRectF box;
    for (const Item& i : items)
        if (!i.bounds.isNull())
            box = box.isNull() ? i.bounds : box.united(i.bounds);
    return box;
}

namespace {

double segmentDistance(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    const double s = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
    const QPointF q = a + d * s - p;
    return std::hypot(q.x(), q.y());
}

} // namespace

qint64 DrawingGeometry::hit(const QVector<Item>& items, const QPointF& point, double tolerance)
{
    qint64 best = 0;
    double bestDistance = tolerance;
    for (const Item& i : items) {
        if (!i.bounds.adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(point))
            continue;
        double d = tolerance * 2;
        for (const QPolygonF& p : i.paths)
            for (int k = 1; k < p.size(); ++k)
                d = std::min(d, segmentDistance(point, p[k - 1], p[k]));
        for (const Text& t : i.texts)
            if (textBounds(t).contains(point))
                d = 0;
        if (d <= bestDistance) {
            bestDistance = d;
            best = i.id;
        }
    }
    return best;
}
