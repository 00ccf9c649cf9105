#include "MainCaptions.h"

MainCaptions MainCaptions::forLanguage(const QString& code)
{
    if (code == QLatin1String("HRV"))
        return {QStringLiteral("KAVREL d.d. Elektronski katalog"),
                QStringLiteral("Traži"),
                QStringLiteral("Pomoć"),
                QStringLiteral("PDF Katalog"),
                QStringLiteral("PDF tehnički podaci"),
                QStringLiteral("Autocad potpora"),
                QStringLiteral("Podaci"),
                QStringLiteral("Certifikati"),
                {QStringLiteral("Zgrade i industrija"), QStringLiteral("Energija"),
                 QStringLiteral("Zaštita poluprovodnika")},
                true};
    if (code == QLatin1String("SLO"))
        return {QStringLiteral("KAVREL d.d. Elektronski katalog"),
                QStringLiteral("Išči"),
                QStringLiteral("Pomoč"),
                QStringLiteral("PDF Katalog"),
                QStringLiteral("PDF tehnični podatki"),
                QStringLiteral("Autocad podpora"),
                QStringLiteral("Podatki"),
                QStringLiteral("Certifikati"),
                {QStringLiteral("Zgradbe in industrija"), QStringLiteral("Energetika"),
                 QStringLiteral("Zaščtita polprevodnikov")},
                true};
    return {QStringLiteral("KAVREL d.d. Electronic catalogue"),
            QStringLiteral("Search"),
            QStringLiteral("Help"),
            QStringLiteral("PDF Catalogue"),
            QStringLiteral("Technical Data PDF"),
            QStringLiteral("Autocad support"),
            QStringLiteral("Data"),
            QStringLiteral("Certificates"),
            {QStringLiteral("Building and industry"), QStringLiteral("Energy"),
             QStringLiteral("Semiconductor protection")},
            false};
}
