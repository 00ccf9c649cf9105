#pragma once

#include <QFont>
#include <QString>

// The two faces the chart asks for by name, "Times" for all its texts and
// "Symbol" for the cut-off current labels, mapped onto faces that are
// installed here. The symbol face is always a Unicode face that has the
// radical sign; texts meant for it are written in the symbol encoding and
// translated with fromSymbolEncoding().
class ChartFont
{
public:
    static QFont textFont();
    static QFont symbolFont();
    // The installed family used for a face name ("Times", "Symbol").
    static QString familyFor(const QString& face);
    // Translates characters of the symbol encoding (0xD6 is the radical sign)
    // into Unicode; other characters pass unchanged.
    static QString fromSymbolEncoding(const QString& text);
};
