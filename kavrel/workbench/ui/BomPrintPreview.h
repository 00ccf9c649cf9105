#pragma once

#include "BomOutputTexts.h"
#include "BomPrintLayout.h"

#include <QDialog>
#include <QPrinter>
#include <functional>

class QAction;
class QPrintPreviewWidget;
class QToolBar;

// The print preview of a BOM: the pages as they will print, with Print
// (the system's print dialog), Export to PDF, zoom and close.
class BomPrintPreview : public QDialog
{
    Q_OBJECT
public:
    BomPrintPreview(QWidget* owner, BomPrintLayout layout, const BomOutputTexts& texts);

    // Where the PDF goes; the default asks with a file dialog. Empty when
    // the user cancelled.
    std::function<QString(const QString& suggested)> choosePdf;
    // The default PDF file: the BOM's name in the user's documents folder.
    QString suggestedPdf() const;

    QPrinter& printer() { return m_printer; }
    QPrintPreviewWidget* pages() const { return m_pages; }
    int pageCount() const;

    QToolBar* ToolBar = nullptr;
    QAction* ActPrint = nullptr;
    QAction* ActPdf = nullptr;

public slots:
    void printClick();
    void pdfClick();

private:
    BomPrintLayout m_layout;
    BomOutputTexts m_texts;
    QPrinter m_printer;
    QPrintPreviewWidget* m_pages = nullptr;
};
