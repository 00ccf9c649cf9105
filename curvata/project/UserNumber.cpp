#include "UserNumber.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// True when `s` is exactly [+-] digits [. digits] [e [+-] digits], with
// at least one digit in the mantissa.
bool isDecimal(const std::string& s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t exponent = 0;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    return i == s.size();
}

} // namespace

std::optional<double> UserNumber::parse(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
    }
    std::string s = text.toStdString();
    if (!isDecimal(s))
        return std::nullopt;
    // from_chars reads the C notation whatever the locale, but takes no '+'.
    const char* first = s.data() + (s[0] == '+' ? 1 : 0);
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> UserNumber::parseFloat(const QString& text)
{
    const std::optional<double> value = parse(text);
    if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(*value);
}
