// Input: the bytes of a project file. Opens it into a chart with a small
// database (the names the corpus uses exist), saves it again and opens the
// saved file: reading must not crash or hang, what it selects must come from
// the database, and a saved project must read back to the same view.
#include "CCharacteristicChart.h"
#include "ChartProjectView.h"
#include "FuseModel.h"
#include "PointTableExport.h"
#include "PointTableModel.h"
#include "ProfileDocument.h"
#include "ProjectReader.h"
#include "ProjectWriter.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

struct Database
{
    FuseDatabase fuses;
    CharacteristicTypeTable types;

    Database()
    {
        const CharacteristicType* tc = types.append(CharacteristicType(
            "Time-Current", AxisDefinition{"A", true, 1, 100000}, AxisDefinition{"s", true, 0.001, 10000}));
        const CharacteristicType* lin = types.append(CharacteristicType(
            "Linear", AxisDefinition{"U", false, 0, 100}, AxisDefinition{"P", false, 0, 100}));
        int id = 0;
        for (const char* name : {"F1", "F2", "F3", "f1"}) {
            Fuse* fuse = fuses.addFuse(QString::fromUtf8(name), QStringLiteral("K"));
            Characteristic* c = fuse->appendCharacteristic(++id, tc, fuses.pointMemory());
            for (int i = 0; i < 20; ++i)
                c->appendPoint(CurvePoint{i, 0.1 + 0.03 * i, 0.9 - 0.04 * i + (i % 3) * 0.01});
            if (name[1] != '3') {
                Characteristic* l = fuse->appendCharacteristic(++id, lin, fuses.pointMemory());
                l->appendPoint(CurvePoint{1, 0.1, 0.9});
                l->appendPoint(CurvePoint{2, 0.5, 0.5});
                l->appendPoint(CurvePoint{3, 0.5, 0.2});
                l->appendPoint(CurvePoint{4, 0.3, 0.1});
            }
        }
        fuses.finishBuilding();
    }
};

// A table without value columns holds nothing a file keeps, and is saved as
// no table at all.
QStringList cells(const PointTableModel* table)
{
    QStringList out;
    if (!table || table->gridColumnCount() <= PointTableModel::FixedColumns)
        return out;
    for (int r = 0; r < table->gridRowCount(); ++r)
        for (int c = 0; c < table->gridColumnCount(); ++c)
            out << table->text(r, c) + (table->isUserEntered(r, c) ? "*" : "");
    return out;
}

} // namespace

// The chart measures its texts with the platform's fonts, which need a GUI
// application; the offscreen platform gives one without a display.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Database db;
    const ProjectReader reader(db.fuses, db.types);

    CCharacteristicChart chart;
    ChartProjectView view(chart);
    const ProjectReadResult first =
        reader.read(ProfileDocument(QByteArray(reinterpret_cast<const char*>(data), int(size))), view);
    for (const Fuse* fuse : chart.Fuses())
        if (db.fuses.findFuse(fuse->name()) != fuse)
            std::abort();
    if (first.complete && !chart.CurrentCharacteristic())
        std::abort();
    if (view.table())
        (void)PointTableExport::points(*view.table());
    if (!first.complete)
        return 0;

    ProfileDocument saved;
    ProjectWriter::write(saved, view);
    CCharacteristicChart again;
    ChartProjectView reopened(again);
    const ProjectReadResult second = reader.read(ProfileDocument(saved.toBytes()), reopened);
    // Names the file cannot hold were left out of the saved file; then the
    // views may differ, and that was reported when saving.
    QStringList skipped;
    ProfileDocument probe;
    skipped = ProjectWriter::write(probe, view);
    if (!skipped.isEmpty())
        return 0;
    if (again.Fuses() != chart.Fuses() || again.CurrentCharacteristic() != chart.CurrentCharacteristic() ||
        again.XLines().size() != chart.XLines().size() || again.YLines().size() != chart.YLines().size() ||
        cells(reopened.table()) != cells(view.table()))
        std::abort();
    (void)second;
    return 0;
}
