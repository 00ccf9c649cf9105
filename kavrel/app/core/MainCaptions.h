#pragma once

#include <QString>

// The main window's captions by language code. ANG, HRV and SLO have their
// own; every other code (NEM, POL, an unknown one) keeps the English design
// captions, since a window never borrows another language's texts.
struct MainCaptions
{
    QString title, search, help, pdf, data, acad, tabGeneral, tabCert;
    QString segments[3];
    bool eastEuropean = false; // character set of the product page

    static MainCaptions forLanguage(const QString& languageCode);
};
