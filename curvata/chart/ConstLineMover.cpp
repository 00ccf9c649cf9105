#include "ConstLineMover.h"

#include "CCharacteristicChart.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

float limited(float value, double lo, double hi)
{
    return std::clamp(value, float(lo), float(hi));
}

} // namespace

void ConstLineMover::Press(QPoint point)
{
    m_captured = true;
    for (ConstLine& line : m_chart.YLines())
        line.moving = false;
    for (ConstLine& line : m_chart.XLines())
        line.moving = false;
    if (!m_chart.IsChartReady())
        return;

    // Y lines first, then X lines; a later line wins only when strictly
    // nearer, so on a tie the earlier line (and a Y line) is taken.
    CChart& chart = m_chart.ActiveChart();
    ConstLine* nearest = nullptr;
    int best = 0;
    for (ConstLine& line : m_chart.YLines()) {
        const int distance = std::abs(chart.ToDevice(line.x1, line.y1).y() - point.y());
        if (!nearest || distance < best) {
            nearest = &line;
            best = distance;
        }
    }
    for (ConstLine& line : m_chart.XLines()) {
        const int distance = std::abs(chart.ToDevice(line.x1, line.y1).x() - point.x());
        if (!nearest || distance < best) {
            nearest = &line;
            best = distance;
        }
    }
    if (nearest && best <= PickTolerance)
        nearest->moving = true;
}

bool ConstLineMover::Follow(QPoint point, Moved* moved)
{
    const ChartValue value = m_chart.ActiveChart().ToValue(point);
    for (ConstLine& line : m_chart.YLines()) {
        if (!line.moving)
            continue;
        if (std::isnan(value.y))
            return false;
        const float y = limited(value.y, m_chart.YMin(), m_chart.YMax());
        line.y1 = line.y2 = y;
        *moved = Moved{false, line.name, y};
        return true;
    }
    for (ConstLine& line : m_chart.XLines()) {
        if (!line.moving)
            continue;
        if (std::isnan(value.x))
            return false;
        const float x = limited(value.x, m_chart.XMin(), m_chart.XMax());
        line.x1 = line.x2 = x;
        *moved = Moved{true, line.name, x};
        return true;
    }
    return false;
}

bool ConstLineMover::Move(QPoint point)
{
    if (!m_captured)
        return false;
    Moved moved;
    return Follow(point, &moved);
}

std::optional<ConstLineMover::Moved> ConstLineMover::Release(QPoint point)
{
    if (!m_captured)
        return std::nullopt;
    m_captured = false;
    Moved moved;
    const bool any = Follow(point, &moved);
    for (ConstLine& line : m_chart.YLines())
        line.moving = false;
    for (ConstLine& line : m_chart.XLines())
        line.moving = false;
    if (!any)
        return std::nullopt;
    return moved;
}
