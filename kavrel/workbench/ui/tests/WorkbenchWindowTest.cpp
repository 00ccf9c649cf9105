#include "Artifacts.h"
#include "BomListModel.h"
#include "ItemGridModel.h"
#include "MessageBoxService.h"
#include "PrivateProfile.h"
#include "ProjectListModel.h"
#include "QtPrinters.h"
#include "TForm6.h"
#include "TFormProjekt.h"
#include "TNastavitve.h"
#include "WorkbenchTestData.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A database directory and a configuration file of their own per test.
class Windows : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString ini() const { return dir.path() + QStringLiteral("/KAVREL.INI"); }
    WorkbenchHost host(const QString& language = QStringLiteral("ANG"))
    {
        WorkbenchHost h;
        h.language = language;
        h.databaseDir = dir.path();
        h.programDir = dir.path() + u'/';
        h.programFile = QStringLiteral("kavrel");
        const QString file = ini();
        h.config = {[file](const QString& s, const QString& k, const QString& d) {
                        return PrivateProfile::getString(s, k, d, file);
                    },
                    [file](const QString& s, const QString& k, const QString& v) {
                        return PrivateProfile::writeString(s, k, v, file);
                    }};
        h.focusedProduct = [this] { return focused; };
        h.findProduct = [this](const QString& code) { found << code; };
        return h;
    }
    // The settings window first, then the workbench, as the catalogue
    // window creates them.
    void create(const QString& language = QStringLiteral("ANG"))
    {
        settings = std::make_unique<TNastavitve>(nullptr, host(language));
        settings->load();
        form = std::make_unique<TForm6>(nullptr, host(language), settings.get());
        settings->setWorkbench(form.get());
    }
    WorkbenchModel& model() { return form->model(); }

    QTemporaryDir dir;
    std::optional<CatalogueProduct> focused;
    QStringList found;
    std::unique_ptr<TNastavitve> settings;
    std::unique_ptr<TForm6> form;
};

// A project with a schematic, a layout and a list, and items in each; the
// schematic is current. Returns its key.
int fillSample(WorkbenchModel& m)
{
    const int s = addBom(m, QStringLiteral("S"), QStringLiteral("Switchboard.dwg"));
    const int d = addBom(m, QStringLiteral("D"), QStringLiteral("Cabinet.dwg"));
    addItem(m, {{"L1SYM", s}, {"L1DIM", d}, {"Ident", "1110100"}, {"NAZIV", "NH00 gG 10 A"},
                {"Kol", 3.0}, {"Cena", 4.2}, {"Blok", "F"}, {"BlockNo", "1"}});
    addItem(m, {{"L1SYM", s}, {"L1DIM", 0}, {"Ident", "1210200"}, {"NAZIV", "NH00 aM 20 A"},
                {"Kol", 1.0}, {"Cena", 5.9}, {"Blok", "F"}, {"BlockNo", "2"}});
    addItem(m, {{"L1SYM", 0}, {"L1DIM", d}, {"Ident", "3300100"}, {"NAZIV", "Fuse base NH00"},
                {"Kol", 2.0}, {"Cena", 12.0}});
    m.newBom();
    m.addWithoutCad({QStringLiteral("4400010"), QStringLiteral("Busbar 10 mm"), 7.5}, 4);
    m.selectBom(s);
    return s;
}

} // namespace

TEST_F(Windows, SizeLimitsAndPlacement)
{
    create();
    form->show();
    form->resize(100, 100);
    EXPECT_GE(form->width(), 640);
    EXPECT_GE(form->height(), 212);
    form->Splitter1->setSizes({20, 500});
    EXPECT_GE(form->Panel3->height(), 110);
    EXPECT_FALSE(form->placementStored());

    form->setGeometry(40, 50, 700, 330);
    form->close();
    EXPECT_FALSE(form->isVisible());
    form.reset();
    create();
    EXPECT_TRUE(form->placementStored());
    EXPECT_EQ(form->geometry(), QRect(40, 50, 700, 330));

    PrivateProfile::writeString("OknoKosovnica", "PanelHeight", "12x", ini());
    form.reset();
    create();
    EXPECT_FALSE(form->placementStored());
}

