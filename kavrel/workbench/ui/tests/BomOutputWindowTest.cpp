#include "Artifacts.h"
#include "BomOutputCommands.h"
#include "BomPrintPreview.h"
#include "ItemGridModel.h"
#include "MessageBoxService.h"
#include "PrivateProfile.h"
#include "QtPrinters.h"
#include "TForm6.h"
#include "TNastavitve.h"
#include "WorkbenchTestData.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class Output : public ::testing::Test
{
protected:
    void create(const QString& language = QStringLiteral("ANG"))
    {
        ASSERT_TRUE(dir.isValid());
        WorkbenchHost h;
        h.language = language;
        h.databaseDir = dir.path();
        h.programDir = dir.path() + u'/';
        const QString ini = dir.path() + QStringLiteral("/KAVREL.INI");
        h.config = {[ini](const QString& s, const QString& k, const QString& d) {
                        return PrivateProfile::getString(s, k, d, ini);
                    },
                    [ini](const QString& s, const QString& k, const QString& v) {
                        return PrivateProfile::writeString(s, k, v, ini);
                    }};
        PrivateProfile::writeString("Customer", "N1E1", "Elektro Kovač d.o.o.", ini);
        PrivateProfile::writeString("Customer", "N4E1", "Ljubljana", ini);
        form.reset();
        settings = std::make_unique<TNastavitve>(nullptr, h);
        settings->load();
        form = std::make_unique<TForm6>(nullptr, h, settings.get());
        settings->setWorkbench(form.get());
        form->resize(900, 420);
        form->show();
    }
    WorkbenchModel& model() { return form->model(); }
    // A schematic with one placed symbol and one list item of the same
    // product, and a second product; the schematic is current.
    void fill()
    {
        WorkbenchModel& m = model();
        const int s = addBom(m, QStringLiteral("S"), QStringLiteral("Switchboard.dwg"));
        addItem(m, {{"L1SYM", s}, {"Ident", "1110100"}, {"NAZIV", "NH00 gG 10 A"}, {"Kol", 1.0},
                    {"Cena", 4.2}, {"Blok", "F"}, {"BlockNo", "1"}});
        addItem(m, {{"L1SYM", s}, {"Ident", "2210200"}, {"NAZIV", "Fuse base NH00"}, {"Kol", 2.0},
                    {"Cena", 12.0}, {"Blok", "F"}, {"BlockNo", "2"}});
        m.selectBom(s);
        m.addWithoutCad({QStringLiteral("1110100"), QStringLiteral("NH00 gG 10 A"), 4.2}, 4);
    }
    QList<bool> hiddenColumns() const
    {
        QList<bool> out;
        for (int c = 0; c < ItemGridModel::ColumnCount; ++c)
            out << form->DBGrid1->isColumnHidden(c);
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<TNastavitve> settings;
    std::unique_ptr<TForm6> form;
};

} // namespace

TEST_F(Output, SummaryViewSumsPerProductAndPricesShowOnlyItsValue)
{
    create();
    fill();
    ItemGridModel* grid = form->itemModel();
    ASSERT_EQ(grid->rowCount(), 3);
    QTest::mouseClick(form->BtnSUM, Qt::LeftButton);
    ASSERT_TRUE(form->BtnSUM->isChecked());
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->index(0, ItemGridModel::Ident).data().toString(), QStringLiteral("1110100"));
    EXPECT_EQ(grid->index(0, ItemGridModel::SumKol).data().toString(), QStringLiteral("5"));
    EXPECT_FALSE(grid->flags(grid->index(0, ItemGridModel::Cena)) & Qt::ItemIsEditable);
    // Summary rows are products: nothing names an item to delete.
    EXPECT_FALSE(form->BtnDelItem->isEnabled());

    const QList<bool> before = hiddenColumns();
    EXPECT_FALSE(before[ItemGridModel::SumKol]);
    EXPECT_TRUE(before[ItemGridModel::Kol]);
    QTest::mouseClick(form->BtnPrice, Qt::LeftButton);
    QList<bool> after = hiddenColumns();
    for (int c = 0; c < ItemGridModel::ColumnCount; ++c)
        EXPECT_EQ(after[c], c == ItemGridModel::SumVred ? !before[c] : before[c]) << c;
    EXPECT_FALSE(after[ItemGridModel::SumVred]);
    EXPECT_NEAR(grid->index(0, ItemGridModel::SumVred).data(Qt::EditRole).toDouble(), 5 * 4.2, 1e-9);
    QCoreApplication::processEvents();
    Artifacts::save(form.get(), QStringLiteral("workbench-summary-prices"));
    QTest::mouseClick(form->BtnPrice, Qt::LeftButton);
    EXPECT_EQ(hiddenColumns(), before);

    // A new item of the BOM shows in the sums at once; off again, the grid
    // is the item view with its commands.
    model().addWithoutCad({QStringLiteral("1110100"), QStringLiteral("NH00 gG 10 A"), 4.2}, 2);
    EXPECT_EQ(grid->index(0, ItemGridModel::SumKol).data().toString(), QStringLiteral("7"));
    QTest::mouseClick(form->BtnSUM, Qt::LeftButton);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_TRUE(form->BtnDelItem->isEnabled());
    EXPECT_TRUE(form->DBGrid1->isColumnHidden(ItemGridModel::SumKol));
}

