// The workbench against a real drawing host on a private bus: binding
// drawings to BOMs, the drawing events, insertion and the close routine,
// driven through the host's control object as a person would.
#include "AcadMenuFile.h"
#include "BlockInserter.h"
#include "BomRows.h"
#include "BomSync.h"
#include "CadConnection.h"
#include "CadTexts.h"
#include "HostFixture.h"
#include "WorkbenchModel.h"
#include "WorkbenchSettings.h"
#include "WorkbenchTestData.h"

#include <QCoreApplication>
#include <QDBusObjectPath>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

namespace {

const QString kCode = QStringLiteral("17");

// Counts the reattaches and lets a test start a host just before one.
class CountingBinder : public AcadBinder
{
public:
    explicit CountingBinder(DBusAcadBinder& inner) : m_inner(inner) {}
    AcadApplication attach(const QString& code) override
    {
        ++attaches;
        if (beforeAttach)
            beforeAttach();
        return m_inner.attach(code);
    }
    AcadApplication start(const QString& code) override { return m_inner.start(code); }

    int attaches = 0;
    std::function<void()> beforeAttach;

private:
    DBusAcadBinder& m_inner;
};

} // namespace

class CadWorkbenchTest : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        startHost(kCode);
        m_db = m_dir.filePath(QStringLiteral("db"));
        QDir().mkpath(m_db + QStringLiteral("/SYM"));
        QDir().mkpath(m_db + QStringLiteral("/DIM"));
        model.open(m_db, QStringLiteral("ANG"));
        sync = std::make_unique<BomSync>(model, [this](const QString& m) { overruns << m; });
        binder = std::make_unique<DBusAcadBinder>(m_bus->connection(), binderOptions());
        counting = std::make_unique<CountingBinder>(*binder);
        cad = std::make_unique<CadConnection>(model, *sync, *counting);
        cad->source = [this] { return source; };
        inserter = std::make_unique<BlockInserter>(model, log, m_db, m_dir.path() + u'/');
        source.drawings = {QStringLiteral("KS_FUSE"), QString(), QStringLiteral("KD_FUSE")};
        ASSERT_TRUE(cad->connectCad());
        counting->attaches = 0;
        makeDrawingFile(m_db + QStringLiteral("/SYM/KS_FUSE.dxf"));
        makeDrawingFile(m_db + QStringLiteral("/DIM/KD_FUSE.dxf"));
    }
    void TearDown() override
    {
        cad.reset();
        HostFixture::TearDown();
    }

    // A drawing file for the block definitions, written by the host itself.
    void makeDrawingFile(const QString& path)
    {
        const AcadDocument scratch = newDocument(cad->application());
        scratch.object().call(QStringLiteral("SaveAs"), {path});
        scratch.object().call(QStringLiteral("Close"), {false});
    }

    QDBusObjectPath newDrawing()
    {
        return control(kCode, QStringLiteral("NewDocument")).arguments().value(0).value<QDBusObjectPath>();
    }

    // Lets the host's signals arrive until `done` holds (or 10 s passed).
    static bool waitFor(const std::function<bool()>& done)
    {
        QDeadlineTimer deadline(10000);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    // Inserts with the pick answered at (x, y) as a person would.
    BlockInserter::Result insertAt(BlockInserter::Request r, double x, double y)
    {
        QTimer::singleShot(0, [&] { control(kCode, QStringLiteral("PickPoint"), {x, y}); });
        cad->pause();
        auto result = inserter->insert(cad->application(), cad->document(), r);
        cad->resume();
        return result;
    }

    BlockInserter::Request symbolRequest(const QString& code = QStringLiteral("IT1"))
    {
        BlockInserter::Request r;
        r.blockName = QStringLiteral("KS_FUSE");
        r.product = {code, QStringLiteral("Fuse ") + code, 10.0};
        return r;
    }

    QVariantMap item(const QString& ident)
    {
        TableView v(model.tables().itemTable());
        QVariantMap out;
        if (!v.locate({QStringLiteral("Ident")}, {ident}))
            return out;
        for (const FieldDef& f : model.tables().itemTable().schema().fields)
            out.insert(f.name, v.value(f.name));
        return out;
    }

    BomRows::Bom bom(int l2) { return BomRows(model.tables()).byKey(l2).value_or(BomRows::Bom{}); }

    QString m_db;
    WorkbenchModel model;
    DebugLog log;
    InsertSource source;
    QStringList overruns;
    std::unique_ptr<BomSync> sync;
    std::unique_ptr<DBusAcadBinder> binder;
    std::unique_ptr<CountingBinder> counting;
    std::unique_ptr<CadConnection> cad;
    std::unique_ptr<BlockInserter> inserter;
};

