#include "BomOutputTexts.h"

namespace {

QStringList twelve(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    while (out.size() < 12)
        out << QString();
    return out;
}

void english(BomOutputTexts& t)
{
    t.headerRow4 = twelve({"Item", "Item No.", "Quantity", "Unit", "Price", "Discount", "Net price",
                           "Total", "Block", "Block No", "Symbol DWG", "Dimension DWG"});
    t.headerRow5 = twelve({});
    t.projectLabel = QStringLiteral("Project:");
    t.dateLabel = QStringLiteral("Date:");
    t.customerLabel = QStringLiteral("Customer:");
    t.bomTotalLabel = QStringLiteral("Total");
    t.projectTotalLabel = QStringLiteral("Project total");
    t.pageOf = QStringLiteral("Page %1 of %2");
    t.previewTitle = QStringLiteral("Print preview");
    t.print = QStringLiteral("Print...");
    t.exportPdf = QStringLiteral("Export to PDF...");
    t.zoomIn = QStringLiteral("Zoom in");
    t.zoomOut = QStringLiteral("Zoom out");
    t.fitWidth = QStringLiteral("Fit width");
    t.close = QStringLiteral("Close");
    t.workbookFilter = QStringLiteral("Workbook (*.xlsx)");
    t.pdfFilter = QStringLiteral("PDF document (*.pdf)");
    t.printFailed = QStringLiteral("The BOM could not be printed.");
    t.pdfFailed = QStringLiteral("The PDF file could not be written.");
}

// The workbook's name and code headers come from the item grid's titles,
// so that no column of the sheet goes without a title.
void slovene(BomOutputTexts& t)
{
    t.headerRow4 = twelve({"Naziv", "Šifra", "Količina", "Enota", "Cena", "Rabat", "Neto cena",
                           "Skupaj", "Blok", "Št bloka", "Simbol DWG", "Dimenzija DWG"});
    t.projectLabel = QStringLiteral("Projekt:");
    t.dateLabel = QStringLiteral("Datum:");
    t.customerLabel = QStringLiteral("Naročnik:");
    t.bomTotalLabel = QStringLiteral("Skupaj");
    t.projectTotalLabel = QStringLiteral("Skupaj projekt");
    t.pageOf = QStringLiteral("Stran %1 od %2");
    t.previewTitle = QStringLiteral("Predogled tiskanja");
    t.print = QStringLiteral("Natisni...");
    t.exportPdf = QStringLiteral("Izvozi v PDF...");
    t.zoomIn = QStringLiteral("Povečaj");
    t.zoomOut = QStringLiteral("Pomanjšaj");
    t.fitWidth = QStringLiteral("Prilagodi širini");
    t.close = QStringLiteral("Zapri");
    t.workbookFilter = QStringLiteral("Delovni zvezek (*.xlsx)");
    t.pdfFilter = QStringLiteral("Dokument PDF (*.pdf)");
    t.printFailed = QStringLiteral("Kosovnice ni bilo mogoče natisniti.");
    t.pdfFailed = QStringLiteral("Datoteke PDF ni bilo mogoče zapisati.");
}

void croatian(BomOutputTexts& t)
{
    t.headerRow4 = twelve({"Naziv", "Šifra", "Količina", "Jedinica", "Cijena", "Rabat",
                           "Neto cijena", "Ukupno", "Blok", "Br bloka", "Simbol DWG",
                           "Dimenzija DWG"});
    t.projectLabel = QStringLiteral("Projekt:");
    t.dateLabel = QStringLiteral("Datum:");
    t.customerLabel = QStringLiteral("Naručitelj:");
    t.bomTotalLabel = QStringLiteral("Ukupno");
    t.projectTotalLabel = QStringLiteral("Ukupno projekt");
    t.pageOf = QStringLiteral("Stranica %1 od %2");
    t.previewTitle = QStringLiteral("Pregled ispisa");
    t.print = QStringLiteral("Ispis...");
    t.exportPdf = QStringLiteral("Izvoz u PDF...");
    t.zoomIn = QStringLiteral("Povećaj");
    t.zoomOut = QStringLiteral("Smanji");
    t.fitWidth = QStringLiteral("Prilagodi širini");
    t.close = QStringLiteral("Zatvori");
    t.workbookFilter = QStringLiteral("Radna knjiga (*.xlsx)");
    t.pdfFilter = QStringLiteral("PDF dokument (*.pdf)");
    t.printFailed = QStringLiteral("Specifikaciju nije bilo moguće ispisati.");
    t.pdfFailed = QStringLiteral("PDF datoteku nije bilo moguće zapisati.");
}

void polish(BomOutputTexts& t)
{
    t.headerRow4 = twelve({"Nazwa towaru", "", "Ilość", "Jedn.", "Cena netto", "Rabat", "Cena",
                           "Wartość bez podatku", "Blok", "Block Nr", "Simbol DWG",
                           "Dimension DWG"});
    t.headerRow5 = twelve({"", "Nr.Kodowy", "", "miary", "bez rabatu", "", "Netto"});
    t.projectLabel = QStringLiteral("Projekt:");
    t.dateLabel = QStringLiteral("Data:");
    t.customerLabel = QStringLiteral("Zamawiający:");
    t.bomTotalLabel = QStringLiteral("Razem");
    t.projectTotalLabel = QStringLiteral("Razem projekt");
    t.pageOf = QStringLiteral("Strona %1 z %2");
    t.previewTitle = QStringLiteral("Podgląd wydruku");
    t.print = QStringLiteral("Drukuj...");
    t.exportPdf = QStringLiteral("Eksport do PDF...");
    t.zoomIn = QStringLiteral("Powiększ");
    t.zoomOut = QStringLiteral("Pomniejsz");
    t.fitWidth = QStringLiteral("Dopasuj do szerokości");
    t.close = QStringLiteral("Zamknij");
    t.workbookFilter = QStringLiteral("Skoroszyt (*.xlsx)");
    t.pdfFilter = QStringLiteral("Dokument PDF (*.pdf)");
    t.printFailed = QStringLiteral("Nie można wydrukować zestawienia.");
    t.pdfFailed = QStringLiteral("Nie można zapisać pliku PDF.");
}

} // namespace

BomOutputTexts BomOutputTexts::forLanguage(const QString& code)
{
    BomOutputTexts t;
    english(t);
    if (code == QLatin1String("SLO"))
        slovene(t);
    else if (code == QLatin1String("HRV"))
        croatian(t);
    else if (code == QLatin1String("POL"))
        polish(t);
    return t;
}
