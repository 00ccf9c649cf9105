#pragma once

#include <QString>
#include <QStringList>

// The texts of the BOM's outputs by language code: the header rows of the
// exported workbook, the labels of the printed BOM and of its preview, and
// the export's error box. ANG, SLO, HRV and POL have their own; every other
// code (NEM among them) gets the English texts, so that no header or label
// of a file the user hands on is ever empty.
struct BomOutputTexts
{
    // Workbook header rows 4 and 5, columns A to L.
    QStringList headerRow4, headerRow5;

    // The printed BOM.
    QString projectLabel, dateLabel, customerLabel;
    QString bomTotalLabel, projectTotalLabel;
    QString pageOf; // "%1" the page, "%2" the number of pages

    // The print preview and the export's file dialog.
    QString previewTitle, print, exportPdf, zoomIn, zoomOut, fitWidth, close;
    QString workbookFilter, pdfFilter;
    // Shown above the reason when printing or writing the PDF fails.
    QString printFailed, pdfFailed;

    // The export's failure box; the texts the program has always shown.
    static QString exportFailedText() { return QStringLiteral("Transfer to Excel was not successful"); }
    static QString exportFailedTitle() { return QStringLiteral("ERROR !"); }

    static BomOutputTexts forLanguage(const QString& code);
};