TEST_F(CadWorkbenchTest, BomFollowsInsertEraseUndoAndSave)
{
    newDrawing();
    cad->tick();
    const int k = cad->drawingBom();
    ASSERT_NE(k, 0);
    EXPECT_EQ(bom(k).type, QStringLiteral("T")) << "a new drawing gets a BOM of its own";
    EXPECT_EQ(bom(k).name, cad->documentName());
    ASSERT_TRUE(model.selectBom(k));
    cad->tick();
    EXPECT_TRUE(cad->insertCommands().symbol);
    EXPECT_TRUE(cad->insertCommands().dimension);

    // Automatic numbering records the number shown and moves it on.
    BlockInserter::Request r = symbolRequest(QStringLiteral("IT1"));
    r.autoNumber = true;
    r.blockNumber = QStringLiteral("7");
    const auto first = insertAt(r, 10, 10);
    ASSERT_TRUE(first.ok);
    EXPECT_EQ(first.nextBlockNumber, QStringLiteral("8"));
    EXPECT_EQ(item("IT1").value("BlockNo").toString(), QStringLiteral("7"));
    EXPECT_EQ(item("IT1").value("STATUSS").toString(), QStringLiteral("T"));
    EXPECT_EQ(item("IT1").value("SymHID").toString(), first.reference.handle());
    EXPECT_EQ(bom(k).type, QStringLiteral("S")) << "the first symbol makes it a schematic's BOM";
    EXPECT_EQ(bom(k).status, QStringLiteral("T"));
    cad->tick();
    EXPECT_FALSE(cad->insertCommands().dimension) << "a schematic takes no dimension drawings";

    // IT2 also has a dimension drawing elsewhere; IT3 is erased and restored.
    const auto second = insertAt(symbolRequest(QStringLiteral("IT2")), 20, 10);
    const auto third = insertAt(symbolRequest(QStringLiteral("IT3")), 30, 10);
    ASSERT_TRUE(second.ok && third.ok);
    {
        TableView v(model.tables().itemTable());
        ASSERT_TRUE(v.locate({QStringLiteral("Ident")}, {QStringLiteral("IT2")}));
        v.edit();
        v.setValue(QStringLiteral("L1DIM"), 999);
        v.post();
    }
    // The person looks at another BOM meanwhile: the save still belongs to
    // the drawing's own.
    const int list = model.newBom();
    ASSERT_EQ(model.currentBom(), list);
    const QString path = m_dir.filePath(QStringLiteral("SCHEMA.dxf"));
    control(kCode, QStringLiteral("SaveAs"), {path});
    ASSERT_TRUE(waitFor([&] { return item("IT1").value("STATUSS").toString().isEmpty(); }));
    EXPECT_EQ(bom(k).status, QStringLiteral("V"));
    EXPECT_EQ(bom(k).name, QStringLiteral("SCHEMA.dxf")) << "Save As moves the BOM";
    EXPECT_EQ(bom(k).file, path);
    cad->tick();
    EXPECT_EQ(cad->drawingBom(), k) << "the renamed drawing finds its BOM again";
    EXPECT_TRUE(cad->isBound());

    for (const auto& r : {first, second, third})
        control(kCode, QStringLiteral("Erase"), {r.reference.handle()});
    ASSERT_TRUE(waitFor([&] { return item("IT3").value("STATUSS").toString() == u"D"; }));
    control(kCode, QStringLiteral("Undo"));
    ASSERT_TRUE(waitFor([&] { return item("IT3").value("STATUSS").toString() == u"T"; }));
    control(kCode, QStringLiteral("Save"));
    ASSERT_TRUE(waitFor([&] { return item("IT1").isEmpty(); })) << "erased and saved: gone";
    EXPECT_EQ(item("IT2").value("L1SYM").toInt(), 0) << "kept for its dimension drawing";
    EXPECT_TRUE(item("IT2").value("SymHID").toString().isEmpty());
    EXPECT_EQ(item("IT3").value("STATUSS").toString(), QString());
    EXPECT_EQ(item("IT3").value("L1SYM").toInt(), k);
    EXPECT_TRUE(overruns.isEmpty());
}

