// The workbench opened from the catalogue window: the toggle, the first
// placement, adding the focused product and finding an item's product.
#include "CatalogueTreeModel.h"
#include "ItemGridModel.h"
#include "MessageBoxService.h"
#include "QtPrinters.h"
#include "SmallCatalogue.h"
#include "TDBX.h"
#include "TFStart.h"
#include "TForm6.h"
#include "WorkbenchWindows.h"

#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

TEST(WorkbenchInCatalogue, ToggleAddFocusedProductAndFindItBack)
{
    SmallCatalogue cat;
    ScriptedMessageBoxes boxes;
    TFStart form(KavrelConfig::readStart());
    ASSERT_TRUE(form.createDataModule());
    form.show();

    form.BtnAcad->click();
    ASSERT_TRUE(form.workbench());
    TForm6* w = form.workbench()->workbench();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(form.workbenchShown());
    // Nothing stored yet: the catalogue goes to the bottom of the screen and
    // the workbench takes the strip above it.
    const QRect screen = form.screen()->availableGeometry();
    EXPECT_EQ(form.frameGeometry().bottom(), screen.bottom());
    EXPECT_EQ(w->geometry(), QRect(form.x(), form.y() - 245, form.width(), 245));

    // NH system / NH00 / gG fuses / NH00 gG 10 A.
    CatalogueTreeModel* tree = form.treeModel();
    QModelIndex node;
    for (int level = 0; level < 4; ++level) {
        node = tree->index(0, 0, node);
        if (level < 3)
            form.VST1->expand(node);
    }
    form.focusNode(node);
    ASSERT_EQ(form.focusedLevel(), 3);
    QTest::mouseClick(w->GBtnOrder, Qt::LeftButton);
    ItemGridModel* items = w->itemModel();
    ASSERT_EQ(items->rowCount(), 1);
    EXPECT_EQ(items->index(0, ItemGridModel::Ident).data().toString(), QStringLiteral("1110100"));
    EXPECT_EQ(items->index(0, ItemGridModel::Naziv).data().toString(), QStringLiteral("NH00 gG 10 A"));
    EXPECT_EQ(w->model().currentBomName(), QStringLiteral("List"));

    // A group under focus adds nothing.
    form.focusNode(node.parent());
    QTest::mouseClick(w->GBtnOrder, Qt::LeftButton);
    EXPECT_EQ(items->rowCount(), 1);

    // Double-clicking the item brings its product back into focus.
    const QRect cell = w->DBGrid1->visualRect(items->index(0, ItemGridModel::Naziv));
    QTest::mouseClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(form.focusedLevel(), 3);
    EXPECT_EQ(form.dataModule()->K1T4.asString(QStringLiteral("KODA")), QStringLiteral("1110100"));

    // The toggle hides the workbench and shows it again where it was.
    const QRect placed = w->geometry();
    form.BtnAcad->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(form.workbenchShown());
    form.BtnAcad->click();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->geometry(), placed);
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(u'|').toStdString();
}
