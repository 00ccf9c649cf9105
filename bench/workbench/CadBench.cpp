// Speed of the workbench with a real drawing host on a bus of its own: one
// whole insertion (the pick answered at once by the host's control object),
// one polling tick that finds nothing changed, the handle synchronisation
// of a BOM with 1,000 placed symbols, and the save event on a BOM of 1,000
// items of which 100 were erased. Wall clock, median of several runs.
#include "BlockInserter.h"
#include "BomRows.h"
#include "BomSync.h"
#include "CadConnection.h"
#include "DBusAcadBinder.h"
#include "PrivateBus.h"
#include "WorkbenchModel.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void report(const char* figure, double value, const char* unit)
{
    std::printf("BENCH %s %.4g %s\n", figure, value, unit);
    std::fflush(stdout);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double timeMs(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

// Placed symbols of BOM `k`, written straight into the item table.
void addPlaced(WorkbenchModel& model, int k, const std::vector<AcadEntity>& refs, int erased)
{
    WorkbenchTables& t = model.tables();
    const TableSchema& s = t.itemTable().schema();
    std::vector<ClientTable::Change> changes;
    const int base = t.nextSrt();
    for (size_t i = 0; i < refs.size(); ++i) {
        ClientTable::Change c;
        c.values.resize(s.fields.size());
        const auto set = [&](const char* f, const QVariant& v) {
            c.values[size_t(s.fieldIndex(QLatin1String(f)))] = v;
        };
        set("Srt", base + int(i));
        set("Ident", QStringLiteral("P%1").arg(i));
        set("L1SYM", k);
        set("L1DIM", i % 2 ? 0 : 5);
        set("L1NAR", 0);
        set("Kol", 1.0);
        set("SymID", double(refs[i].isNull() ? qint64(i + 1) : refs[i].objectId()));
        set("SymHID", refs[i].isNull() ? QStringLiteral("%1").arg(i + 100, 0, 16).toUpper()
                                       : refs[i].handle());
        set("STATUSS", int(i) < erased ? QStringLiteral("D") : QStringLiteral("T"));
        changes.push_back(std::move(c));
    }
    t.commitItems(changes);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString root = QStringLiteral(BENCH_WORK_DIR) + QStringLiteral("/workbench-cad");
    QDir(root).removeRecursively();
    QDir().mkpath(root + QStringLiteral("/db/SYM"));
    PrivateBus bus;
    if (!bus.isValid()) {
        std::fprintf(stderr, "no bus: %s\n", qPrintable(bus.error()));
        return 1;
    }
    DBusAcadBinder::Options o;
    o.hostProgram = QStringLiteral(CADHOST_EXE);
    o.environment = bus.environment();
    DBusAcadBinder binder(bus.connection(), o);

    WorkbenchModel model;
    model.open(root + QStringLiteral("/db"), QStringLiteral("ANG"));
    BomSync sync(model, [](const QString&) {});
    CadConnection cad(model, sync, binder);
    if (!cad.connectCad())
        return 1;
    const auto control = [&](const QString& member, const QVariantList& args = {}) {
        QDBusMessage m = QDBusMessage::createMethodCall(
            DBusAcadBinder::serviceName(cad.application().versionCode()), QStringLiteral("/Control"),
            QStringLiteral("org.kavrel.CadHost.Control"), member);
        m.setArguments(args);
        return bus.connection().call(m, QDBus::Block, 30000);
    };
    // The symbol's drawing file, written by the host.
    {
        AcadDocument scratch(cad.application().object().object(QStringLiteral("Documents")).object(
            QStringLiteral("Add")));
        scratch.object().call(QStringLiteral("SaveAs"), {root + QStringLiteral("/db/SYM/KS_FUSE.dxf")});
        scratch.object().call(QStringLiteral("Close"), {false});
    }
    control(QStringLiteral("NewDocument"));
    cad.tick();
    const int k = cad.drawingBom();
    model.selectBom(k);
    cad.pause();

    DebugLog log;
    BlockInserter inserter(model, log, root + QStringLiteral("/db"), root + u'/');
    BlockInserter::Request r;
    r.blockName = QStringLiteral("KS_FUSE");
    r.product = {QStringLiteral("P1"), QStringLiteral("Fuse"), 1.0};
    std::vector<double> insert;
    for (int run = 0; run < 15; ++run) {
        QTimer::singleShot(0, [&] { control(QStringLiteral("PickPoint"), {double(run), 0.0}); });
        insert.push_back(timeMs([&] { inserter.insert(cad.application(), cad.document(), r); }));
    }
    report("insertion_through_host", median(insert), "ms");

    cad.resume();
    cad.tick();
    cad.pause();
    std::vector<double> tick;
    for (int run = 0; run < 50; ++run)
        tick.push_back(timeMs([&] { cad.tick(); }));
    report("polling_tick_unchanged", median(tick), "ms");

    // 1,000 placed symbols in a drawing of their own.
    control(QStringLiteral("NewDocument"));
    cad.resume();
    cad.tick();
    cad.pause();
    const int big = cad.drawingBom();
    std::vector<AcadEntity> refs;
    // The first reference brings the definition from the file.
    const QString symbolFile = root + QStringLiteral("/db/SYM/KS_FUSE.dxf");
    for (int i = 0; i < 1000; ++i)
        refs.push_back(cad.document().insertBlock(
            {double(i), 10, 0}, i == 0 ? symbolFile : QStringLiteral("KS_FUSE"), 1, 1, 1, 0));
    BomRows(model.tables()).update(big, {{QStringLiteral("Type"), QStringLiteral("S")}});
    addPlaced(model, big, refs, 0);
    std::vector<double> handles;
    for (int run = 0; run < 5; ++run)
        handles.push_back(timeMs([&] { sync.synchronizeHandles(big, cad.document()); }));
    report("handle_sync_1000", median(handles), "ms");

    // The save event, on a fresh BOM each run.
    std::vector<double> save;
    for (int run = 0; run < 7; ++run) {
        const int l2 = model.newBom();
        BomRows(model.tables()).update(l2, {{QStringLiteral("Type"), QStringLiteral("S")},
                                            {QStringLiteral("File"), QStringLiteral("x.dxf")}});
        addPlaced(model, l2, std::vector<AcadEntity>(1000), 100);
        save.push_back(timeMs([&] { sync.drawingSaved(l2, QStringLiteral("x.dxf")); }));
    }
    report("save_event_1000_items_100_erased", median(save), "ms");
    control(QStringLiteral("Quit"));
    return 0;
}
