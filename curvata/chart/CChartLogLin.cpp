#include "CChartLogLin.h"

#include <cmath>

bool CChartLogLin::SetRange(double xMinimum, double yMinimum, double xMaximum, double yMaximum)
{
    axisType = 1;
    if (xMinimum < 0.000001 || xMaximum < 0.000001)
        return WarnBelowMinimum(true);
    // A range end that is not a number would leave nothing to draw.
    if (!std::isfinite(xMinimum) || !std::isfinite(xMaximum) || !std::isfinite(yMinimum) ||
        !std::isfinite(yMaximum))
        return false;
    xMin = std::log10(xMinimum);
    xMax = std::log10(xMaximum);
    xDecades = WholeDecades(xMin, xMax);
    yMin = yMinimum;
    yMax = yMaximum;
    yDecades = 0;
    return true;
}

void CChartLogLin::DrawXAxis()
{
    DrawLogXAxis();
}

void CChartLogLin::DrawGrid()
{
    DrawLogXGrid();
    DrawLinearYGrid();
}

QPoint CChartLogLin::ToDevice(float x, float y)
{
    return DeviceFromAxis(std::log10(double(x)), double(y));
}

ChartValue CChartLogLin::ToValue(QPoint point)
{
    return AxisFromDevice(point, true, false);
}
