#include "MonotoneSpline.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

MonotoneSpline::MonotoneSpline(std::vector<double> xs, std::vector<double> ys)
    : xs_(std::move(xs)), ys_(std::move(ys))
{
    const size_t n = xs_.size();
    if (n < 2 || ys_.size() != n)
        throw std::invalid_argument("MonotoneSpline needs two or more matching points");
    std::vector<double> secant(n - 1);
    for (size_t i = 0; i + 1 < n; ++i)
        secant[i] = (ys_[i + 1] - ys_[i]) / (xs_[i + 1] - xs_[i]);

    slopes_.assign(n, 0.0);
    slopes_[0] = secant[0];
    slopes_[n - 1] = secant[n - 2];
    for (size_t i = 1; i + 1 < n; ++i) {
        const double a = secant[i - 1];
        const double b = secant[i];
        // A sign change or a flat piece makes the knot an extremum: slope 0.
        if (a * b <= 0.0)
            continue;
        // Weighted harmonic mean keeps the interpolant inside the data's range.
        const double h0 = xs_[i] - xs_[i - 1];
        const double h1 = xs_[i + 1] - xs_[i];
        const double w0 = 2.0 * h1 + h0;
        const double w1 = h1 + 2.0 * h0;
        slopes_[i] = (w0 + w1) / (w0 / a + w1 / b);
    }
}

double MonotoneSpline::operator()(double x) const
{
    if (x <= xs_.front())
        return ys_.front() + slopes_.front() * (x - xs_.front());
    if (x >= xs_.back())
        return ys_.back() + slopes_.back() * (x - xs_.back());
    const size_t i = size_t(std::upper_bound(xs_.begin(), xs_.end(), x) - xs_.begin()) - 1;
    const double h = xs_[i + 1] - xs_[i];
    const double s = (x - xs_[i]) / h;
    const double s2 = s * s;
    const double s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1;
    const double h10 = s3 - 2 * s2 + s;
    const double h01 = -2 * s3 + 3 * s2;
    const double h11 = s3 - s2;
    return h00 * ys_[i] + h10 * h * slopes_[i] + h01 * ys_[i + 1] + h11 * h * slopes_[i + 1];
}
