#include "LoopGuard.h"
#include "QtPrinters.h"
#include "WorkbenchModel.h"
#include "WorkbenchTestData.h"

#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class Workbench : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        model = std::make_unique<WorkbenchModel>();
        model->open(dir.path(), QStringLiteral("ANG"));
    }
    void reopen()
    {
        model.reset();
        model = std::make_unique<WorkbenchModel>();
        model->open(dir.path(), QStringLiteral("ANG"));
    }
    QString file(const QString& name) const { return dir.path() + u'/' + name; }

    QTemporaryDir dir;
    std::unique_ptr<WorkbenchModel> model;
};

} // namespace

TEST_F(Workbench, EmptyDatabaseGetsFirstProjectAndKeys)
{
    TableView& p = model->tables().Projekt;
    ASSERT_EQ(p.recordCount(), 1);
    EXPECT_EQ(p.asString("Name"), QStringLiteral("New project1"));
    EXPECT_EQ(p.asInt("L1"), 1);
    EXPECT_EQ(p.asInt("L2"), 2);
    EXPECT_EQ(p.asString("Type"), QStringLiteral("P"));
    EXPECT_EQ(p.asDateTime("DATUM"), QDateTime(QDate::currentDate(), QTime(0, 0)));
    EXPECT_TRUE(QFile::exists(file("set.cds")));
    EXPECT_TRUE(QFile::exists(file("narun.cds")));
    EXPECT_TRUE(QFile::exists(file("2.cds"))); // created empty when missing

    EXPECT_EQ(model->newBom(), 3);
    EXPECT_EQ(model->currentBomType(), QStringLiteral("N"));
    EXPECT_EQ(model->currentBomName(), QStringLiteral("List"));
    EXPECT_EQ(model->tables().Risba.asInt("L1"), 2);

    // A second project takes the keys after the highest in use.
    EXPECT_EQ(model->addProject(), 5);
    EXPECT_EQ(model->currentProject(), 5);
    EXPECT_EQ(model->tables().Projekt.asInt("L1"), 4);
    EXPECT_TRUE(model->tables().Risba.isEmpty());

    reopen(); // written through: everything is there, nothing added
    EXPECT_EQ(model->tables().Projekt.recordCount(), 2);
    EXPECT_EQ(model->currentProject(), 2);
    EXPECT_EQ(model->currentBomName(), QStringLiteral("List"));
}

TEST_F(Workbench, DerivedPricesOnEveryStoredRow)
{
    model->addWithoutCad({QStringLiteral("1234567"), QStringLiteral("Fuse"), 100.0}, 3);
    ASSERT_TRUE(model->editItem(1, QStringLiteral("Rabat"), -10.0));
    TableView& v = model->tables().TNar;
    EXPECT_DOUBLE_EQ(v.asFloat("Neto"), 110.0);
    EXPECT_DOUBLE_EQ(v.asFloat("Vred"), 330.0);
    EXPECT_DOUBLE_EQ(model->bomTotal(), 330.0);
    EXPECT_DOUBLE_EQ(model->projectTotal(), 330.0);

    // Any other view over the items stores through the same rule.
    TableView other(model->tables().itemTable());
    model->tables().prepareItemView(other);
    ASSERT_TRUE(other.locate({QStringLiteral("Ident")}, {QStringLiteral("1234567")}));
    other.edit();
    other.setValue(QStringLiteral("Cena"), 200.0);
    other.post();
    EXPECT_DOUBLE_EQ(other.asFloat("Vred"), 660.0);

    // Quantity is the user's only for items added without the CAD.
    EXPECT_TRUE(WorkbenchModel::isItemFieldEditable(QStringLiteral("Kol"), true));
    EXPECT_FALSE(WorkbenchModel::isItemFieldEditable(QStringLiteral("Kol"), false));
    EXPECT_FALSE(WorkbenchModel::isItemFieldEditable(QStringLiteral("Neto"), true));

    reopen();
    EXPECT_DOUBLE_EQ(model->tables().TNar.asFloat("Vred"), 660.0);
}

TEST_F(Workbench, AddingWithoutCadSumsQuantityPerList)
{
    const CatalogueProduct fuse{QStringLiteral("1234567"), QStringLiteral("Fuse"), 2.5};
    model->addWithoutCad(fuse, 2); // no BOM yet: a list is made
    ASSERT_EQ(model->tables().Risba.recordCount(), 1);
    EXPECT_EQ(model->currentBomType(), QStringLiteral("N"));
    model->addWithoutCad(fuse, 3);
    model->addWithoutCad({QStringLiteral("7654321"), QStringLiteral("Base"), 1.0}, 1);
    TableView& v = model->tables().TNar;
    ASSERT_EQ(v.recordCount(), 2);
    ASSERT_TRUE(v.locate({QStringLiteral("Ident")}, {fuse.code}));
    EXPECT_DOUBLE_EQ(v.asFloat("Kol"), 5.0);
    EXPECT_DOUBLE_EQ(v.asFloat("Vred"), 12.5);
    EXPECT_EQ(v.asInt("L1SYM"), -1);
    EXPECT_EQ(v.asInt("L1DIM"), -1);
    EXPECT_EQ(v.asInt("L1NAR"), model->currentBom());
    EXPECT_EQ(model->tables().narUnTable().rowCount(), 2);

    // Another list gets an item of its own.
    model->newBom();
    model->addWithoutCad(fuse, 1);
    EXPECT_EQ(v.recordCount(), 1);
    EXPECT_EQ(model->tables().itemTable().rowCount(), 3);
    EXPECT_EQ(srts(model->tables().TNarTot), (QList<int>{1, 2, 3}));
    EXPECT_DOUBLE_EQ(model->projectTotal(), 12.5 + 1.0 + 2.5);
}

