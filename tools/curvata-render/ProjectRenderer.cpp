#include "ProjectRenderer.h"

#include "CCharacteristicChart.h"
#include "ChartProjectView.h"
#include "ChartRenderer.h"
#include "FuseDatabaseLoader.h"
#include "FuseDatabaseLocation.h"
#include "FuseModel.h"
#include "PointTableExport.h"
#include "PointTableModel.h"
#include "ProjectReader.h"
#include "TableListFile.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

bool writeTable(const QByteArray& bytes, const QString& target, QIODevice* standardOutput,
                QString* error)
{
    if (target == QLatin1String("-")) {
        if (!standardOutput || standardOutput->write(bytes) != bytes.size()) {
            *error = QStringLiteral("Cannot write the table of points to standard output.");
            return false;
        }
        return true;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("Cannot write the table of points to \"%1\": %2")
                     .arg(target, file.errorString());
        return false;
    }
    return true;
}

} // namespace

bool ProjectRenderer::run(const RenderOptions& options, QStringList* messages, QString* error,
                          QIODevice* standardOutput)
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
    const std::unique_ptr<FuseDatabase> database = types ? loader.load() : nullptr;
    if (!types || !database) {
        *error = QStringLiteral("Cannot read the fuse database in \"%1\".").arg(directory);
        return false;
    }

    CCharacteristicChart chart;
    chart.SetLegend(options.legend);
    chart.SetGrid(options.grid);
    chart.SetBoundary(options.boundary);
    // Also the number format of the table of points, as the property is.
    chart.SetScientificScale(options.scientific);
    chart.SetTablePointsShown(options.tablePoints);
    chart.SetWarningHandler([&](const ChartWarning& warning) { messages->append(warning.text); });
    ChartProjectView view(chart);
    const ProjectReadResult read =
        ProjectReader(*database, *types).readFile(options.projectFile, view);
    chart.SetWarningHandler({});
    if (!read.stopMessage.isEmpty()) {
        *error = read.stopMessage;
        return false;
    }
    if (!read.errors.isEmpty())
        messages->append(read.errorListMessage());
    if (!chart.IsChartReady()) {
        *error = QStringLiteral("The range of the curves cannot be shown on this chart.");
        return false;
    }
    view.exportTablePoints();

    if (!options.output.isEmpty() && !ChartRenderer::write(chart, options.size, options.output, error))
        return false;
    if (!options.tableOut.isEmpty()) {
        if (!view.table()) {
            *error = QStringLiteral("The project has no table of points to write.");
            return false;
        }
        return writeTable(PointTableExport::text(*view.table()), options.tableOut, standardOutput,
                          error);
    }
    return true;
}

int ProjectRenderer::main(const RenderOptions& options)
{
    QFile standardOutput;
    if (!standardOutput.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return 2;
    QStringList messages;
    QString error;
    const bool done = run(options, &messages, &error, &standardOutput);
    standardOutput.flush();
    for (const QString& message : messages)
        std::fprintf(stderr, "curvata-render: %s\n", qPrintable(message));
    if (!done) {
        std::fprintf(stderr, "curvata-render: %s\n", qPrintable(error));
        return 2;
    }
    return 0;
}
