#pragma once

#include "CChart.h"

// The coordinate system with a linear x axis and a linear y axis.
class CChartLinLin : public CChart
{
public:
    CChartLinLin() : CChart(ChartAxis::Linear, ChartAxis::Linear) {}
};