namespace {

// One BOM of each Type and items that exercise every alternative of the
// item view: placed, erased, lacking a representation, listed.
struct Views
{
    int s, d, t, n;
    int symbolOnly, symbolErased, dimOnly, listOfN, listOfS, listOfT, both;
};

Views buildViews(WorkbenchModel& m)
{
    Views v{};
    v.s = addBom(m, QStringLiteral("S"), QStringLiteral("schema.dwg"));
    v.d = addBom(m, QStringLiteral("D"), QStringLiteral("layout.dwg"));
    v.t = addBom(m, QStringLiteral("T"), QStringLiteral("new.dwg"));
    v.n = addBom(m, QStringLiteral("N"), QStringLiteral("List"));
    const auto listed = [](int k) {
        return QVariantMap{{"L1NAR", k}, {"L1SYM", -1}, {"L1DIM", -1}, {"Status", "N"}};
    };
    v.symbolOnly = addItem(m, {{"L1SYM", v.s}, {"L1DIM", 0}, {"STATUSS", "T"}, {"SymHID", "1F"}});
    v.symbolErased = addItem(m, {{"L1SYM", v.s}, {"L1DIM", 0}, {"STATUSS", "D"}});
    v.dimOnly = addItem(m, {{"L1SYM", 0}, {"L1DIM", v.d}});
    v.listOfN = addItem(m, listed(v.n));
    v.listOfS = addItem(m, listed(v.s));
    v.listOfT = addItem(m, listed(v.t));
    v.both = addItem(m, {{"L1SYM", v.s}, {"L1DIM", v.d}, {"SymID", 77.0}, {"SymHID", "2A"},
                         {"Kol", 1.0}, {"Cena", 10.0}});
    return v;
}

} // namespace

TEST_F(Workbench, ItemViewsByTypeAndProjectSetting)
{
    const Views v = buildViews(*model);
    TableView& items = model->tables().TNar;
    const auto view = [&](int bom, bool project) {
        model->setProjectView(project);
        model->selectBom(bom);
        model->rebuildItemView();
        return srts(items);
    };
    EXPECT_EQ(view(v.s, true), (QList<int>{v.symbolOnly, v.dimOnly, v.listOfS, v.both}));
    EXPECT_EQ(view(v.s, false), (QList<int>{v.symbolOnly, v.listOfS, v.both}));
    EXPECT_EQ(view(v.d, true), (QList<int>{v.symbolOnly, v.dimOnly, v.both}));
    EXPECT_EQ(view(v.d, false), (QList<int>{v.dimOnly, v.both}));
    EXPECT_EQ(view(v.t, true), (QList<int>{v.symbolOnly, v.dimOnly, v.listOfT}));
    EXPECT_EQ(view(v.t, false), (QList<int>{v.listOfT}));
    EXPECT_EQ(view(v.n, true), (QList<int>{v.listOfN}));
    EXPECT_EQ(view(v.n, false), (QList<int>{v.listOfN}));

    // Insert permissions follow the Type.
    EXPECT_EQ(WorkbenchModel::permissionsFor(QStringLiteral("S")), (InsertPermissions{true, false}));
    EXPECT_EQ(WorkbenchModel::permissionsFor(QStringLiteral("D")), (InsertPermissions{false, true}));
    EXPECT_EQ(WorkbenchModel::permissionsFor(QStringLiteral("T")), (InsertPermissions{true, true}));
    EXPECT_EQ(model->permissions(), (InsertPermissions{true, true})); // "N" is current

    // The setting takes effect at the next rebuild only.
    model->setProjectView(true);
    model->selectBom(v.s);
    model->setProjectView(false);
    EXPECT_EQ(srts(items).size(), 4);

    // An erased symbol shows no drawing name; a placed one shows its BOM's.
    TableView work(model->tables().itemTable());
    model->tables().prepareItemView(work);
    ASSERT_TRUE(work.locate({QStringLiteral("Srt")}, {v.symbolErased}));
    EXPECT_EQ(work.asString("SYMDWG"), QString());
    ASSERT_TRUE(work.locate({QStringLiteral("Srt")}, {v.both}));
    EXPECT_EQ(work.asString("SYMDWG"), QStringLiteral("schema.dwg"));
    EXPECT_EQ(work.asString("DIMDWG"), QStringLiteral("layout.dwg"));
}

