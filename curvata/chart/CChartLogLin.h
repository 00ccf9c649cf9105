#pragma once

#include "CChart.h"

// The coordinate system with a logarithmic x axis and a linear y axis.
class CChartLogLin : public CChart
{
public:
    CChartLogLin() : CChart(ChartAxis::Logarithmic, ChartAxis::Linear) {}
};
