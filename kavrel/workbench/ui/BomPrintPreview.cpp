#include "BomPrintPreview.h"

#include "BomOutputCommands.h"
#include "MessageBoxService.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

BomPrintPreview::BomPrintPreview(QWidget* owner, BomPrintLayout layout, const BomOutputTexts& texts)
    : QDialog(owner), m_layout(std::move(layout)), m_texts(texts),
      m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("BomPrintPreview"));
    setWindowTitle(m_texts.previewTitle + QStringLiteral(" - ") + m_layout.content().bomName);
    resize(900, 680);
    m_printer.setPageLayout(BomPrintLayout::defaultPage());
    m_printer.setDocName(m_layout.content().bomName);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    ToolBar = new QToolBar(this);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_pages = new QPrintPreviewWidget(&m_printer, this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    column->addWidget(ToolBar);
    column->addWidget(m_pages, 1);

    QStyle* style = QApplication::style();
    ActPrint = ToolBar->addAction(
        QIcon::fromTheme(QStringLiteral("document-print"), style->standardIcon(QStyle::SP_FileDialogContentsView)),
        m_texts.print, this, &BomPrintPreview::printClick);
    ActPdf = ToolBar->addAction(style->standardIcon(QStyle::SP_FileIcon), m_texts.exportPdf, this,
                                &BomPrintPreview::pdfClick);
    ToolBar->addSeparator();
    ToolBar->addAction(m_texts.zoomIn, m_pages, [this] { m_pages->zoomIn(); });
    ToolBar->addAction(m_texts.zoomOut, m_pages, [this] { m_pages->zoomOut(); });
    ToolBar->addAction(m_texts.fitWidth, m_pages, &QPrintPreviewWidget::fitToWidth);
    ToolBar->addSeparator();
    ToolBar->addAction(m_texts.close, this, &QDialog::reject);

    connect(m_pages, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        m_layout.print(*printer);
    });
    m_pages->fitToWidth();
}

int BomPrintPreview::pageCount() const
{
    return m_pages->pageCount();
}

QString BomPrintPreview::suggestedPdf() const
{
    return BomOutputCommands::suggestedPath(m_layout.content().bomName, QStringLiteral("pdf"));
}

void BomPrintPreview::printClick()
{
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!m_layout.print(m_printer, &error))
        MessageBoxService::show(this, m_texts.printFailed + QStringLiteral("\n\n") + error,
                                windowTitle(), MessageBoxService::Ok, MessageBoxService::Critical);
    m_pages->updatePreview(); // the dialog may have changed the paper
}

void BomPrintPreview::pdfClick()
{
    const QString suggested = suggestedPdf();
    QString path = choosePdf ? choosePdf(suggested)
                             : QFileDialog::getSaveFileName(this, m_texts.exportPdf, suggested,
                                                            m_texts.pdfFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (!m_layout.printToPdf(path, m_printer.pageLayout(), &error))
        MessageBoxService::show(this, m_texts.pdfFailed + QStringLiteral("\n\n") + error,
                                windowTitle(), MessageBoxService::Ok, MessageBoxService::Critical);
}
