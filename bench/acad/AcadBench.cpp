// bench-acad: the client against a drawing host on a private bus.
//  - property read: one round trip of Documents.Count, median;
//  - insertion: the calls of one symbol insertion as the workbench makes
//    them (block lookup, definition from the symbol file, four attribute
//    definitions, the reference, attribute values, regen and zoom), without
//    the person's pick, median over fresh drawings.
// (Saving large drawings is measured by bench-cadhost.)
#include "AcadApplication.h"
#include "AcadAttribute.h"
#include "AcadBlock.h"
#include "AcadError.h"
#include "DBusAcadBinder.h"
#include "PrivateBus.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

QTextStream out(stdout);

void figure(const char* name, double value, const char* unit)
{
    out << "BENCH " << name << ' ' << QString::number(value, 'f', 3) << ' ' << unit << Qt::endl;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Milliseconds of each of `runs` calls of `timed`; `prepare` runs untimed before each.
std::vector<double> measure(int runs, const std::function<void()>& prepare,
                            const std::function<void()>& timed)
{
    std::vector<double> ms;
    QElapsedTimer t;
    for (int i = 0; i < runs; ++i) {
        prepare();
        t.start();
        timed();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return ms;
}

// A symbol drawing of the sample installation when it is built, else an
// empty drawing saved by the host.
QString symbolFile(const AcadApplication& app, const QString& work)
{
    QDirIterator it(QStringLiteral(SAMPLE_DIR "/kavrel/db/SYM"), {QStringLiteral("*.dxf")});
    if (it.hasNext())
        return it.next();
    const QString path = work + QStringLiteral("/SYMBOL.dxf");
    const AcadObject doc = app.object().object("Documents").object("Add");
    doc.call(QStringLiteral("SaveAs"), {path});
    doc.call(QStringLiteral("Close"), {false});
    return path;
}

void insertSymbol(const AcadDocument& doc, const QString& file, const QString& name)
{
    static const QStringList tags = {"Block", "Manufacturer", "ItemNo", "Item"};
    const bool empty = doc.modelSpaceCount() == 0;
    AcadPoint at{1, -1, 0};
    if (doc.findBlock(name).isNull()) {
        const AcadBlock definition = doc.addBlock(at, name);
        definition.insertFile(at, file);
        for (const QString& tag : tags) {
            definition.addAttribute(0.2, 0, tag, at, tag, tag).setInsertionPoint(at);
            at.y -= 0.3;
        }
    }
    const AcadEntity ref = doc.insertBlock({10, 10, 0}, name, 1, 1, 1, 0);
    for (const AcadAttribute& a : ref.attributes()) {
        const QString tag = a.tagString();
        a.setVisible(true);
        if (tag != u"Manufacturer")
            a.setTextString(tag + QStringLiteral(" value"));
    }
    ref.objectId();
    ref.handle();
    doc.regen(0);
    if (empty)
        doc.zoomExtents();
}

int run()
{
    PrivateBus bus;
    if (!bus.isValid()) {
        out << "no private bus: " << bus.error() << Qt::endl;
        return 1;
    }
    const auto host = bus.start(QStringLiteral(CADHOST_EXE), {"--version", "17"});
    if (!bus.waitForName(DBusAcadBinder::serviceName("17"), 20000, host.get())) {
        out << "cadhost did not come up" << Qt::endl;
        return 1;
    }
    DBusAcadBinder binder(bus.connection());
    const AcadApplication app = binder.attach(QStringLiteral("17"));
    const QString work = QStringLiteral(BENCH_WORK_DIR "/acad");
    QDir(work).removeRecursively();
    QDir().mkpath(work);

    app.documentCount();
    figure("acad_property_read_ms",
           median(measure(2000, [] {}, [&] { app.documentCount(); })), "ms");

    const QString symbol = symbolFile(app, work);
    AcadDocument doc;
    std::vector<double> inserts = measure(
        40,
        [&] {
            if (!doc.isNull())
                doc.object().call(QStringLiteral("Close"), {false});
            doc = AcadDocument(app.object().object("Documents").object("Add"));
        },
        [&] { insertSymbol(doc, symbol, QStringLiteral("SYMBOL")); });
    figure("acad_insertion_sequence_ms", median(inserts), "ms");

    // The host started here ends with the bench, not with the private bus.
    QDBusMessage quit = QDBusMessage::createMethodCall(
        DBusAcadBinder::serviceName("17"), QStringLiteral("/Control"),
        QStringLiteral("org.kavrel.CadHost.Control"), QStringLiteral("Quit"));
    bus.connection().call(quit, QDBus::Block, 10000);
    host->waitForFinished(10000);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication qapp(argc, argv);
    try {
        return run();
    } catch (const AcadError& e) {
        out << "error: " << e.message() << Qt::endl;
        return 1;
    }
}
