#pragma once

#include <vector>

// Piecewise cubic Hermite interpolation that keeps the shape of monotone data
// (Fritsch-Carlson slopes): a time-current curve drawn through a handful of
// anchor points must fall everywhere between them, never overshoot.
class MonotoneSpline
{
public:
    MonotoneSpline() = default;
    // xs strictly ascending, ys the same length; at least two points.
    MonotoneSpline(std::vector<double> xs, std::vector<double> ys);

    double operator()(double x) const;
    double firstX() const { return xs_.front(); }
    double lastX() const { return xs_.back(); }
    const std::vector<double>& knotsX() const { return xs_; }
    const std::vector<double>& knotsY() const { return ys_; }

private:
    std::vector<double> xs_;
    std::vector<double> ys_;
    std::vector<double> slopes_;
};