TEST_F(Workbench, DeletingBomsCascadesToTheirItems)
{
    const Views v = buildViews(*model);
    model->selectBom(v.s);
    model->deleteBom();
    EXPECT_FALSE(model->tables().LookRisba.findKey({v.s}));
    // Symbol-only and list items went; the item with a dimension drawing
    // stays with its symbol link cleared.
    const QVariantMap both = itemRow(*model, v.both);
    ASSERT_FALSE(both.isEmpty());
    EXPECT_EQ(both.value("L1SYM").toInt(), 0);
    EXPECT_EQ(both.value("SymID").toDouble(), 0.0);
    EXPECT_EQ(both.value("SymHID").toString(), QString());
    EXPECT_EQ(both.value("STATUSS").toString(), QString());
    EXPECT_EQ(both.value("L1DIM").toInt(), v.d);
    EXPECT_DOUBLE_EQ(both.value("Vred").toDouble(), 10.0);
    for (int gone : {v.symbolOnly, v.symbolErased, v.listOfS})
        EXPECT_TRUE(itemRow(*model, gone).isEmpty()) << gone;

    // A drawing BOM that never received anything takes its list items
    // along, so they are not left counted in the project total.
    model->selectBom(v.t);
    model->deleteBom();
    EXPECT_TRUE(itemRow(*model, v.listOfT).isEmpty());

    model->selectBom(v.d);
    model->deleteBom(); // "both" now has no symbol left: it goes
    EXPECT_TRUE(itemRow(*model, v.both).isEmpty());
    EXPECT_TRUE(itemRow(*model, v.dimOnly).isEmpty());
    EXPECT_FALSE(itemRow(*model, v.listOfN).isEmpty());
    EXPECT_EQ(model->currentBom(), v.n);
    EXPECT_EQ(srts(model->tables().TNar), (QList<int>{v.listOfN}));
}

TEST_F(Workbench, CascadeBeyondTheGuardStopsAndReports)
{
    const int s = addBom(*model, QStringLiteral("S"), QStringLiteral("big.dwg"));
    std::vector<ClientTable::Change> changes;
    const TableSchema& schema = model->tables().itemTable().schema();
    for (int i = 1; i <= LoopGuard::Limit + 5; ++i) {
        ClientTable::Change c;
        c.values.resize(schema.fields.size());
        c.values[size_t(schema.fieldIndex("Srt"))] = i;
        c.values[size_t(schema.fieldIndex("L1SYM"))] = s;
        changes.push_back(std::move(c));
    }
    model->tables().commitItems(changes);
    QSignalSpy overrun(model.get(), &WorkbenchModel::overrun);
    model->deleteBom();
    ASSERT_EQ(overrun.size(), 1);
    EXPECT_EQ(overrun.at(0).at(0).toString(), QStringLiteral("Loop overrun at line 3356 !"));
    // The command went on with what was done.
    EXPECT_EQ(model->tables().itemTable().rowCount(), 5);
    EXPECT_TRUE(model->tables().Risba.isEmpty());
}

TEST_F(Workbench, OnlyListNamesAreEditable)
{
    const int s = addBom(*model, QStringLiteral("S"), QStringLiteral("schema.dwg"));
    const int n = model->newBom();
    EXPECT_TRUE(model->renameBom(QStringLiteral("Panel 2")));
    model->selectBom(s);
    EXPECT_FALSE(model->renameBom(QStringLiteral("other.dwg")));
    EXPECT_EQ(model->currentBomName(), QStringLiteral("schema.dwg"));
    reopen();
    ASSERT_TRUE(model->selectBom(n));
    EXPECT_EQ(model->currentBomName(), QStringLiteral("Panel 2"));
}

TEST_F(Workbench, DeletingProjectsRemovesRowsAndItemFile)
{
    const int first = model->currentProject();
    const int second = model->addProject();
    addBom(*model, QStringLiteral("S"), QStringLiteral("a.dwg"));
    model->addWithoutCad({QStringLiteral("1"), QStringLiteral("x"), 1.0}, 1);
    ASSERT_TRUE(QFile::exists(file(QStringLiteral("%1.cds").arg(second))));

    // A refusing leave routine keeps the project.
    model->setLeaveHandler([] { return false; });
    EXPECT_FALSE(model->deleteProject());
    EXPECT_EQ(model->currentProject(), second);
    EXPECT_FALSE(model->selectProject(first));

    int leaves = 0;
    model->setLeaveHandler([&] { return ++leaves > 0; });
    ASSERT_TRUE(model->deleteProject());
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("%1.cds").arg(second))));
    EXPECT_EQ(model->currentProject(), first);
    EXPECT_EQ(model->tables().Projekt.recordCount(), 1);
    TableView all(model->tables().baseSetTable());
    all.setFilter(QStringLiteral("L1=%1").arg(second));
    EXPECT_TRUE(all.isEmpty()); // its BOMs went with it

    // The last project cannot leave the workbench without one.
    ASSERT_TRUE(model->deleteProject());
    EXPECT_EQ(model->tables().Projekt.recordCount(), 1);
    EXPECT_EQ(model->currentProjectName(), QStringLiteral("New project1"));
    EXPECT_TRUE(model->tables().itemsOpen());
}
