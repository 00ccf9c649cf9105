#pragma once

#include "CChart.h"

// The coordinate system with a logarithmic x axis and a logarithmic y axis.
class CChartLogLog : public CChart
{
public:
    CChartLogLog() : CChart(ChartAxis::Logarithmic, ChartAxis::Logarithmic) {}
};
