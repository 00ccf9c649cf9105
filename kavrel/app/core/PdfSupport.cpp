#include "PdfSupport.h"

#include <QDir>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QTemporaryFile>

bool PdfSupport::probe()
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/kavrel-pdf-probe-XXXXXX.pdf"));
    if (!file.open())
        return false;
    {
        QPdfWriter writer(&file);
        QPainter painter(&writer);
        if (!painter.isActive())
            return false;
        painter.fillRect(QRect(100, 100, 200, 200), Qt::black);
    }
    file.close();
    QPdfDocument document;
    return document.load(file.fileName()) == QPdfDocument::Error::None &&
           document.pageCount() == 1;
}

bool PdfSupport::canLoadDocuments()
{
    static const bool works = probe();
    return works;
}