TEST_F(Output, ExportReportsFailureAndOpensWhatItWrote)
{
    create();
    fill();
    ScriptedMessageBoxes boxes;
    BomOutputCommands* out = form->output();
    QStringList opened;
    QString target = dir.path() + QStringLiteral("/KAVREL.INI/bom.xlsx"); // below a regular file
    out->chooseWorkbook = [&](const QString& suggested) {
        EXPECT_TRUE(suggested.endsWith(QStringLiteral("/Switchboard.xlsx"))) << suggested.toStdString();
        return target;
    };
    out->openWorkbook = [&](const QString& path) {
        opened << path;
        return true;
    };
    QTest::mouseClick(form->TntBitBtn3, Qt::LeftButton);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).text, QStringLiteral("Transfer to Excel was not successful"));
    EXPECT_EQ(boxes.shown().at(0).title, QStringLiteral("ERROR !"));
    EXPECT_EQ(boxes.shown().at(0).buttons, MessageBoxService::Ok | MessageBoxService::Cancel);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(QFile::exists(target));

    // The menu does the same; a name without suffix gets the workbook's.
    target = dir.path() + QStringLiteral("/offer");
    form->MnBOMExcel->trigger();
    EXPECT_EQ(opened, QStringList{dir.path() + QStringLiteral("/offer.xlsx")});
    EXPECT_TRUE(QFile::exists(opened.value(0)));
    EXPECT_EQ(boxes.shown().size(), 1);

    // Nothing to open it with: written, but not transferred.
    out->openWorkbook = [](const QString&) { return false; };
    form->MnBOMExcel->trigger();
    EXPECT_EQ(boxes.shown().size(), 2);

    EXPECT_EQ(BomOutputCommands::suggestedPath(QStringLiteral("../a/b:c.DWG"), QStringLiteral("xlsx"))
                  .section(u'/', -1),
              QStringLiteral("_a_b_c.xlsx"));
}

TEST_F(Output, PrintPreviewAndPdfInEveryLanguage)
{
    create(QStringLiteral("POL"));
    fill();
    EXPECT_TRUE(form->Tiskaj->isVisibleTo(form.get()));
    form->BtnPrice->setChecked(true);
    form->applyGridLayout();
    QTest::mouseClick(form->Tiskaj, Qt::LeftButton);
    BomPrintPreview* preview = form->output()->preview();
    ASSERT_TRUE(preview);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->pageCount(), 1);
    QCoreApplication::processEvents();
    Artifacts::save(preview, QStringLiteral("workbench-print-preview"));

    // A PDF that cannot be written says so in the language; nothing is left.
    ScriptedMessageBoxes boxes;
    QString pdf = dir.path() + QStringLiteral("/KAVREL.INI/wydruk.pdf"); // below a regular file
    preview->choosePdf = [&](const QString& suggested) {
        EXPECT_TRUE(suggested.endsWith(QStringLiteral("/Switchboard.pdf")));
        return pdf;
    };
    preview->ActPdf->trigger();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().at(0).text.startsWith(QStringLiteral("Nie można zapisać pliku PDF.")));
    EXPECT_FALSE(QFile::exists(pdf));

    pdf = dir.path() + QStringLiteral("/wydruk");
    preview->ActPdf->trigger();
    EXPECT_EQ(boxes.shown().size(), 1);
    QFile written(pdf + QStringLiteral(".pdf"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");
    preview->close();

    // English hides the button; the menu item prints all the same.
    create(QStringLiteral("ANG"));
    EXPECT_FALSE(form->Tiskaj->isVisibleTo(form.get()));
    form->MnBOMPrint->trigger();
    ASSERT_TRUE(form->output()->preview());
    EXPECT_TRUE(form->output()->preview()->isVisible());
}
