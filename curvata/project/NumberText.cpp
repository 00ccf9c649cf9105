#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isBlank(QChar c)
{
    // What the C library skips before a number.
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\f') || c == QLatin1Char('\v');
}

// The number's characters without leading blanks and a '+', or nothing when
// the text is not exactly [sign] digits [. digits] [e [sign] digits].
std::optional<QByteArray> decimalSyntax(QStringView text, bool allowFraction)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    QByteArray out;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        if (text[i] == QLatin1Char('-'))
            out += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        out += char(text[i++].unicode());
        ++mantissaDigits;
    }
    if (allowFraction && i < n && text[i] == QLatin1Char('.')) {
        out += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            out += char(text[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (allowFraction && i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        // Like the C library: an "e" without digits after it ends the
        // number before the "e", which then is text after the number.
        qsizetype j = i + 1;
        QByteArray exponent = "e";
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            exponent += char(text[j++].unicode());
        const qsizetype digitsFrom = j;
        while (j < n && isDigit(text[j]))
            exponent += char(text[j++].unicode());
        if (j > digitsFrom) {
            out += exponent;
            i = j;
        }
    }
    if (i != n)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<double> NumberText::wholeNumber(QStringView text)
{
    const std::optional<QByteArray> syntax = decimalSyntax(text, true);
    if (!syntax)
        return std::nullopt;
    double value = 0.0;
    const char* end = syntax->constData() + syntax->size();
    const auto [ptr, ec] = std::from_chars(syntax->constData(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> NumberText::wholeFloat(QStringView text)
{
    const std::optional<double> value = wholeNumber(text);
    if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(*value);
}

std::optional<int> NumberText::wholeInteger(QStringView text)
{
    const std::optional<QByteArray> syntax = decimalSyntax(text, false);
    if (!syntax)
        return std::nullopt;
    int value = 0;
    const char* end = syntax->constData() + syntax->size();
    const auto [ptr, ec] = std::from_chars(syntax->constData(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

QString NumberText::tableValue(double value, bool scientific)
{
    // QString::asprintf formats numbers the same in every locale.
    return scientific ? QString::asprintf("%12.4e", value) : QString::asprintf("%.5f", value);
}

QString NumberText::general(double value)
{
    return QString::asprintf("%g", value);
}
