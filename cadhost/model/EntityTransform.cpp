#include "EntityTransform.h"

#include <cmath>

EntityTransform::EntityTransform(const DxfPoint& origin, const DxfPoint& insertion, double xScale,
                                 double yScale, double zScale, double rotationDegrees)
    : m_origin(origin), m_insertion(insertion), m_xs(xScale), m_ys(yScale), m_zs(zScale),
      m_rotation(rotationDegrees)
{
    const double r = rotationDegrees * M_PI / 180.0;
    m_cos = std::cos(r);
    m_sin = std::sin(r);
}

DxfPoint EntityTransform::map(const DxfPoint& p) const
{
    const double x = (p.x - m_origin.x) * m_xs;
    const double y = (p.y - m_origin.y) * m_ys;
    return {m_insertion.x + x * m_cos - y * m_sin, m_insertion.y + x * m_sin + y * m_cos,
            m_insertion.z + (p.z - m_origin.z) * m_zs};
}

bool EntityTransform::isUniform() const
{
    return std::fabs(std::fabs(m_xs) - std::fabs(m_ys)) <= 1e-12 * std::fabs(m_xs);
}

double EntityTransform::textScale() const
{
    return std::fabs(m_ys);
}

namespace {

// Mirroring (one negative scale) turns angles the other way round.
double mapAngle(double degrees, double xs, double ys, double rotation)
{
    const double r = degrees * M_PI / 180.0;
    const double a = std::atan2(std::sin(r) * ys, std::cos(r) * xs) * 180.0 / M_PI;
    return a + rotation;
}

DxfEntity arcAsPolyline(const DxfEntity& e, const EntityTransform& t)
{
    DxfEntity p = e;
    p.kind = DxfEntityKind::Polyline;
    p.points.clear();
    const bool circle = e.kind == DxfEntityKind::Circle;
    double from = circle ? 0 : e.startAngle, to = circle ? 360 : e.endAngle;
    while (to <= from)
        to += 360;
    const int segments = std::max(8, int((to - from) / 5));
    const DxfPoint c = e.position();
    for (int i = 0; i <= segments - (circle ? 1 : 0); ++i) {
        const double a = (from + (to - from) * i / segments) * M_PI / 180.0;
        p.points.append(t.map({c.x + e.radius * std::cos(a), c.y + e.radius * std::sin(a), c.z}));
    }
    p.closed = circle;
    return p;
}

} // namespace

DxfEntity EntityTransform::apply(const DxfEntity& e) const
{
    if ((e.kind == DxfEntityKind::Circle || e.kind == DxfEntityKind::Arc) && !isUniform())
        return arcAsPolyline(e, *this);
    DxfEntity out = e;
    for (DxfPoint& p : out.points)
        p = map(p);
    out.alignPoint = map(e.alignPoint);
    const bool mirrored = (m_xs < 0) != (m_ys < 0);
    switch (e.kind) {
    case DxfEntityKind::Circle:
        out.radius = e.radius * std::fabs(m_xs);
        break;
    case DxfEntityKind::Arc:
        out.radius = e.radius * std::fabs(m_xs);
        out.startAngle = mapAngle(mirrored ? e.endAngle : e.startAngle, m_xs, m_ys, m_rotation);
        out.endAngle = mapAngle(mirrored ? e.startAngle : e.endAngle, m_xs, m_ys, m_rotation);
        break;
    case DxfEntityKind::Text:
    case DxfEntityKind::AttributeDefinition:
        out.height = e.height * textScale();
        out.rotation = e.rotation + m_rotation;
        break;
    case DxfEntityKind::Insert:
        out.xScale = e.xScale * m_xs;
        out.yScale = e.yScale * m_ys;
        out.zScale = e.zScale * m_zs;
        out.rotation = e.rotation + m_rotation;
        for (DxfAttribute& a : out.attributes)
            a = apply(a);
        break;
    case DxfEntityKind::Line:
    case DxfEntityKind::Polyline:
        break;
    }
    return out;
}

DxfAttribute EntityTransform::apply(const DxfAttribute& a) const
{
    DxfAttribute out = a;
    out.position = map(a.position);
    out.height = a.height * textScale();
    out.rotation = a.rotation + m_rotation;
    return out;
}
