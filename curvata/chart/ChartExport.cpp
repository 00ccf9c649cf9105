#include "ChartExport.h"

#include "CCharacteristicChart.h"
#include "FuseModel.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

// Vector output: the chart straight onto the device, not through the
// off-screen image of a screen paint.
void paintDirect(CCharacteristicChart& chart, QPainter& painter, QSize size)
{
    CChart& active = chart.ActiveChart();
    const bool buffered = active.DoubleBuffering();
    active.SetDoubleBuffering(false);
    chart.Paint(painter, QRect(QPoint(0, 0), size));
    active.SetDoubleBuffering(buffered);
}

QString cannotWrite(const QString& file, const QString& reason)
{
    return QStringLiteral("Cannot write \"%1\": %2").arg(file, reason);
}

QString chartTitle(const CCharacteristicChart& chart)
{
    return chart.CurrentCharacteristic() ? chart.CurrentCharacteristic()->name()
                                         : QStringLiteral("Curvata chart");
}

} // namespace

std::optional<ChartExport::Format> ChartExport::FormatOf(const QString& file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Png;
    if (suffix == QLatin1String("pdf"))
        return Pdf;
    if (suffix == QLatin1String("svg"))
        return Svg;
    return std::nullopt;
}

QImage ChartExport::RenderImage(CCharacteristicChart& chart, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart.Paint(painter, QRect(QPoint(0, 0), size));
    return image;
}

bool ChartExport::Write(CCharacteristicChart& chart, QSize size, const QString& file,
                        QString* error)
{
    const std::optional<Format> format = FormatOf(file);
    if (!format) {
        *error = QStringLiteral(
                     "Unknown output type \"%1\"; the file must end in .png, .pdf or .svg.")
                     .arg(QFileInfo(file).suffix());
        return false;
    }
    if (size.width() < 1 || size.height() < 1) {
        *error = QStringLiteral("The picture must be at least one pixel wide and high.");
        return false;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = cannotWrite(file, out.errorString());
        return false;
    }
    bool drawn = true;
    if (*format == Png) {
        drawn = RenderImage(chart, size).save(&out, "PNG");
    } else if (*format == Pdf) {
        QPdfWriter writer(&out);
        writer.setResolution(96);
        writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(chartTitle(chart));
        writer.setCreator(QStringLiteral("Curvata"));
        QPainter painter;
        drawn = painter.begin(&writer);
        if (drawn) {
            paintDirect(chart, painter, size);
            drawn = painter.end();
        }
    } else {
        QSvgGenerator generator;
        generator.setOutputDevice(&out);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setResolution(96);
        generator.setTitle(chartTitle(chart));
        generator.setDescription(QStringLiteral("Characteristic chart drawn by Curvata"));
        QPainter painter;
        drawn = painter.begin(&generator);
        if (drawn) {
            paintDirect(chart, painter, size);
            drawn = painter.end();
        }
    }
    if (!drawn) {
        out.cancelWriting();
        *error = cannotWrite(file, QStringLiteral("the picture could not be drawn."));
        return false;
    }
    if (!out.commit()) {
        *error = cannotWrite(file, out.errorString());
        return false;
    }
    return true;
}
