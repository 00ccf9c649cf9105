#include "CChartLinLog.h"

#include <cmath>

bool CChartLinLog::SetRange(double xMinimum, double yMinimum, double xMaximum, double yMaximum)
{
    axisType = 2;
    if (yMinimum < 0.000001 || yMaximum < 0.000001)
        return WarnBelowMinimum(false);
    // A range end that is not a number would leave nothing to draw.
    if (!std::isfinite(xMinimum) || !std::isfinite(xMaximum) || !std::isfinite(yMinimum) ||
        !std::isfinite(yMaximum))
        return false;
    xMin = xMinimum;
    xMax = xMaximum;
    xDecades = 0;
    yMin = std::log10(yMinimum);
    yMax = std::log10(yMaximum);
    yDecades = WholeDecades(yMin, yMax);
    return true;
}

void CChartLinLog::DrawYAxis()
{
    DrawLogYAxis(false);
}

void CChartLinLog::DrawGrid()
{
    DrawLinearXGrid();
    DrawLogYGrid();
}

QPoint CChartLinLog::ToDevice(float x, float y)
{
    return DeviceFromAxis(double(x), std::log10(double(y)));
}

ChartValue CChartLinLog::ToValue(QPoint point)
{
    return AxisFromDevice(point, false, true);
}
