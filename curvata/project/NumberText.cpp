#include "NumberText.h"

#include "UserNumber.h"

#include <charconv>

namespace {

QString withoutLeadingBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    return text.mid(i).toString();
}

} // namespace

std::optional<double> NumberText::tableNumber(QStringView text)
{
    return UserNumber::parse(withoutLeadingBlanks(text));
}

std::optional<float> NumberText::tableFloat(QStringView text)
{
    return UserNumber::parseFloat(withoutLeadingBlanks(text));
}

std::optional<int> NumberText::wholeInteger(QStringView text)
{
    QByteArray digits;
    qsizetype i = 0;
    if (!text.isEmpty() && (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-'))) {
        if (text[0] == QLatin1Char('-'))
            digits += '-';
        i = 1; // from_chars takes no '+'
    }
    if (i == text.size())
        return std::nullopt;
    for (; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return std::nullopt;
        digits += char(text[i].unicode());
    }
    int value = 0;
    const char* end = digits.constData() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.constData(), end, value);
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
