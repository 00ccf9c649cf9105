#pragma once

#include <QString>
#include <optional>

// Numbers that users type into curvata's windows. A text counts only when
// the whole of it is one decimal number in the C notation: an optional
// sign, digits with an optional decimal point, an optional exponent
// ("1e3"). A decimal comma, blanks, hexadecimal forms and the words for
// infinity or "not a number" are refused, whatever the user's locale.
class UserNumber
{
public:
    static std::optional<double> parse(const QString& text);
    // The same, kept in single precision; refused when the value does not
    // fit a float, so that no infinity reaches the chart.
    static std::optional<float> parseFloat(const QString& text);
};
