#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

// Turns the raw text of a database field into the value it holds. Numbers
// are read in the C locale whatever the user's locale: digits, '.', an
// exponent. Integers that do not fit 32 bits saturate (as the 32-bit
// conversions of the data's origin did); a decimal number too large for a
// double counts as no number, so that no infinity reaches the curves.
class FieldConversion
{
public:
    // Leading white space, an optional sign, then as much as forms a number;
    // the rest is ignored and a field without a number gives 0.
    static int32_t lenientInt(std::string_view field);
    static double lenientDouble(std::string_view field);

    // As lenient, but only when at least one character was converted and
    // the number ends the field or is followed by a line feed or carriage
    // return. A trailing blank or any other character rejects the field.
    static std::optional<int32_t> strictInt(std::string_view field);
    static std::optional<double> strictDouble(std::string_view field);

    // "0" is linear; every other text, the empty one included, logarithmic.
    static bool isLogarithmicFlag(std::string_view field) { return field != "0"; }

    // The field's text exactly as written: UTF-8 when the bytes are valid
    // UTF-8, else the Windows code page the data was made with.
    static QString text(std::string_view field);
};