TEST_F(Windows, ConnBomSwitchesGridAndConnectionOptions)
{
    create();
    form->show();
    settings->show();
    settings->Blocks->setCurrentWidget(settings->SheetAttrib);
    QTest::mouseClick(settings->ConnBOM, Qt::LeftButton);
    for (QCheckBox* b : {settings->Connlive, settings->ConnSyncStart, settings->ConnSyncEnd}) {
        EXPECT_FALSE(b->isChecked());
        EXPECT_FALSE(b->isEnabled());
    }
    EXPECT_TRUE(form->DBGrid1->isHidden());
    EXPECT_FALSE(form->TntBitBtn3->isEnabled());
    EXPECT_EQ(form->height(), 212);

    QTest::mouseClick(settings->ConnBOM, Qt::LeftButton);
    for (QCheckBox* b : {settings->Connlive, settings->ConnSyncStart, settings->ConnSyncEnd}) {
        EXPECT_FALSE(b->isChecked());
        EXPECT_TRUE(b->isEnabled());
    }
    EXPECT_FALSE(form->DBGrid1->isHidden());
    EXPECT_EQ(form->height(), 360);

    // Saved on closing the window; a workbench made later starts without
    // its grid when the option is off.
    QTest::mouseClick(settings->ConnBOM, Qt::LeftButton);
    settings->close();
    EXPECT_EQ(PrivateProfile::getString("SetAcadAtt", "ConnBOM", "", ini()), QStringLiteral("F"));
    form.reset();
    create();
    EXPECT_TRUE(form->DBGrid1->isHidden());
    EXPECT_FALSE(settings->Connlive->isEnabled());
}

TEST_F(Windows, ScalesReachTheWorkbenchAndSurviveARestart)
{
    PrivateProfile::writeString("SetSymDim", "ScaleSym2", "4", ini());
    create();
    EXPECT_EQ(model().symbolScale(), 4.0); // taken from the loaded settings

    ScriptedMessageBoxes boxes;
    settings->ScaleDim2->setText(QStringLiteral("50"));
    EXPECT_EQ(model().dimensionScale(), 50.0);
    settings->ScaleDim1->setText(QStringLiteral("x"));
    EXPECT_EQ(model().dimensionScale(), 50.0); // silently kept
    settings->ScaleDim1->setText(QStringLiteral("1"));

    settings->show();
    settings->ScaleSym1->setFocus();
    settings->ScaleSym1->setText(QStringLiteral("abc"));
    EXPECT_EQ(model().symbolScale(), 4.0);
    EXPECT_TRUE(boxes.shown().isEmpty()); // not while typing
    QTest::keyClick(settings->ScaleSym1, Qt::Key_Return);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).text, QStringLiteral("'abc' is not a valid floating point value"));
    settings->ScaleSym1->setText(QStringLiteral("2"));
    EXPECT_EQ(model().symbolScale(), 2.0);

    settings->close();
    settings = std::make_unique<TNastavitve>(nullptr, host());
    settings->load();
    EXPECT_EQ(settings->ScaleDim1->text() + u':' + settings->ScaleDim2->text(),
              QStringLiteral("1:50"));
}

