#include "FuseCurveModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kOmega = 2.0 * 3.14159265358979323846 * 50.0;
// Peak factor of an unlimited fault current in a low-voltage network.
constexpr double kPeakFactor = 1.8;
// The current still rises a little during arcing after the element melts.
constexpr double kArcRise = 1.1;

struct GateRow
{
    double rated;
    std::array<double, 4> gates;
};

// gG gates {Imin 10 s, Imax 5 s, Imin 0.1 s, Imax 0.1 s}. The rows below 16 A
// are approximate values for the small D, D0 and cylindrical links; they only
// shape the curves and are not checked as limits.
constexpr GateRow kGates[] = {
    {2, {3.7, 9.2, 6.0, 23}},
    {4, {7.8, 18.5, 14, 47}},
    {6, {11, 28, 26, 72}},
    {10, {22, 46.5, 58, 111}},
    {16, {33, 65, 85, 150}},
    {20, {42, 85, 110, 200}},
    {25, {52, 110, 150, 260}},
    {32, {75, 150, 200, 350}},
    {40, {95, 190, 260, 450}},
    {50, {125, 250, 350, 610}},
    {63, {160, 320, 450, 820}},
    {80, {215, 425, 610, 1100}},
    {100, {290, 580, 820, 1450}},
    {125, {355, 715, 1100, 1910}},
    {160, {460, 950, 1450, 2590}},
    {200, {610, 1250, 1910, 3420}},
    {250, {750, 1650, 2590, 4500}},
    {315, {1050, 2200, 3420, 6000}},
    {400, {1420, 2840, 4500, 8060}},
    {500, {1780, 3800, 6000, 10600}},
    {630, {2200, 5100, 8060, 14140}},
};

// Anchor multiples of the rated current and their times for the categories
// whose curve scales with the rating.
constexpr CurveSample kAmAnchors[] = {
    {4.0, 900},  {4.5, 200}, {5.5, 40},   {6.3, 15},   {8, 2.5},    {10, 0.8},
    {12.5, 0.3}, {19, 0.06}, {30, 0.012}, {45, 0.004}, {60, 0.002},
};
constexpr CurveSample kGrAnchors[] = {
    {1.45, 10000}, {1.6, 3600}, {1.8, 400},  {2.1, 20},    {2.5, 1.5},
    {3.0, 0.2},    {3.6, 0.04}, {4.5, 0.01}, {5.8, 0.004}, {7.6, 0.002},
};

std::vector<CurveSample> gGAnchors(double in)
{
    const std::array<double, 4> g = FuseCurveModel::gGGates(in);
    const double kf = FuseCurveModel::fusingMultiplier(in);
    const double knf = FuseCurveModel::nonFusingMultiplier(in);
    const double tc = FuseCurveModel::conventionalTime(in);
    // The 5 s and 10 s points sit at a slope of about 6, the 0.1 s point at
    // least as steep below them, so that the slope decreases smoothly.
    const double i5 = 0.85 * g[1];
    const double i10 = i5 / std::pow(2.0, 1.0 / 6.0);
    const double i01 = std::min(
        std::max(std::pow(g[2], 0.6) * std::pow(g[3], 0.4), i5 * std::pow(50.0, 1.0 / 6.0)),
        0.95 * g[3]);
    // The curve starts near the non-fusing current, steeper than above 1 h.
    const double slope = std::log10(tc / 10.0) / std::log10(i10 / (kf * in));
    const double k0 = std::max(kf / std::pow(3.0, 1.0 / (1.6 * slope)), 1.05 * knf);
    // Below 0.1 s the curve steepens towards adiabatic melting (slope 2).
    const double i001 = i01 * std::pow(10.0, 1.0 / 4.0);
    const double i0004 = i001 * std::pow(2.5, 1.0 / 2.5);
    const double i0002 = i0004 * std::pow(2.0, 1.0 / 2.5);
    return {
        {k0 * in, 3 * tc}, {kf * in, tc}, {i10, 10},      {i5, 5},
        {i01, 0.1},        {i001, 0.01},  {i0004, 0.004}, {i0002, 0.002},
    };
}

std::vector<double> logSpaced(double from, double to, int count)
{
    std::vector<double> values(size_t(std::max(count, 0)));
    const double a = std::log10(from);
    const double b = std::log10(to);
    for (int i = 0; i < count; ++i)
        values[size_t(i)] = std::pow(10.0, count == 1 ? a : a + (b - a) * i / (count - 1));
    return values;
}

} // namespace

