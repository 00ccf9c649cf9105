#pragma once

#include "CChart.h"

// The coordinate system with a linear x axis and a linear y axis.
class CChartLinLin : public CChart
{
public:
    bool SetRange(double xMin, double yMin, double xMax, double yMax) override;
    QPoint ToDevice(float x, float y) override;
    ChartValue ToValue(QPoint point) override;
};