TEST_F(CadWorkbenchTest, CancelledPickChangesNothingAndWritesTheLog)
{
    newDrawing();
    cad->tick();
    const int k = cad->drawingBom();
    ASSERT_TRUE(model.selectBom(k));
    const int items = model.tables().itemTable().rowCount();
    QTimer::singleShot(0, [&] { control(kCode, QStringLiteral("CancelPick")); });
    const auto result = inserter->insert(cad->application(), cad->document(), symbolRequest());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(log.lines().value(0), CadTexts::blockExcept());
    ASSERT_FALSE(result.logFile.isEmpty());
    QFile file(result.logFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Block except\r\n"));
    EXPECT_EQ(model.tables().itemTable().rowCount(), items);
    EXPECT_EQ(bom(k).type, QStringLiteral("T"));
    EXPECT_EQ(bom(k).status, QStringLiteral("V"));
    EXPECT_EQ(cad->document().modelSpaceCount(), 0);

    // Without "Create Bill of Material (BOM)" the block goes in and the BOM
    // is only marked.
    BlockInserter::Request r = symbolRequest();
    r.createBom = false;
    ASSERT_TRUE(insertAt(r, 5, 5).ok);
    EXPECT_EQ(model.tables().itemTable().rowCount(), items);
    EXPECT_EQ(bom(k).type, QStringLiteral("T"));
    EXPECT_EQ(bom(k).status, QStringLiteral("T"));
    EXPECT_EQ(cad->document().modelSpaceCount(), 1);
}

TEST_F(CadWorkbenchTest, CloseRoutineAsksKeepsAndDiscards)
{
    newDrawing();
    cad->tick();
    const int k = cad->drawingBom();
    ASSERT_TRUE(model.selectBom(k));
    ASSERT_TRUE(insertAt(symbolRequest(QStringLiteral("IT1")), 1, 1).ok);
    model.addWithoutCad({QStringLiteral("LST"), QStringLiteral("Listed"), 1.0}, 2);
    // Saved before and erased since: the file still holds it.
    addItem(model, {{"Ident", "KEPT"}, {"L1SYM", k}, {"L1DIM", 0}, {"L1NAR", 0},
                    {"SymID", 77.0}, {"SymHID", "7A"}, {"STATUSS", "D"}});

    // A second drawing that receives nothing but a no-CAD item.
    newDrawing();
    cad->tick();
    const int empty = cad->drawingBom();
    ASSERT_NE(empty, k);
    ASSERT_EQ(model.currentBom(), empty);
    model.addWithoutCad({QStringLiteral("GONE"), QStringLiteral("Listed"), 1.0}, 1);

    QStringList asked;
    EXPECT_FALSE(sync->closeBoms([&](const QString& name, const QString&) {
        asked << name;
        return true; // back to the drawing
    }));
    EXPECT_EQ(asked, QStringList{bom(k).name});
    EXPECT_EQ(item("IT1").value("STATUSS").toString(), QStringLiteral("T")) << "nothing discarded";
    EXPECT_EQ(bom(k).status, QStringLiteral("T"));
    EXPECT_EQ(bom(empty).l2, 0) << "a drawing's BOM that received nothing goes";
    EXPECT_TRUE(item("GONE").isEmpty()) << "with the list items that belong to it alone";
    EXPECT_EQ(item("LST").value("Kol").toInt(), 2);

    EXPECT_TRUE(sync->closeBoms([](const QString&, const QString&) { return false; }));
    EXPECT_TRUE(item("IT1").isEmpty()) << "the unsaved symbol is discarded";
    EXPECT_EQ(item("KEPT").value("STATUSS").toString(), QString()) << "the unsaved erase is";
    EXPECT_EQ(bom(k).type, QStringLiteral("S"));
    EXPECT_EQ(bom(k).status, QStringLiteral("V"));

    // Once its last symbol goes, the list item keeps the BOM as a list.
    {
        TableView v(model.tables().itemTable());
        ASSERT_TRUE(v.locate({QStringLiteral("Ident")}, {QStringLiteral("KEPT")}));
        v.remove();
    }
    sync->drawingClosing(k);
    EXPECT_EQ(bom(k).type, QStringLiteral("N"));
    EXPECT_EQ(bom(k).name, model.listName());
    EXPECT_EQ(item("LST").value("Kol").toInt(), 2);
}

TEST_F(CadWorkbenchTest, HandlesFindTheirBlocksInANewHostAndFailedTicksReattach)
{
    newDrawing();
    cad->tick();
    const int k = cad->drawingBom();
    ASSERT_TRUE(model.selectBom(k));
    const auto a = insertAt(symbolRequest(QStringLiteral("IT1")), 1, 1);
    const auto b = insertAt(symbolRequest(QStringLiteral("IT2")), 2, 2);
    ASSERT_TRUE(a.ok && b.ok);
    const QString handleA = a.reference.handle(), handleB = b.reference.handle();
    const QString path = m_dir.filePath(QStringLiteral("KEEP.dxf"));
    control(kCode, QStringLiteral("SaveAs"), {path});
    ASSERT_TRUE(waitFor([&] { return bom(k).status == u"V"; }));

    // The DXF holds each item's block with its attributes.
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"),
             {QStringLiteral("-c"),
              QStringLiteral("import ezdxf,sys\n"
                             "d=ezdxf.readfile(sys.argv[1])\n"
                             "for h in sys.argv[2:]:\n"
                             "  e=d.entitydb[h]\n"
                             "  print(e.dxf.name, ','.join(a.dxf.tag+'='+a.dxf.text for a in e.attribs))\n"),
              path, handleA, handleB});
    ASSERT_TRUE(py.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(py.readAllStandardOutput()),
              QStringLiteral("KS_FUSE Block=F1,Manufacturer=KAVREL,ItemNo=IT1,Item=Fuse IT1\n"
                             "KS_FUSE Block=F1,Manufacturer=KAVREL,ItemNo=IT2,Item=Fuse IT2\n"))
        << py.readAllStandardError().toStdString();

    // The host dies: a dead program never makes the items look erased.
    m_hosts.front()->kill();
    m_hosts.front()->waitForFinished();
    EXPECT_THROW(sync->synchronizeHandles(k, cad->document()), AcadError);
    EXPECT_EQ(item("IT1").value("STATUSS").toString(), QString());

    // Eleven failed ticks in all, then one reattach, to a host started
    // meanwhile.
    counting->beforeAttach = [this] { startHost(kCode); };
    for (int i = 0; i < CadConnection::FailedTickLimit; ++i)
        cad->tick();
    EXPECT_EQ(cad->failedTicks(), CadConnection::FailedTickLimit);
    EXPECT_EQ(counting->attaches, 0);
    cad->tick();
    EXPECT_EQ(counting->attaches, 1);
    EXPECT_EQ(cad->failedTicks(), 0);
    ASSERT_TRUE(cad->isConnected());
    counting->beforeAttach = nullptr;

    // Reopened: the ids of the last session mean nothing (a stale one here),
    // the handles find the blocks when the drawing binds.
    {
        TableView v(model.tables().itemTable());
        ASSERT_TRUE(v.locate({QStringLiteral("Ident")}, {QStringLiteral("IT1")}));
        v.edit();
        v.setValue(QStringLiteral("SymID"), 1.0);
        v.post();
        ASSERT_TRUE(v.locate({QStringLiteral("Ident")}, {QStringLiteral("IT2")}));
        v.edit();
        v.setValue(QStringLiteral("STATUSS"), QStringLiteral("D"));
        v.post();
    }
    control(kCode, QStringLiteral("Open"), {path});
    cad->tick();
    EXPECT_EQ(cad->failedTicks(), 0);
    EXPECT_EQ(cad->drawingBom(), k);
    EXPECT_TRUE(cad->isBound());
    const AcadEntity found = cad->document().handleToObject(handleA);
    EXPECT_EQ(item("IT1").value("SymID").toLongLong(), found.objectId());
    EXPECT_EQ(item("IT2").value("STATUSS").toString(), QString())
        << "found in the drawing as its file holds it: back and saved";

    // Without the host a reattach fails and the workbench lets go.
    m_hosts.back()->kill();
    m_hosts.back()->waitForFinished();
    for (int i = 0; i <= CadConnection::FailedTickLimit; ++i)
        cad->tick();
    EXPECT_EQ(counting->attaches, 2);
    EXPECT_FALSE(cad->isConnected());
    EXPECT_FALSE(cad->hasApplication());
}