FuseCurveModel::FuseCurveModel(FuseCategory category, double ratedCurrent, double shift)
    : rated_(ratedCurrent)
{
    std::vector<CurveSample> points;
    if (category == FuseCategory::gG) {
        points = gGAnchors(ratedCurrent);
    } else {
        const auto add = [&](const auto& table) {
            for (const CurveSample& a : table)
                points.push_back({a.x * ratedCurrent, a.y});
        };
        if (category == FuseCategory::aM)
            add(kAmAnchors);
        else
            add(kGrAnchors);
    }
    std::vector<double> xs, ys;
    for (const CurveSample& p : points) {
        xs.push_back(std::log10(p.x * (1.0 + shift)));
        ys.push_back(std::log10(p.y));
    }
    logCurve_ = MonotoneSpline(std::move(xs), std::move(ys));
}

double FuseCurveModel::conventionalTime(double in)
{
    if (in <= 63)
        return 3600;
    if (in <= 160)
        return 7200;
    if (in <= 400)
        return 10800;
    return 14400;
}

double FuseCurveModel::fusingMultiplier(double in)
{
    if (in <= 4)
        return 2.1;
    if (in < 16)
        return 1.9;
    return 1.6;
}

double FuseCurveModel::nonFusingMultiplier(double in)
{
    return in < 16 ? 1.5 : 1.25;
}

std::array<double, 4> FuseCurveModel::gGGates(double in)
{
    const size_t rows = std::size(kGates);
    const auto scaled = [in](const GateRow& row) {
        std::array<double, 4> out{};
        for (size_t k = 0; k < 4; ++k)
            out[k] = row.gates[k] / row.rated * in;
        return out;
    };
    if (in <= kGates[0].rated)
        return scaled(kGates[0]);
    if (in >= kGates[rows - 1].rated)
        return scaled(kGates[rows - 1]);
    size_t i = 1;
    while (kGates[i].rated < in)
        ++i;
    const GateRow& lo = kGates[i - 1];
    const GateRow& hi = kGates[i];
    const double f = std::log(in / lo.rated) / std::log(hi.rated / lo.rated);
    std::array<double, 4> out{};
    for (size_t k = 0; k < 4; ++k)
        out[k] =
            std::exp(std::log(lo.gates[k]) + f * (std::log(hi.gates[k]) - std::log(lo.gates[k])));
    return out;
}

std::vector<CurveSample> FuseCurveModel::anchors() const
{
    std::vector<CurveSample> out;
    for (size_t i = 0; i < logCurve_.knotsX().size(); ++i)
        out.push_back(
            {std::pow(10.0, logCurve_.knotsX()[i]), std::pow(10.0, logCurve_.knotsY()[i])});
    return out;
}

double FuseCurveModel::adiabaticI2t() const
{
    const double i = std::pow(10.0, logCurve_.lastX());
    return i * i * std::pow(10.0, logCurve_.knotsY().back());
}

double FuseCurveModel::preArcingTime(double current) const
{
    const double x = std::log10(current);
    if (x < logCurve_.firstX())
        return std::numeric_limits<double>::infinity();
    if (x <= logCurve_.lastX())
        return std::pow(10.0, logCurve_(x));
    // Beyond the curve melting is adiabatic; I2t still drops a little.
    const double end = std::pow(10.0, logCurve_.lastX());
    return adiabaticI2t() * std::pow(end / current, 0.05) / (current * current);
}

double FuseCurveModel::currentAtTime(double seconds) const
{
    const double y = std::log10(seconds);
    const std::vector<double>& ky = logCurve_.knotsY();
    if (y >= ky.front())
        return std::pow(10.0, logCurve_.firstX());
    if (y < ky.back()) {
        const double end = std::pow(10.0, logCurve_.lastX());
        return std::pow(adiabaticI2t() * std::pow(end, 0.05) / seconds, 1.0 / 2.05);
    }
    double lo = logCurve_.firstX();
    double hi = logCurve_.lastX();
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (logCurve_(mid) > y)
            lo = mid;
        else
            hi = mid;
    }
    return std::pow(10.0, 0.5 * (lo + hi));
}