TEST_F(Windows, BomCommandsAskAndStore)
{
    create();
    form->show();
    ScriptedMessageBoxes boxes;
    QTest::mouseClick(form->GNewBOM, Qt::LeftButton);
    ASSERT_EQ(form->bomModel()->rowCount(), 1);
    EXPECT_EQ(form->DBRisbaGrid1->currentIndex().row(), 0);

    // Add the focused product twice: one item, quantities summed.
    focused = CatalogueProduct{QStringLiteral("1110100"), QStringLiteral("NH00 gG 10 A"), 4.0};
    form->SpinEdit2->setValue(2);
    QTest::mouseClick(form->GBtnOrder, Qt::LeftButton);
    QTest::mouseClick(form->GBtnOrder, Qt::LeftButton);
    ASSERT_EQ(form->itemModel()->rowCount(), 1);
    EXPECT_EQ(form->itemModel()->index(0, ItemGridModel::Kol).data().toString(), QStringLiteral("4"));
    EXPECT_TRUE(form->BtnDelItem->isEnabled());
    // Nothing is added while the catalogue's focus is on a group.
    focused.reset();
    QTest::mouseClick(form->GBtnOrder, Qt::LeftButton);
    EXPECT_EQ(model().tables().itemTable().rowCount(), 1);

    // A double click asks the catalogue for the product.
    const QRect cell = form->DBGrid1->visualRect(form->itemModel()->index(0, ItemGridModel::Naziv));
    QTest::mouseClick(form->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(form->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(found, QStringList{QStringLiteral("1110100")});
    EXPECT_EQ(form->source(), TForm6::Source::BomItem);
    EXPECT_FALSE(form->GBtnOrder->isEnabled());
    form->catalogueFocusChanged();
    EXPECT_TRUE(form->GBtnOrder->isEnabled());

    boxes.answer(MessageBoxService::No);
    QTest::mouseClick(form->GDelBOM, Qt::LeftButton);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).title, QStringLiteral("WARNING !"));
    EXPECT_EQ(form->bomModel()->rowCount(), 1);
    QTest::mouseClick(form->GDelBOM, Qt::LeftButton);
    EXPECT_EQ(form->bomModel()->rowCount(), 0);
    EXPECT_EQ(model().tables().itemTable().rowCount(), 0);
    EXPECT_FALSE(form->BtnDelItem->isEnabled());
}