TEST_F(CadWorkbenchTest, ListItemPlacedFromTheItemViewAndSettingsCommands)
{
    newDrawing();
    cad->tick();
    const int k = cad->drawingBom();
    ASSERT_TRUE(model.selectBom(k));
    model.addWithoutCad({QStringLiteral("LST"), QStringLiteral("Listed"), 3.0}, 4);
    ASSERT_TRUE(model.tables().TNar.locate({QStringLiteral("Ident")}, {QStringLiteral("LST")}));

    // The item selected in the item view becomes the block's item.
    BlockInserter::Request r = symbolRequest(QStringLiteral("OTHER"));
    r.bomItem = true;
    const auto placed = insertAt(r, 3, 3);
    ASSERT_TRUE(placed.ok);
    const QVariantMap row = item("LST");
    EXPECT_EQ(row.value("L1SYM").toInt(), k);
    EXPECT_EQ(row.value("STATUSS").toString(), QStringLiteral("T"));
    EXPECT_EQ(row.value("Status").toString(), QString()) << "no longer a no-CAD item";
    EXPECT_EQ(row.value("Kol").toInt(), 4);
    EXPECT_TRUE(item("OTHER").isEmpty());
    EXPECT_EQ(placed.reference.attributes().value(2).textString(), QStringLiteral("LST"));
    EXPECT_EQ(bom(k).type, QStringLiteral("S"));

    // "Set symbol scale": the person picks two contact points.
    QTimer answer;
    double distance = 30;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        const QString prompt =
            control(kCode, QStringLiteral("PendingPrompt")).arguments().value(0).toString();
        if (prompt == CadTexts::firstContactPrompt())
            control(kCode, QStringLiteral("PickPoint"), {10.0, 10.0});
        else if (prompt == CadTexts::secondContactPrompt())
            control(kCode, QStringLiteral("PickPoint"), {10.0 + distance, 10.0});
    });
    answer.start(5);
    for (const auto& [d, first, second] :
         {std::tuple{30.0, "1", "2"}, std::tuple{7.5, "2", "1"}}) {
        distance = d;
        const auto m = WorkbenchSettings::fromContactDistance(cad->measureContactDistance());
        ASSERT_TRUE(m);
        EXPECT_EQ(m->first, QLatin1String(first));
        EXPECT_EQ(m->second, QLatin1String(second));
        EXPECT_DOUBLE_EQ(m->factor, d / 15);
    }
    answer.stop();

    // The menu goes in once; the second time the host says why not.
    const QString menu = AcadMenuFile::write(m_dir.path() + u'/', QStringLiteral("kavrel"));
    ASSERT_FALSE(menu.isEmpty());
    cad->installMenu(menu);
    try {
        cad->installMenu(menu);
        ADD_FAILURE() << "a second install must fail";
    } catch (const AcadError& e) {
        EXPECT_EQ(e.kind(), AcadError::Kind::AlreadyLoaded);
        EXPECT_FALSE(e.message().isEmpty());
    }
}

