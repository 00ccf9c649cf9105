#include "FieldConversion.h"

#include "Utf8Validator.h"
#include "Windows1250.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace {

// The white space of the C library's isspace() in the C locale.
bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

struct IntScan
{
    bool converted = false;
    size_t end = 0; // where the conversion stopped
    int32_t value = 0;
};

IntScan scanInt(std::string_view f)
{
    IntScan scan;
    size_t i = 0;
    while (i < f.size() && isCSpace(f[i]))
        ++i;
    bool negative = false;
    if (i < f.size() && (f[i] == '+' || f[i] == '-')) {
        negative = f[i] == '-';
        ++i;
    }
    const size_t digits = i;
    int64_t magnitude = 0;
    constexpr int64_t cap = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    while (i < f.size() && isDigit(f[i])) {
        if (magnitude < cap)
            magnitude = magnitude * 10 + (f[i] - '0');
        ++i;
    }
    if (i == digits)
        return scan; // nothing converted: the conversion stopped at the start
    if (magnitude > cap)
        magnitude = cap;
    const int64_t v = negative ? -magnitude : magnitude;
    scan.value = static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                          std::numeric_limits<int32_t>::max()));
    scan.converted = true;
    scan.end = i;
    return scan;
}

struct DoubleScan
{
    bool converted = false;
    size_t end = 0;
    double value = 0.0;
};

// Slow path for numbers std::from_chars declines (below the smallest
// double, or beyond the largest): the C library in the C locale decides.
double parseOutOfRange(std::string_view text)
{
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    const std::string copy(text);
    return strtod_l(copy.c_str(), nullptr, cLocale);
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

DoubleScan scanDouble(std::string_view f)
{
    DoubleScan scan;
    size_t i = 0;
    while (i < f.size() && isCSpace(f[i]))
        ++i;
    bool negative = false;
    if (i < f.size() && (f[i] == '+' || f[i] == '-')) {
        negative = f[i] == '-';
        ++i;
    }
    const size_t start = i;
    size_t mantissaDigits = 0;
    uint64_t mantissa = 0; // meaningful while mantissaDigits <= 19
    int fractionDigits = 0;
    while (i < f.size() && isDigit(f[i])) {
        mantissa = mantissa * 10 + uint64_t(f[i] - '0');
        ++i;
        ++mantissaDigits;
    }
    if (i < f.size() && f[i] == '.') {
        ++i;
        while (i < f.size() && isDigit(f[i])) {
            mantissa = mantissa * 10 + uint64_t(f[i] - '0');
            ++i;
            ++mantissaDigits;
            ++fractionDigits;
        }
    }
    if (mantissaDigits == 0)
        return scan;
    // An exponent counts only when it has digits ("1e" converts as "1").
    int exponent = 0;
    bool exponentExact = true;
    if (i < f.size() && (f[i] == 'e' || f[i] == 'E')) {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (j < f.size() && (f[j] == '+' || f[j] == '-')) {
            negativeExponent = f[j] == '-';
            ++j;
        }
        if (j < f.size() && isDigit(f[j])) {
            while (j < f.size() && isDigit(f[j])) {
                if (exponent < 100000)
                    exponent = exponent * 10 + (f[j] - '0');
                else
                    exponentExact = false;
                ++j;
            }
            if (negativeExponent)
                exponent = -exponent;
            i = j;
        }
    }
    double value = 0.0;
    const int power = exponent - fractionDigits;
    // Both operands exact, so one correctly rounded operation gives the
    // correctly rounded result; everything else goes the long way.
    if (exponentExact && mantissaDigits <= 19 && mantissa <= (uint64_t(1) << 53) && power >= -22 &&
        power <= 22) {
        value = power < 0 ? double(mantissa) / kExactPowers[-power]
                          : double(mantissa) * kExactPowers[power];
    } else {
        const std::string_view number = f.substr(start, i - start);
        const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
        if (result.ec == std::errc::result_out_of_range)
            value = parseOutOfRange(number);
        else if (result.ec != std::errc() || result.ptr != number.data() + number.size())
            return scan;
    }
    if (!std::isfinite(value))
        return scan;
    scan.converted = true;
    scan.end = i;
    scan.value = negative ? -value : value;
    return scan;
}

bool endsStrictly(std::string_view f, size_t end)
{
    return end == f.size() || f[end] == '\n' || f[end] == '\r';
}

} // namespace

int32_t FieldConversion::lenientInt(std::string_view field)
{
    return scanInt(field).value;
}

double FieldConversion::lenientDouble(std::string_view field)
{
    return scanDouble(field).value;
}

std::optional<int32_t> FieldConversion::strictIntGeneral(std::string_view field)
{
    const IntScan scan = scanInt(field);
    if (!scan.converted || !endsStrictly(field, scan.end))
        return std::nullopt;
    return scan.value;
}

std::optional<double> FieldConversion::strictDoubleGeneral(std::string_view field)
{
    const DoubleScan scan = scanDouble(field);
    if (!scan.converted || !endsStrictly(field, scan.end))
        return std::nullopt;
    return scan.value;
}

TextEncoding FieldConversion::encodingOf(std::string_view bytes)
{
    return Utf8Validator::isValid(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1250;
}

QString FieldConversion::text(std::string_view field, TextEncoding encoding)
{
    const auto size = static_cast<qsizetype>(field.size());
    if (std::all_of(field.begin(), field.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(field.data(), size);
    if (encoding == TextEncoding::Utf8)
        return QString::fromUtf8(field.data(), size);
    return Windows1250::decode(QByteArray::fromRawData(field.data(), size));
}

std::optional<QString> FieldConversion::textIn(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8 && !Utf8Validator::isValid(bytes))
        return std::nullopt;
    return text(bytes, encoding);
}
