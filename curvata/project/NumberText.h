#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Numbers of the table of points and project files that UserNumber does
// not cover: whole integers (a table's column count, the column of a table
// entry) and the formats values are written in. Reading and writing never
// depend on the user's locale, so a project written in one country opens
// in another.
class NumberText
{
public:
    // A number in a table cell or a project's table entry: what UserNumber
    // takes, after leading blanks. Values written with "%12.4e" start with
    // blanks, and they must still count as numbers when they are read back,
    // drawn or used to compute the partner cell.
    static std::optional<double> tableNumber(QStringView text);
    static std::optional<float> tableFloat(QStringView text);

    // An optional sign and decimal digits, nothing else; refused beyond the
    // int range.
    static std::optional<int> wholeInteger(QStringView text);

    // A computed table value: "%12.4e" (a blank-padded field of 12) when
    // `scientific`, else "%.5f".
    static QString tableValue(double value, bool scientific);
    // "%g": six significant digits, as constant line values are stored.
    static QString general(double value);
};