// The workbench is killed (no handler runs, nothing is written back) right
// after an insertion, and the person saves the drawing meanwhile. Started
// again and bound to the drawing, the BOM finds the block the file holds.
TEST_F(CadWorkbenchTest, KilledAfterInsertionTheBomFindsTheSavedBlock)
{
    const QString db = m_dir.filePath(QStringLiteral("killed"));
    QDir().mkpath(db + QStringLiteral("/SYM"));
    makeDrawingFile(db + QStringLiteral("/SYM/KS_FUSE.dxf"));
    cad->disconnectCad(); // only the killed workbench follows the host here
    newDrawing();
    const QString path = m_dir.filePath(QStringLiteral("KILLED.dxf"));
    control(kCode, QStringLiteral("SaveAs"), {path});

    const auto child = m_bus->start(QStringLiteral(INSERT_WRITER), {db, kCode});
    const auto running = [&] { return child->state() == QProcess::Running; };
    ASSERT_TRUE(waitFor([&] {
        return !running() ||
               !control(kCode, QStringLiteral("PendingPrompt")).arguments().value(0).toString().isEmpty();
    }));
    ASSERT_TRUE(running()) << "exit code " << child->exitCode();
    control(kCode, QStringLiteral("PickPoint"), {10.0, 10.0});
    QString handle;
    ASSERT_TRUE(waitFor([&] {
        if (child->canReadLine()) {
            const QByteArray line = child->readLine().trimmed();
            if (line.startsWith("inserted "))
                handle = QString::fromLatin1(line.mid(9));
        }
        return !handle.isEmpty() || !running();
    }));
    ASSERT_FALSE(handle.isEmpty()) << "exit code " << child->exitCode();
    child->kill();
    child->waitForFinished();
    control(kCode, QStringLiteral("Save"));

    WorkbenchModel again;
    again.open(db, QStringLiteral("ANG"));
    BomSync againSync(again, [this](const QString& m) { overruns << m; });
    CadConnection againCad(again, againSync, *binder);
    ASSERT_TRUE(againCad.connectCad());
    againCad.tick();
    ASSERT_TRUE(againCad.isBound());
    const int k = againCad.drawingBom();
    const auto result = againCad.synchronize();
    EXPECT_EQ(result.found, 1);
    EXPECT_EQ(result.missing, 0);

    TableView v(again.tables().itemTable());
    ASSERT_TRUE(v.locate({QStringLiteral("Ident")}, {QStringLiteral("IT1")}));
    EXPECT_EQ(v.value(QStringLiteral("L1SYM")).toInt(), k);
    EXPECT_EQ(v.value(QStringLiteral("SymHID")).toString(), handle);
    EXPECT_EQ(v.value(QStringLiteral("SymID")).toLongLong(),
              againCad.document().handleToObject(handle).objectId());
    EXPECT_EQ(again.tables().itemTable().rowCount(), 1);
    EXPECT_EQ(BomRows(again.tables()).byKey(k).value_or(BomRows::Bom{}).type, QStringLiteral("S"));

    // The drawing is as its file: closing it unchanged keeps the item.
    control(kCode, QStringLiteral("Close"));
    ASSERT_TRUE(waitFor([&] { return againCad.drawingBom() == 0; }));
    TableView after(again.tables().itemTable());
    ASSERT_TRUE(after.locate({QStringLiteral("Ident")}, {QStringLiteral("IT1")}))
        << "the block the file holds left the BOM";
    EXPECT_EQ(after.value(QStringLiteral("STATUSS")).toString(), QString());
    EXPECT_EQ(after.value(QStringLiteral("L1SYM")).toInt(), k);

    // The file the person saved holds that block with the item's number.
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"),
             {QStringLiteral("-c"),
              QStringLiteral("import ezdxf,sys\n"
                             "e=ezdxf.readfile(sys.argv[1]).entitydb[sys.argv[2]]\n"
                             "print(e.dxf.name, [a.dxf.text for a in e.attribs if a.dxf.tag=='ItemNo'])\n"),
              path, handle});
    ASSERT_TRUE(py.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(py.readAllStandardOutput()), QStringLiteral("KS_FUSE ['IT1']\n"))
        << py.readAllStandardError().toStdString();
    EXPECT_TRUE(overruns.isEmpty());
}
