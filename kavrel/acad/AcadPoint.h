#pragma once

#include <QMetaType>
#include <QVariant>
#include <optional>

// A point of the drawing: three coordinates, as the automation interface
// passes them (an array of three doubles, index 0 to 2).
struct AcadPoint
{
    double x = 0;
    double y = 0;
    double z = 0;

    bool operator==(const AcadPoint&) const = default;

    // A point from what a late-bound call returned or a caller passed: an
    // AcadPoint or a list of exactly three finite numbers. Anything else is
    // not a point, so that a wrong reply never turns into a silent origin.
    static std::optional<AcadPoint> fromVariant(const QVariant& value);
    bool isFinite() const;
};

Q_DECLARE_METATYPE(AcadPoint)
