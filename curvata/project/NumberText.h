#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Numbers as the table of points and project files take them: a number
// counts only when it fills the whole text, the way the C library's
// conversion reads it (leading blanks allowed, nothing after the number).
// Reading and writing never depend on the user's locale, so a project file
// written in one country opens in another.
class NumberText
{
public:
    // A decimal number ("12", "-0.5", ".5", "1e3"). Hexadecimal, "inf" and
    // "nan" are not decimal numbers; neither is a value beyond the range of
    // a double, which could only be drawn or computed as garbage.
    static std::optional<double> wholeNumber(QStringView text);
    // The same, for values kept in single precision (constant lines, table
    // points): also refused when it does not fit in a float.
    static std::optional<float> wholeFloat(QStringView text);
    // A decimal integer with optional sign; refused beyond the int range.
    static std::optional<int> wholeInteger(QStringView text);

    // A computed table value: "%12.4e" (a blank-padded field of 12) when
    // `scientific`, else "%.5f".
    static QString tableValue(double value, bool scientific);
    // "%g": six significant digits, as constant line values are stored.
    static QString general(double value);
};
