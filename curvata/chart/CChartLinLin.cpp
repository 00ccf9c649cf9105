#include "CChartLinLin.h"

#include <cmath>

bool CChartLinLin::SetRange(double xMinimum, double yMinimum, double xMaximum, double yMaximum)
{
    axisType = 0;
    // A range end that is not a number would leave nothing to draw.
    if (!std::isfinite(xMinimum) || !std::isfinite(xMaximum) || !std::isfinite(yMinimum) ||
        !std::isfinite(yMaximum))
        return false;
    xMin = xMinimum;
    xMax = xMaximum;
    xDecades = 0;
    yMin = yMinimum;
    yMax = yMaximum;
    yDecades = 0;
    return true;
}

QPoint CChartLinLin::ToDevice(float x, float y)
{
    return DeviceFromAxis(double(x), double(y));
}

ChartValue CChartLinLin::ToValue(QPoint point)
{
    return AxisFromDevice(point, false, false);
}