TEST_F(Windows, GridsEditOnlyWhatMayChange)
{
    create();
    const int schematic = fillSample(model());
    form->show();
    BomListModel* boms = form->bomModel();
    ItemGridModel* items = form->itemModel();

    // List names in place; drawing names never.
    EXPECT_FALSE(boms->flags(boms->index(0, BomListModel::Name)) & Qt::ItemIsEditable);
    const QModelIndex list = boms->index(2, BomListModel::Name);
    ASSERT_TRUE(boms->flags(list) & Qt::ItemIsEditable);
    form->DBRisbaGrid1->setCurrentIndex(list);
    form->DBRisbaGrid1->edit(list);
    QWidget* editor = form->DBRisbaGrid1->focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
    qobject_cast<QLineEdit*>(editor)->setText(QStringLiteral("Spare parts"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on the next turn
    EXPECT_EQ(model().currentBomName(), QStringLiteral("Spare parts"));

    // Schematic: the item lacking a symbol is green, the list-free code cell
    // keeps the row colour; prices are edited and derived at once.
    model().selectBom(schematic);
    ASSERT_EQ(items->rowCount(), 3);
    int base = -1;
    for (int r = 0; r < items->rowCount(); ++r) {
        if (items->index(r, ItemGridModel::Ident).data().toString() == u"3300100")
            base = r;
    }
    ASSERT_GE(base, 0);
    EXPECT_EQ(items->index(base, ItemGridModel::Naziv).data(Qt::BackgroundRole).value<QColor>(),
              ItemGridModel::NoSymbol);
    for (int r = 0; r < items->rowCount(); ++r) {
        if (r != base) {
            EXPECT_FALSE(items->index(r, ItemGridModel::Naziv).data(Qt::BackgroundRole).isValid());
        }
    }
    EXPECT_FALSE(items->flags(items->index(base, ItemGridModel::Kol)) & Qt::ItemIsEditable);
    ASSERT_TRUE(items->setData(items->index(base, ItemGridModel::Rabat), -10.0));
    EXPECT_NEAR(items->index(base, ItemGridModel::Neto).data(Qt::EditRole).toDouble(), 13.2, 1e-9);
    EXPECT_NEAR(items->index(base, ItemGridModel::Vred).data(Qt::EditRole).toDouble(), 26.4, 1e-9);

    // The column titles order the items.
    form->DBGrid1->horizontalHeader()->sectionClicked(ItemGridModel::Naziv);
    EXPECT_EQ(model().tables().TNar.orderFields().first(), QStringLiteral("L1NAR"));
    EXPECT_EQ(items->index(0, ItemGridModel::Naziv).data().toString(), QStringLiteral("Fuse base NH00"));
}

TEST_F(Windows, ProjectsWindowAddsAndDeletes)
{
    create(QStringLiteral("NEM"));
    TFormProjekt* p = form->projects();
    p->show();
    ScriptedMessageBoxes boxes;
    QTest::mouseClick(p->TntBitBtn5, Qt::LeftButton);
    ProjectListModel* grid = p->projectModel();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->index(1, ProjectListModel::Name).data().toString(), QString());
    EXPECT_EQ(grid->index(1, ProjectListModel::Date).data(Qt::EditRole).toDate(), QDate::currentDate());
    EXPECT_EQ(p->TntDBGrid1->currentIndex().row(), 1);
    const int added = model().currentProject();
    model().addWithoutCad({QStringLiteral("1"), QStringLiteral("x"), 1.0}, 1);
    const QString file = dir.path() + QStringLiteral("/%1.cds").arg(added);
    ASSERT_TRUE(QFile::exists(file));

    // Name typed in place, stored when the window closes.
    const QModelIndex name = grid->index(1, ProjectListModel::Name);
    p->TntDBGrid1->edit(name);
    QWidget* editor = p->TntDBGrid1->focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
    qobject_cast<QLineEdit*>(editor)->setText(QStringLiteral("Hall B"));
    p->close();
    EXPECT_EQ(model().currentProjectName(), QStringLiteral("Hall B"));
    EXPECT_TRUE(form->windowTitle().contains(QStringLiteral("Hall B")));

    // While the close routine refuses (a drawing to go back to), choosing
    // another project leaves everything on the current one.
    form->hooks.closeCheck = [] { return false; };
    p->show();
    p->TntDBGrid1->setCurrentIndex(grid->index(0, ProjectListModel::Name));
    EXPECT_EQ(model().currentProject(), added);
    EXPECT_EQ(p->TntDBGrid1->currentIndex().row(), 1);
    form->hooks.closeCheck = nullptr;

    // German has no confirmation text: the box is empty and OK deletes.
    QTest::mouseClick(p->TntBitBtn2, Qt::LeftButton);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).text, QString());
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(p->TntDBGrid1->currentIndex().row(), 0);
}

TEST_F(Windows, Screenshots)
{
    for (const QString& language : {QStringLiteral("ANG"), QStringLiteral("SLO"),
                                    QStringLiteral("HRV"), QStringLiteral("POL")}) {
        create(language);
        if (model().tables().Risba.isEmpty())
            fillSample(model());
        form->BtnPrice->setChecked(true);
        form->applyGridLayout();
        form->resize(900, 400);
        form->show();
        QCoreApplication::processEvents(); // the layout a person would see
        Artifacts::save(form.get(), QStringLiteral("workbench-") + language);
        form.reset();
    }
    create(QStringLiteral("SLO"));
    settings->show();
    for (int tab = 0; tab < settings->Blocks->count(); ++tab) {
        settings->Blocks->setCurrentIndex(tab);
        Artifacts::save(settings.get(), QStringLiteral("workbench-settings-%1").arg(tab));
    }
    form->projects()->show();
    Artifacts::save(form->projects(), QStringLiteral("workbench-projects"));
}
