#include "PdfPagePrinter.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfDocument>
#include <algorithm>

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// Where page `size` (points) goes on a sheet `area` (device pixels):
// as large as fits, centred.
QRectF fitted(const QSizeF& size, const QRectF& area)
{
    const QSizeF scaled = size.scaled(area.size(), Qt::KeepAspectRatio);
    return QRectF(area.center() - QPointF(scaled.width() / 2, scaled.height() / 2), scaled);
}

} // namespace

bool PdfPagePrinter::print(QPdfDocument& document, QPagedPaintDevice& device, int from, int to,
                           QString* error)
{
    const int count = document.pageCount();
    if (count <= 0)
        return fail(error, QStringLiteral("the document has no pages"));
    from = std::clamp(from, 1, count);
    to = std::clamp(to, from, count);

    QPainter painter;
    if (!painter.begin(&device))
        return fail(error, QStringLiteral("the printer cannot be opened"));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF area(0, 0, device.width(), device.height());
    const double dpi = std::min(device.logicalDpiX(), MaxDotsPerInch);
    for (int page = from; page <= to; ++page) {
        if (page > from && !device.newPage()) {
            painter.end();
            return fail(error, QStringLiteral("the printer cannot start page %1").arg(page));
        }
        const QRectF target = fitted(document.pagePointSize(page - 1), area);
        // The image at the resolution it is printed at (capped), so that
        // text stays sharp without rendering more pixels than needed.
        const double scale = dpi / double(device.logicalDpiX());
        const QSize pixels = (target.size() * scale).toSize().expandedTo(QSize(1, 1));
        QImage image = document.render(page - 1, pixels);
        if (image.isNull()) {
            painter.end();
            return fail(error, QStringLiteral("page %1 cannot be rendered").arg(page));
        }
        // Rendered pages are transparent where the page is blank.
        painter.fillRect(target, Qt::white);
        painter.drawImage(target, image);
    }
    if (!painter.end())
        return fail(error, QStringLiteral("the printer did not finish the job"));
    return true;
}
