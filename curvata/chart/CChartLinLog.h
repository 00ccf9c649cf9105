#pragma once

#include "CChart.h"

// The coordinate system with a linear x axis and a logarithmic y axis.
class CChartLinLog : public CChart
{
public:
    bool SetRange(double xMin, double yMin, double xMax, double yMax) override;
    void DrawYAxis() override;
    void DrawGrid() override;
    QPoint ToDevice(float x, float y) override;
    ChartValue ToValue(QPoint point) override;
};
