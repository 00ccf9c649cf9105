#include "PdfWindowTexts.h"

namespace {

PdfWindowTexts english()
{
    return {QStringLiteral("Previous page"),
            QStringLiteral("Next page"),
            QStringLiteral("Page"),
            QStringLiteral("Zoom in"),
            QStringLiteral("Zoom out"),
            QStringLiteral("Fit width"),
            QStringLiteral("Whole page"),
            QStringLiteral("Print…"),
            QStringLiteral("Find"),
            QStringLiteral("Find next"),
            QStringLiteral("Find previous"),
            QStringLiteral("of %1"),
            QStringLiteral("%1 of %2"),
            QStringLiteral("Not found"),
            QStringLiteral("The document cannot be shown: the file \"%1\" is missing."),
            QStringLiteral("The file \"%1\" is not a readable PDF document."),
            QStringLiteral("This item has no page in the document."),
            QStringLiteral("The document could not be printed.")};
}

PdfWindowTexts slovene()
{
    return {QStringLiteral("Prejšnja stran"),
            QStringLiteral("Naslednja stran"),
            QStringLiteral("Stran"),
            QStringLiteral("Povečaj"),
            QStringLiteral("Pomanjšaj"),
            QStringLiteral("Prilagodi širini"),
            QStringLiteral("Cela stran"),
            QStringLiteral("Natisni…"),
            QStringLiteral("Išči"),
            QStringLiteral("Najdi naslednje"),
            QStringLiteral("Najdi prejšnje"),
            QStringLiteral("od %1"),
            QStringLiteral("%1 od %2"),
            QStringLiteral("Ni najdeno"),
            QStringLiteral("Dokumenta ni mogoče prikazati: datoteka \"%1\" manjka."),
            QStringLiteral("Datoteka \"%1\" ni berljiv dokument PDF."),
            QStringLiteral("Ta postavka v dokumentu nima strani."),
            QStringLiteral("Dokumenta ni bilo mogoče natisniti.")};
}

PdfWindowTexts croatian()
{
    return {QStringLiteral("Prethodna stranica"),
            QStringLiteral("Sljedeća stranica"),
            QStringLiteral("Stranica"),
            QStringLiteral("Povećaj"),
            QStringLiteral("Smanji"),
            QStringLiteral("Prilagodi širini"),
            QStringLiteral("Cijela stranica"),
            QStringLiteral("Ispiši…"),
            QStringLiteral("Traži"),
            QStringLiteral("Traži sljedeće"),
            QStringLiteral("Traži prethodno"),
            QStringLiteral("od %1"),
            QStringLiteral("%1 od %2"),
            QStringLiteral("Nije pronađeno"),
            QStringLiteral("Dokument se ne može prikazati: datoteka \"%1\" nedostaje."),
            QStringLiteral("Datoteka \"%1\" nije čitljiv PDF dokument."),
            QStringLiteral("Ova stavka nema stranicu u dokumentu."),
            QStringLiteral("Dokument nije bilo moguće ispisati.")};
}

PdfWindowTexts german()
{
    return {QStringLiteral("Vorherige Seite"),
            QStringLiteral("Nächste Seite"),
            QStringLiteral("Seite"),
            QStringLiteral("Vergrößern"),
            QStringLiteral("Verkleinern"),
            QStringLiteral("Seitenbreite"),
            QStringLiteral("Ganze Seite"),
            QStringLiteral("Drucken…"),
            QStringLiteral("Suchen"),
            QStringLiteral("Weitersuchen"),
            QStringLiteral("Rückwärts suchen"),
            QStringLiteral("von %1"),
            QStringLiteral("%1 von %2"),
            QStringLiteral("Nicht gefunden"),
            QStringLiteral("Das Dokument kann nicht angezeigt werden: Die Datei \"%1\" fehlt."),
            QStringLiteral("Die Datei \"%1\" ist kein lesbares PDF-Dokument."),
            QStringLiteral("Für diesen Eintrag gibt es im Dokument keine Seite."),
            QStringLiteral("Das Dokument konnte nicht gedruckt werden.")};
}

PdfWindowTexts polish()
{
    return {QStringLiteral("Poprzednia strona"),
            QStringLiteral("Następna strona"),
            QStringLiteral("Strona"),
            QStringLiteral("Powiększ"),
            QStringLiteral("Pomniejsz"),
            QStringLiteral("Dopasuj do szerokości"),
            QStringLiteral("Cała strona"),
            QStringLiteral("Drukuj…"),
            QStringLiteral("Szukaj"),
            QStringLiteral("Znajdź następny"),
            QStringLiteral("Znajdź poprzedni"),
            QStringLiteral("z %1"),
            QStringLiteral("%1 z %2"),
            QStringLiteral("Nie znaleziono"),
            QStringLiteral("Nie można wyświetlić dokumentu: brak pliku \"%1\"."),
            QStringLiteral("Plik \"%1\" nie jest czytelnym dokumentem PDF."),
            QStringLiteral("Ta pozycja nie ma strony w dokumencie."),
            QStringLiteral("Nie udało się wydrukować dokumentu.")};
}

} // namespace

PdfWindowTexts PdfWindowTexts::forLanguage(const QString& code)
{
    if (code == QLatin1String("SLO"))
        return slovene();
    if (code == QLatin1String("HRV"))
        return croatian();
    if (code == QLatin1String("NEM"))
        return german();
    if (code == QLatin1String("POL"))
        return polish();
    return english();
}
