#include "ChartRenderer.h"

#include "CCharacteristicChart.h"
#include "ChartExport.h"
#include "FuseDatabaseLoader.h"
#include "FuseDatabaseLocation.h"
#include "FuseModel.h"
#include "TableListFile.h"

bool ChartRenderer::prepare(CCharacteristicChart& chart, const RenderOptions& options,
                            const CharacteristicType* type, const std::vector<const Fuse*>& fuses,
                            QString* error, QStringList* notes)
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
        // The chart's own reason, when it gave one, says it best.
        const QString range = QStringLiteral("The range of the curves cannot be shown on this chart");
        if (warnings.isEmpty())
            *error = range + QLatin1Char('.');
        else if (warnings.last() == QLatin1String("Setting Range failed"))
            *error = range + QStringLiteral(": ") + warnings.first() + QLatin1Char('.');
        else
            *error = warnings.first();
        return false;
    }
    // Constant lines continue the colour cycle after the curves. They keep
    // the values given; those outside the range are left out as the view
    // leaves them out, never moved onto its edge.
    const int count = int(fuses.size());
    for (const auto& [name, value] : options.xLines)
        chart.XLines().append(ConstLine::xLine(name, value, float(chart.YMin()),
                                               float(chart.YMax()),
                                               chart.PaletteColour(chart.XLines().size() + count)));
    for (const auto& [name, value] : options.yLines)
        chart.YLines().append(ConstLine::yLine(name, value, float(chart.XMin()),
                                               float(chart.XMax()),
                                               chart.PaletteColour(chart.YLines().size() + count)));
    const CCharacteristicChart::RemovedConstLines removed = chart.FitConstLinesToRange();
    auto tell = [&](const ConstLine& line, float value, const char* axis, double lo, double hi) {
        if (notes)
            notes->append(QStringLiteral("The constant line \"%1\" at %2 = %3 lies outside the "
                                         "%2 range %4 to %5 and is not drawn.")
                              .arg(line.name, QLatin1String(axis))
                              .arg(double(value))
                              .arg(lo)
                              .arg(hi));
    };
    for (const ConstLine& line : removed.xLines)
        tell(line, line.x1, "x", chart.XMin(), chart.XMax());
    for (const ConstLine& line : removed.yLines)
        tell(line, line.y1, "y", chart.YMin(), chart.YMax());
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

bool ChartRenderer::run(const RenderOptions& options, QString* error, QStringList* notes)
{
    const QString directory = FuseDatabaseLocation::resolve(options.databaseDirectory);
    QString problem;
    if (!TableListFile::check(directory, &problem)) {
        *error = QStringLiteral("Please open valid database. (%1)").arg(problem);
        return false;
    }
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
    if (!prepare(chart, options, type, fuses, error, notes))
        return false;
    return write(chart, options.size, options.output, error);
}
