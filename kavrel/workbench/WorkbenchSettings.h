#pragma once

#include "ConfigAccess.h"

#include <QString>
#include <array>
#include <optional>

// The options of the settings window as they are kept in the configuration
// file: the two scales as the texts of their fields, the project-wide item
// view, the nine options of the CAD connection and block attributes, and
// the customer's data. Options are stored as "T" or "F"; anything but "T"
// reads as off.
struct WorkbenchSettings
{
    QString scaleSym1 = QStringLiteral("1"), scaleSym2 = QStringLiteral("1");
    QString scaleDim1 = QStringLiteral("1"), scaleDim2 = QStringLiteral("1");
    bool projectView = true;
    // The "SetAcadAtt" options, in the order of OptionKeys.
    enum Option
    {
        Manufacturer,
        ItemNo,
        Item,
        BlockNo,
        BlockNumber,
        ConnBom,
        ConnLive,
        ConnSyncStart,
        ConnSyncEnd,
        OptionCount
    };
    std::array<bool, OptionCount> options{true, true, true, true, true, true, true, true, true};
    std::array<QString, 5> customer; // name, street, postal code, place, tax number

    static const std::array<const char*, OptionCount>& optionKeys();

    static WorkbenchSettings load(const ConfigAccess& config);
    // False (with the first key that failed in *error) when a key could not
    // be written; the others are still written.
    bool save(const ConfigAccess& config, QString* error = nullptr) const;

    // A decimal number in the whole text ("1.5", also with the user's
    // decimal comma); nothing otherwise.
    static std::optional<double> parseNumber(const QString& text);
    // The message a text that is not a number is reported with.
    static QString conversionError(const QString& text);

    // The scale factor second / first, or nothing when either is not a
    // number or the division has no finite result.
    static std::optional<double> factor(const QString& first, const QString& second);

    // A symbol scale measured in the drawing: the distance between two
    // contact points of a symbol drawn at scale 1 is 15 units.
    struct Measured
    {
        QString first, second;
        double factor = 1.0;
    };
    static std::optional<Measured> fromContactDistance(double distance);
};
