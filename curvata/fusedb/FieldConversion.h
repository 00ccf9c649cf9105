#pragma once

#include <QString>
#include <algorithm>
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
    // The same, as complete (and slower) readers: the inline versions above
    // handle the usual short numbers themselves and pass the rest on.
    static std::optional<int32_t> strictIntGeneral(std::string_view field);
    static std::optional<double> strictDoubleGeneral(std::string_view field);

    // "0" is linear; every other text, the empty one included, logarithmic.
    static bool isLogarithmicFlag(std::string_view field) { return field != "0"; }

    // The field's text exactly as written: UTF-8 when the bytes are valid
    // UTF-8, else the Windows code page the data was made with.
    static QString text(std::string_view field);
};

// A million points are read at start-up: the common forms ("12", "\n12",
// "0.1875") are converted here without a call. Anything unusual (blanks,
// '+', exponents, long numbers, rejects) goes to the general reader, which
// decides alone, so both paths always agree.
inline std::optional<int32_t> FieldConversion::strictInt(std::string_view field)
{
    size_t i = (!field.empty() && field[0] == '\n') ? 1 : 0;
    const bool negative = i < field.size() && field[i] == '-';
    i += negative ? 1 : 0;
    const size_t digits = i;
    int32_t value = 0;
    while (i < field.size() && i - digits < 9 && field[i] >= '0' && field[i] <= '9')
        value = value * 10 + (field[i++] - '0');
    if (i > digits && (i == field.size() || field[i] == '\n' || field[i] == '\r'))
        return negative ? -value : value;
    return strictIntGeneral(field);
}

inline std::optional<double> FieldConversion::strictDouble(std::string_view field)
{
    static constexpr double kTenths[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = (!field.empty() && field[0] == '\n') ? 1 : 0;
    const bool negative = i < field.size() && field[i] == '-';
    i += negative ? 1 : 0;
    const size_t start = i;
    int64_t mantissa = 0;
    const size_t limit = std::min(field.size(), start + 15); // 15 digits stay exact
    while (i < limit && field[i] >= '0' && field[i] <= '9')
        mantissa = mantissa * 10 + (field[i++] - '0');
    size_t digits = i - start;
    size_t fraction = 0;
    if (i < field.size() && field[i] == '.') {
        const size_t first = ++i;
        const size_t fractionLimit = std::min(field.size(), first + (15 - digits));
        while (i < fractionLimit && field[i] >= '0' && field[i] <= '9')
            mantissa = mantissa * 10 + (field[i++] - '0');
        fraction = i - first;
        digits += fraction;
    }
    if (digits > 0 && (i == field.size() || field[i] == '\n' || field[i] == '\r')) {
        // Mantissa and power of ten are exact, so one division rounds right.
        const double value = double(mantissa) / kTenths[fraction];
        return negative ? -value : value;
    }
    return strictDoubleGeneral(field);
}
