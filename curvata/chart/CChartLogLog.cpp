#include "CChartLogLog.h"

#include <cmath>

bool CChartLogLog::SetRange(double xMinimum, double yMinimum, double xMaximum, double yMaximum)
{
    axisType = 3;
    if (xMinimum < 0.000001 || xMaximum < 0.000001)
        return WarnBelowMinimum(true);
    if (yMinimum < 0.000001 || yMaximum < 0.000001)
        return WarnBelowMinimum(false);
    // A range end that is not a number would leave nothing to draw.
    if (!std::isfinite(xMinimum) || !std::isfinite(xMaximum) || !std::isfinite(yMinimum) ||
        !std::isfinite(yMaximum))
        return false;
    xMin = std::log10(xMinimum);
    xMax = std::log10(xMaximum);
    xDecades = WholeDecades(xMin, xMax);
    yMin = std::log10(yMinimum);
    yMax = std::log10(yMaximum);
    yDecades = WholeDecades(yMin, yMax);
    return true;
}

void CChartLogLog::DrawXAxis()
{
    DrawLogXAxis();
}

void CChartLogLog::DrawYAxis()
{
    DrawLogYAxis(false);
}

void CChartLogLog::DrawGrid()
{
    DrawLogXGrid();
    DrawLogYGrid();
}

QPoint CChartLogLog::ToDevice(float x, float y)
{
    return DeviceFromAxis(std::log10(double(x)), std::log10(double(y)));
}

ChartValue CChartLogLog::ToValue(QPoint point)
{
    return AxisFromDevice(point, true, true);
}
