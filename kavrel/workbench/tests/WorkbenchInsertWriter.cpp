// Inserts one symbol into the current drawing of a running drawing host
// through the workbench, says so on stdout once the BOM holds it and then
// waits to be killed. Used by the test of a workbench killed mid-session.
//   workbench_insert_writer <database dir> <host version code>
#include "BlockInserter.h"
#include "BomSync.h"
#include "CadConnection.h"
#include "DBusAcadBinder.h"
#include "WorkbenchModel.h"

#include <QCoreApplication>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace {

// Attaches to the host of the version given and never starts one: the test
// owns the host whose drawing it later saves.
class OneHostBinder : public AcadBinder
{
public:
    explicit OneHostBinder(QString code) : m_code(std::move(code)) {}
    AcadApplication attach(const QString& code) override
    {
        return code == m_code ? m_inner.attach(code) : AcadApplication();
    }
    AcadApplication start(const QString&) override { return {}; }

private:
    QString m_code;
    DBusAcadBinder m_inner; // the session bus of the environment
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString db = QString::fromLocal8Bit(argv[1]);
    try {
        WorkbenchModel model;
        model.open(db, QStringLiteral("ANG"));
        BomSync sync(model, [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); });
        OneHostBinder binder(QString::fromLocal8Bit(argv[2]));
        CadConnection cad(model, sync, binder);
        if (!cad.connectCad())
            return 3;
        cad.pause();
        cad.tick();
        if (cad.drawingBom() == 0 || !model.selectBom(cad.drawingBom()))
            return 4;
        DebugLog log;
        BlockInserter inserter(model, log, db, db + u'/');
        BlockInserter::Request r;
        r.blockName = QStringLiteral("KS_FUSE");
        r.product = {QStringLiteral("IT1"), QStringLiteral("Fuse IT1"), 10.0};
        const BlockInserter::Result result = inserter.insert(cad.application(), cad.document(), r);
        if (!result.ok)
            return 5;
        std::printf("inserted %s\n", qPrintable(result.reference.handle()));
        std::fflush(stdout);
        for (;;)
            ::pause();
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
