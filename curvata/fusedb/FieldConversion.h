#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// How the text of a record file is written. A file is one or the other as a
// whole: UTF-8 when all of it is well-formed UTF-8, else the Windows code
// page the data was made with.
enum class TextEncoding
{
    Utf8,
    Windows1250
};

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
    // The same with the value in *value (left alone when false): what the
    // loader uses for its million points, as an optional goes through
    // memory in a way processors read back slowly.
    static bool strictInt(std::string_view field, int32_t* value);
    static bool strictDouble(std::string_view field, double* value);
    // The same, as complete (and slower) readers: the inline versions above
    // handle the usual short numbers themselves and pass the rest on.
    static std::optional<int32_t> strictIntGeneral(std::string_view field);
    static std::optional<double> strictDoubleGeneral(std::string_view field);

    // "0" is linear; every other text, the empty one included, logarithmic.
    static bool isLogarithmicFlag(std::string_view field) { return field != "0"; }

    // The encoding of a whole file's bytes.
    static TextEncoding encodingOf(std::string_view bytes);
    // The field's text exactly as written in a file of that encoding.
    static QString text(std::string_view field, TextEncoding encoding);
    // The text these bytes have in a file of `encoding`, or none when such
    // a file cannot hold them (malformed UTF-8). Decoding within one
    // encoding loses nothing, so two names compare equal as texts of the
    // same encoding exactly when their bytes are equal: this is how a name
    // read in one file is looked up among the names of another.
    static std::optional<QString> textIn(std::string_view bytes, TextEncoding encoding);
};

// A million points are read at start-up: the common forms ("12", "\n12",
// "-0.1875") are converted here in one pass without a call, each digit
// looked at once. Anything else (blanks, '+', exponents, long numbers,
// rejects) goes to the general reader, which decides alone. Where both
// convert they compute the same exact operation, so they always agree.
inline std::optional<int32_t> FieldConversion::strictInt(std::string_view field)
{
    int32_t value = 0;
    if (strictInt(field, &value))
        return value;
    return std::nullopt;
}

inline std::optional<double> FieldConversion::strictDouble(std::string_view field)
{
    double value = 0.0;
    if (strictDouble(field, &value))
        return value;
    return std::nullopt;
}

inline bool FieldConversion::strictInt(std::string_view field, int32_t* result)
{
    const char* p = field.data();
    const char* const end = p + field.size();
    p += (p != end && *p == '\n') ? 1 : 0;
    const bool negative = p != end && *p == '-';
    p += negative ? 1 : 0;
    const char* const digits = p;
    uint32_t value = 0;
    // Nine digits always fit; longer numbers may saturate.
    while (p != end && unsigned(*p - '0') <= 9 && p - digits < 9) {
        value = value * 10 + unsigned(*p - '0');
        ++p;
    }
    if (p != digits && (p == end || *p == '\n' || *p == '\r')) {
        *result = negative ? -int32_t(value) : int32_t(value);
        return true;
    }
    const std::optional<int32_t> general = strictIntGeneral(field);
    if (general)
        *result = *general;
    return general.has_value();
}

inline bool FieldConversion::strictDouble(std::string_view field, double* result)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = field.data();
    const char* const end = p + field.size();
    p += (p != end && *p == '\n') ? 1 : 0;
    const bool negative = p != end && *p == '-';
    p += negative ? 1 : 0;
    // Unsigned: more digits than fit wrap harmlessly and are sent on below.
    uint64_t mantissa = 0;
    const char* const integer = p;
    while (p != end && unsigned(*p - '0') <= 9) {
        mantissa = mantissa * 10 + unsigned(*p - '0');
        ++p;
    }
    size_t digits = size_t(p - integer);
    size_t fraction = 0;
    if (p != end && *p == '.') {
        const char* const first = ++p;
        while (p != end && unsigned(*p - '0') <= 9) {
            mantissa = mantissa * 10 + unsigned(*p - '0');
            ++p;
        }
        fraction = size_t(p - first);
        digits += fraction;
    }
    if (digits > 0 && digits <= 15 && (p == end || *p == '\n' || *p == '\r')) {
        // Up to 15 digits and their power of ten are exact doubles, so the
        // one division rounds correctly.
        const double value = double(mantissa) / kPowers[fraction];
        *result = negative ? -value : value;
        return true;
    }
    const std::optional<double> general = strictDoubleGeneral(field);
    if (general)
        *result = *general;
    return general.has_value();
}
