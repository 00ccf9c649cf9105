#pragma once

#include "FuseLink.h"
#include "MonotoneSpline.h"

#include <array>
#include <vector>

struct CurveSample
{
    double x;
    double y;
};

// The characteristics of one fuse link, derived from a pre-arcing
// time-current curve. The curve is a monotone spline in log-log through
// anchor points that follow the category's test gates; the other curves
// (cut-off current, I2t, power dissipation) are computed from it.
class FuseCurveModel
{
public:
    // `shift` moves the whole curve along the current axis by the factor
    // 1 + shift; the large generator uses it to vary otherwise equal links.
    FuseCurveModel(FuseCategory category, double ratedCurrent, double shift = 0.0);

    double ratedCurrent() const { return rated_; }
    // Conventional time for gG links: 1 h up to 63 A, 2 h up to 160 A,
    // 3 h up to 400 A, 4 h above.
    static double conventionalTime(double ratedCurrent);
    static double fusingMultiplier(double ratedCurrent);
    static double nonFusingMultiplier(double ratedCurrent);
    // Gate currents of a gG link: {Imin at 10 s, Imax at 5 s, Imin at 0.1 s,
    // Imax at 0.1 s}, interpolated between the standard ratings.
    static std::array<double, 4> gGGates(double ratedCurrent);

    // Anchor points (A, s) in ascending current.
    std::vector<CurveSample> anchors() const;
    // Pre-arcing time at a current; infinite below the curve's start.
    double preArcingTime(double current) const;
    double currentAtTime(double seconds) const;
    // I2t at the shortest time of the curve, where melting is adiabatic.
    double adiabaticI2t() const;

    // Each returns exactly `count` points (count >= 1).
    // (A, s), ascending current; contains every anchor when count allows.
    std::vector<CurveSample> timeCurrent(int count) const;
    // (kA, kA): prospective current against cut-off peak current, up to the
    // breaking capacity.
    std::vector<CurveSample> cutOff(int count, double breakingCapacityKA) const;
    // (A, A2s): pre-arcing and operating I2t against prospective current.
    std::vector<CurveSample> preArcingI2t(int count, double breakingCapacityKA) const;
    std::vector<CurveSample> operatingI2t(int count, double breakingCapacityKA) const;
    // (A, W): power dissipation against load current up to the rating.
    std::vector<CurveSample> powerDissipation(int count, double ratedLoss) const;

private:
    // Prospective current (A) above which the link limits the peak.
    double limitingThreshold() const;
    double cutOffPeak(double prospectiveA) const;

    double rated_;
    MonotoneSpline logCurve_; // log10(I) -> log10(t)
};
