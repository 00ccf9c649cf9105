#include "ChartRenderer.h"

#include "CCharacteristicChart.h"
#include "FuseDatabaseLoader.h"
#include "FuseDatabaseLocation.h"
#include "FuseModel.h"
#include "SvgPaintDevice.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

bool ChartRenderer::prepare(CCharacteristicChart& chart, const RenderOptions& options,
                            const CharacteristicType* type, const std::vector<const Fuse*>& fuses,
                            QString* error)
{
    chart.SetLegend(options.legend);
    chart.SetGrid(options.grid);
    chart.SetBoundary(options.boundary);
    chart.SetScientificScale(options.scientific);
    chart.SetTablePointsShown(options.tablePoints);
    chart.SetFuses(fuses);
    // The chart's own reason goes into the error the caller reports.
    QStringList warnings;
    chart.SetWarningHandler([&](const ChartWarning& warning) { warnings << warning.text; });
    chart.SetCharacteristic(type);
    chart.SetWarningHandler({});
    if (!chart.IsChartReady()) {
        *error = QStringLiteral("The range of the curves cannot be shown on this chart");
        *error += warnings.isEmpty() ? QStringLiteral(".")
                                     : QStringLiteral(": ") + warnings.first() + QLatin1Char('.');
        return false;
    }
    // Constant lines continue the colour cycle after the curves.
    const int count = int(fuses.size());
    for (const auto& [name, value] : options.xLines) {
        const float x = qBound(float(chart.XMin()), value, float(chart.XMax()));
        chart.XLines().append(ConstLine::xLine(name, x, float(chart.YMin()), float(chart.YMax()),
                                               chart.PaletteColour(chart.XLines().size() + count)));
    }
    for (const auto& [name, value] : options.yLines) {
        const float y = qBound(float(chart.YMin()), value, float(chart.YMax()));
        chart.YLines().append(ConstLine::yLine(name, y, float(chart.XMin()), float(chart.XMax()),
                                               chart.PaletteColour(chart.YLines().size() + count)));
    }
    chart.TablePoints() = options.points;
    return true;
}

QImage ChartRenderer::renderImage(CCharacteristicChart& chart, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart.Paint(painter, QRect(QPoint(0, 0), size));
    return image;
}

bool ChartRenderer::write(CCharacteristicChart& chart, QSize size, const QString& file,
                          QString* error)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == "png") {
        if (!renderImage(chart, size).save(file, "PNG")) {
            *error = QStringLiteral("Cannot write \"%1\".").arg(file);
            return false;
        }
        return true;
    }
    if (suffix == "pdf") {
        QPdfWriter writer(file);
        writer.setResolution(96);
        writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer)) {
            *error = QStringLiteral("Cannot write \"%1\".").arg(file);
            return false;
        }
        // Straight onto the page so that lines and texts stay vectors.
        CChart& active = chart.ActiveChart();
        const bool buffered = active.DoubleBuffering();
        active.SetDoubleBuffering(false);
        chart.Paint(painter, QRect(QPoint(0, 0), size));
        active.SetDoubleBuffering(buffered);
        painter.end();
        return true;
    }
    if (suffix == "svg") {
        SvgPaintDevice svg(size);
        QPainter painter(&svg);
        CChart& active = chart.ActiveChart();
        const bool buffered = active.DoubleBuffering();
        active.SetDoubleBuffering(false);
        chart.Paint(painter, QRect(QPoint(0, 0), size));
        active.SetDoubleBuffering(buffered);
        painter.end();
        return svg.save(file, error);
    }
    *error = QStringLiteral("Unknown output type \"%1\"; the file must end in .png, .pdf or .svg.")
                 .arg(suffix);
    return false;
}

bool ChartRenderer::run(const RenderOptions& options, QString* error)
{
    const QString directory = FuseDatabaseLocation::resolve(options.databaseDirectory);
    const auto source = FuseDatabaseLoader::directorySource(directory);
    const std::unique_ptr<CharacteristicTypeTable> types = FuseDatabaseLoader::loadTypes(source);
    FuseDatabaseLoader loader(source);
    loader.useTypeTable([&]() -> const CharacteristicTypeTable& { return *types; });
    const std::unique_ptr<FuseDatabase> database = loader.load();
    if (!types || !database) {
        *error = QStringLiteral("Cannot read the fuse database in \"%1\".").arg(directory);
        return false;
    }
    const CharacteristicType* type = types->findType(options.typeName);
    if (!type) {
        *error =
            QStringLiteral("No characteristic type \"%1\" in the database.").arg(options.typeName);
        return false;
    }
    std::vector<const Fuse*> fuses;
    for (const QString& name : options.fuseNames) {
        const Fuse* fuse = database->findFuse(name);
        if (!fuse) {
            *error = QStringLiteral("No fuse \"%1\" in the database.").arg(name);
            return false;
        }
        fuses.push_back(fuse);
    }
    CCharacteristicChart chart;
    if (!prepare(chart, options, type, fuses, error))
        return false;
    return write(chart, options.size, options.output, error);
}
