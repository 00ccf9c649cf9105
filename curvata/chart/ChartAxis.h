#pragma once

#include <cmath>

// One axis of a chart coordinate system: linear or logarithmic, with its
// range. The range is stored as the axis draws it: values on a linear axis,
// their decimal logarithms on a logarithmic one, so that the layout and the
// device conversions are the same linear arithmetic for both scales.
class ChartAxis
{
public:
    enum Scale
    {
        Linear,
        Logarithmic
    };
    // The smallest range end a logarithmic axis takes.
    static constexpr double kLogarithmicMinimum = 0.000001;

    explicit ChartAxis(Scale scale) : m_scale(scale) {}

    Scale GetScale() const { return m_scale; }
    bool IsLogarithmic() const { return m_scale == Logarithmic; }

    // False when a logarithmic axis would get an end below
    // kLogarithmicMinimum (the range is not taken then).
    bool AcceptsEnds(double minimum, double maximum) const;
    // Stores a range given in real units; the caller has checked both ends
    // with AcceptsEnds and for being finite.
    void SetRange(double minimum, double maximum);

    // The stored range: values, or logarithms on a logarithmic axis.
    double Min() const { return m_min; }
    double Max() const { return m_max; }
    // Whole decades of a logarithmic axis; 0 on a linear one.
    int Decades() const { return m_decades; }

    // A real value as an axis coordinate (its logarithm on a logarithmic
    // axis) and back.
    double ToAxis(double value) const { return IsLogarithmic() ? std::log10(value) : value; }
    double FromAxis(double coordinate) const
    {
        return IsLogarithmic() ? std::pow(10.0, coordinate) : coordinate;
    }
    // Whether a value has a place on this axis (finite, and positive on a
    // logarithmic axis).
    bool CanPlace(double value) const
    {
        return std::isfinite(value) && (!IsLogarithmic() || value > 0.0);
    }

private:
    // Decades between two logarithms, tolerant of rounding noise.
    static int WholeDecades(double logMin, double logMax);

    Scale m_scale;
    double m_min = 0.0;
    double m_max = 0.0;
    int m_decades = 0;
};
