#pragma once

#include "CChart.h"

// The coordinate system with a logarithmic x axis and a logarithmic y axis.
class CChartLogLog : public CChart
{
public:
    bool SetRange(double xMin, double yMin, double xMax, double yMax) override;
    void DrawXAxis() override;
    void DrawYAxis() override;
    void DrawGrid() override;
    QPoint ToDevice(float x, float y) override;
    ChartValue ToValue(QPoint point) override;
};
