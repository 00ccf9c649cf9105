#include "WorkingPointCalculator.h"

#include "FuseModel.h"
#include "NumberText.h"

#include <QStringList>
#include <cmath>

const QString WorkingPointCalculator::NotDefined = QStringLiteral("NotDef.");

namespace {

// The normalized positions along the searched axis (`along`) and the other
// one (`across`) of a curve point.
struct Axes
{
    bool fromX;
    double along(const CurvePoint& p) const { return fromX ? p.x : p.y; }
    double across(const CurvePoint& p) const { return fromX ? p.y : p.x; }
};

// The positions on the other axis where the curve passes position `t`, in
// curve order. A curve point lying exactly at `t` is one passage, although
// the segments on both sides of it count as crossings. A segment whose two
// ends share the position `t` (the curve runs straight across the other
// axis there) passes at both of its ends.
std::vector<double> crossings(std::span<const CurvePoint> points, double t, Axes axes)
{
    std::vector<double> out;
    if (points.size() < 2)
        return out;
    int lastVertex = -1; // the curve point reported last, if the last value was one
    auto addVertex = [&](int index) {
        if (index == lastVertex)
            return;
        out.push_back(axes.across(points[size_t(index)]));
        lastVertex = index;
    };
    double s = axes.along(points[0]) - t;
    for (size_t i = 1; i < points.size(); ++i) {
        const double d = axes.along(points[i]) - t;
        const bool crossing = (d >= 0 && s <= 0) || (d <= 0 && s >= 0);
        if (!crossing)
            continue;
        s = d;
        const CurvePoint& a = points[i - 1];
        const CurvePoint& b = points[i];
        const double a0 = axes.along(a), b0 = axes.along(b);
        if (a0 == b0) {
            addVertex(int(i) - 1);
            addVertex(int(i));
        } else if (a0 == t) {
            addVertex(int(i) - 1);
        } else if (b0 == t) {
            addVertex(int(i));
        } else {
            out.push_back(axes.across(a) + (t - a0) * (axes.across(b) - axes.across(a)) / (b0 - a0));
            lastVertex = -1;
        }
    }
    return out;
}

} // namespace

QString WorkingPointCalculator::yText(const QString& fuseName, const QString& xText) const
{
    return compute(fuseName, xText, true);
}

QString WorkingPointCalculator::xText(const QString& fuseName, const QString& yText) const
{
    return compute(fuseName, yText, false);
}

QString WorkingPointCalculator::compute(const QString& fuseName, const QString& text,
                                        bool fromX) const
{
    const Fuse* fuse = nullptr;
    for (const Fuse* f : m_fuses) {
        if (f && f->name() == fuseName) {
            fuse = f;
            break;
        }
    }
    if (!fuse || !m_type)
        return NotDefined;
    const std::optional<double> value = NumberText::tableNumber(text);
    if (!value)
        return NotDefined;
    const double t = fromX ? m_type->xPosition(*value) : m_type->yPosition(*value);
    if (!std::isfinite(t))
        return NotDefined;
    const Characteristic* curve = fuse->findCharacteristic(m_type->name());
    if (!curve)
        return NotDefined;

    QStringList values;
    for (double position : crossings(curve->points(), t, Axes{fromX})) {
        const double result = fromX ? m_type->yValue(position) : m_type->xValue(position);
        if (std::isfinite(result))
            values << NumberText::tableValue(result, m_scientific);
    }
    if (values.isEmpty())
        return NotDefined;
    return values.join(QLatin1Char(';'));
}
