#pragma once

#include "CChart.h"

// The coordinate system with a linear x axis and a logarithmic y axis.
class CChartLinLog : public CChart
{
public:
    CChartLinLog() : CChart(ChartAxis::Linear, ChartAxis::Logarithmic) {}
};
