#include "ChartRenderer.h"

#include "CCharacteristicChart.h"
#include "ChartExport.h"
#include "FuseDatabaseLoader.h"
#include "FuseDatabaseLocation.h"
#include "FuseModel.h"

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
    return ChartExport::RenderImage(chart, size);
}

bool ChartRenderer::write(CCharacteristicChart& chart, QSize size, const QString& file,
                          QString* error)
{
    return ChartExport::Write(chart, size, file, error);
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