std::vector<CurveSample> FuseCurveModel::timeCurrent(int count) const
{
    const std::vector<double>& kx = logCurve_.knotsX();
    const size_t m = kx.size();
    std::vector<double> xs;
    if (count <= 0)
        return {};
    if (count < int(m)) {
        for (double i : logSpaced(std::pow(10.0, kx.front()), std::pow(10.0, kx.back()), count))
            xs.push_back(std::log10(i));
    } else {
        // Spread the extra points over the segments by their length, largest
        // remainders first, so that every anchor stays a point of the curve.
        const int extra = count - int(m);
        const double total = kx.back() - kx.front();
        std::vector<int> per(m - 1);
        std::vector<std::pair<double, size_t>> remainders;
        int used = 0;
        for (size_t s = 0; s + 1 < m; ++s) {
            const double share = extra * (kx[s + 1] - kx[s]) / total;
            per[s] = int(share);
            used += per[s];
            remainders.push_back({share - per[s], s});
        }
        std::sort(remainders.begin(), remainders.end(), [](const auto& a, const auto& b) {
            return a.first > b.first || (a.first == b.first && a.second < b.second);
        });
        for (int k = 0; k < extra - used; ++k)
            ++per[remainders[size_t(k)].second];
        for (size_t s = 0; s + 1 < m; ++s) {
            xs.push_back(kx[s]);
            for (int k = 1; k <= per[s]; ++k)
                xs.push_back(kx[s] + (kx[s + 1] - kx[s]) * k / (per[s] + 1));
        }
        xs.push_back(kx.back());
    }
    std::vector<CurveSample> out;
    out.reserve(xs.size());
    for (double x : xs)
        out.push_back({std::pow(10.0, x), std::pow(10.0, logCurve_(x))});
    return out;
}

double FuseCurveModel::limitingThreshold() const
{
    return std::pow(kArcRise / kPeakFactor, 1.5) * std::sqrt(1.5 * adiabaticI2t() * kOmega);
}

double FuseCurveModel::cutOffPeak(double prospectiveA) const
{
    // Melting while a sine rises linearly gives the classic cube-root law.
    const double unlimited = kPeakFactor * std::sqrt(2.0) * prospectiveA;
    const double limited = kArcRise * std::sqrt(2.0) * std::cbrt(1.5 * adiabaticI2t() * kOmega) *
                           std::cbrt(prospectiveA);
    return std::pow(std::pow(unlimited, -3.0) + std::pow(limited, -3.0), -1.0 / 3.0);
}

std::vector<CurveSample> FuseCurveModel::cutOff(int count, double breakingCapacityKA) const
{
    double from = std::max(limitingThreshold() / 2000.0, 0.01);
    if (from >= breakingCapacityKA)
        from = breakingCapacityKA / 10.0;
    std::vector<CurveSample> out;
    for (double ka : logSpaced(from, breakingCapacityKA, count))
        out.push_back({ka, cutOffPeak(ka * 1000.0) / 1000.0});
    return out;
}

std::vector<CurveSample> FuseCurveModel::preArcingI2t(int count, double breakingCapacityKA) const
{
    std::vector<CurveSample> out;
    for (double i : logSpaced(currentAtTime(10.0), breakingCapacityKA * 1000.0, count))
        out.push_back({i, i * i * preArcingTime(i)});
    return out;
}

std::vector<CurveSample> FuseCurveModel::operatingI2t(int count, double breakingCapacityKA) const
{
    std::vector<CurveSample> out = preArcingI2t(count, breakingCapacityKA);
    const double threshold = limitingThreshold();
    // Arcing adds little at overloads and several times the melting I2t at
    // short circuits.
    for (CurveSample& p : out) {
        const double r = p.x / threshold;
        p.y *= 1.0 + 3.0 * r / (1.0 + r);
    }
    return out;
}

std::vector<CurveSample> FuseCurveModel::powerDissipation(int count, double ratedLoss) const
{
    std::vector<CurveSample> out;
    if (count <= 0)
        return out;
    if (count == 1)
        return {{rated_, ratedLoss}};
    for (int k = 0; k < count; ++k) {
        const double r = double(k) / (count - 1);
        // Losses grow a little faster than I^2 as the element warms up.
        out.push_back({r * rated_, ratedLoss * r * r * (0.8 + 0.2 * r)});
    }
    return out;
}
