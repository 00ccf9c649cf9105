#include "ChartAxis.h"

#include <algorithm>
#include <cmath>

bool ChartAxis::AcceptsEnds(double minimum, double maximum) const
{
    return !IsLogarithmic() || !(minimum < kLogarithmicMinimum || maximum < kLogarithmicMinimum);
}

void ChartAxis::SetRange(double minimum, double maximum)
{
    if (IsLogarithmic()) {
        m_min = std::log10(minimum);
        m_max = std::log10(maximum);
        m_decades = WholeDecades(m_min, m_max);
    } else {
        m_min = minimum;
        m_max = maximum;
        m_decades = 0;
    }
}

int ChartAxis::WholeDecades(double logMin, double logMax)
{
    const double span = logMax - logMin;
    if (!std::isfinite(span))
        return 0;
    // log10 of an exact power of ten may land a hair below the integer.
    return int(std::clamp(std::trunc(span + 1e-9), -1000.0, 1000.0));
}
