#include "CatalogueTreeModel.h"
#include "KavrelConfig.h"
#include "MessageBoxService.h"
#include "SmallCatalogue.h"
#include "TDBX.h"
#include "TFStart.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <QComboBox>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

struct Window
{
    explicit Window(const QString& language = QStringLiteral("ANG")) : cat(language)
    {
        form = std::make_unique<TFStart>(KavrelConfig::readStart());
        form->createDataModule();
        model = form->treeModel();
        dbx = form->dataModule();
    }
    // Expands the path of row indexes and returns the last node.
    QModelIndex open(std::initializer_list<int> rows)
    {
        QModelIndex at;
        for (int row : rows) {
            at = model->index(row, 0, at);
            form->VST1->expand(at);
        }
        return at;
    }
    SmallCatalogue cat;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TFStart> form;
    CatalogueTreeModel* model = nullptr;
    TDBX* dbx = nullptr;
};

} // namespace

TEST(CatalogueTree, StartShowsTheFirstSegmentAndFocusesItsFirstGroup)
{
    Window w;
    EXPECT_TRUE(w.boxes.texts().isEmpty()) << w.boxes.texts().join('|').toStdString();
    EXPECT_EQ(w.form->SelBox->currentText(), QStringLiteral("Building and industry"));
    ASSERT_EQ(w.model->rowCount(), 2);
    EXPECT_EQ(w.form->focusedNode(), w.model->index(0, 0));
    EXPECT_EQ(w.form->focusedLevel(), 0);
    EXPECT_EQ(w.model->nodeNumber(w.form->focusedNode()), 10);
    EXPECT_EQ(w.dbx->K1T1.asInt(QStringLiteral("LINK2")), 10);
}

TEST(CatalogueTree, NodeTexts)
{
    Window w;
    const QModelIndex nh = w.model->index(0, 0);
    const QModelIndex unnamedTop = w.model->index(1, 0);
    EXPECT_EQ(w.model->nodeText(nh), QStringLiteral("10   NH system"));
    EXPECT_EQ(w.model->nodeCode(nh), QStringLiteral("10"));
    // A top-level group without a name row.
    EXPECT_EQ(w.model->data(unnamedTop).toString(), QStringLiteral("CATALOGUE"));
    EXPECT_EQ(w.model->nodeCode(unnamedTop), QString());

    const QModelIndex size = w.open({0, 0});
    EXPECT_EQ(w.model->nodeText(w.model->index(1, 0, nh)), QString()); // 101: no name row
    const QModelIndex gG = w.model->index(0, 0, size);
    w.form->VST1->expand(gG);
    ASSERT_EQ(w.model->rowCount(gG), 3);
    const QModelIndex product = w.model->index(0, 0, gG);
    EXPECT_EQ(w.model->nodeCode(product), QString()); // filled by the text step
    EXPECT_EQ(w.model->nodeText(product), QStringLiteral("1110100   NH00 gG 10 A"));
    EXPECT_EQ(w.model->nodeCode(product), QStringLiteral("1110100"));
    EXPECT_EQ(w.model->nodeText(w.model->index(1, 0, gG)), QString());
    // A name text without a code starts with the three blanks.
    EXPECT_EQ(w.model->nodeText(w.model->index(2, 0, gG)), QStringLiteral("   no code"));
    // A level-1 group with a code, a level-2 group without one.
    EXPECT_EQ(w.model->nodeText(size), QStringLiteral("100   NH00 size"));
    EXPECT_EQ(w.model->nodeText(gG), QStringLiteral("   gG fuse links"));
}

TEST(CatalogueTree, HrvNamesInTheTree)
{
    Window w(QStringLiteral("HRV"));
    EXPECT_EQ(w.model->nodeText(w.model->index(0, 0)), QStringLiteral("10   NH sustav"));
    EXPECT_EQ(w.form->SelBox->currentText(), QStringLiteral("Zgrade i industrija"));
}

TEST(CatalogueTree, ExpandButtonsOnlyWhereThereAreChildren)
{
    Window w;
    const QModelIndex nh = w.model->index(0, 0);
    EXPECT_TRUE(w.model->hasChildren(nh));
    EXPECT_FALSE(w.model->hasChildren(w.model->index(1, 0))); // group 11
    EXPECT_EQ(w.model->rowCount(nh), 0);                      // nothing before expansion
    w.open({0});
    EXPECT_EQ(w.model->rowCount(nh), 2);
    EXPECT_FALSE(w.model->hasChildren(w.model->index(1, 0, nh))); // group 101
    EXPECT_EQ(w.model->expand(w.model->index(1, 0, nh)), 0);

    const QModelIndex gG = w.open({0, 0, 0});
    const QModelIndex product = w.model->index(0, 0, gG);
    EXPECT_FALSE(w.model->hasChildren(product));
    EXPECT_TRUE(w.model->flags(product) & Qt::ItemNeverHasChildren);
    EXPECT_EQ(w.model->expand(product), 0);
    EXPECT_EQ(CatalogueTreeModel::level(product), 3);
}

TEST(CatalogueTree, CollapseDiscardsAndReExpansionRereadsTheViews)
{
    Window w;
    const QModelIndex gG = w.open({0, 0, 0});
    ASSERT_EQ(w.model->rowCount(gG), 3);
    w.form->VST1->collapse(gG);
    EXPECT_EQ(w.model->rowCount(gG), 0);
    EXPECT_TRUE(w.model->hasChildren(gG));

    // The products' view now holds fewer rows: the next expansion shows it.
    w.dbx->K1T4.setFilter(QStringLiteral("LINK2<>10001"));
    w.dbx->K1T4.setFiltered(true);
    w.form->VST1->expand(gG);
    ASSERT_EQ(w.model->rowCount(gG), 2);
    EXPECT_EQ(w.model->nodeNumber(w.model->index(1, 0, gG)), 10003);

    // Collapsing a higher group drops the whole branch.
    const QModelIndex nh = w.model->index(0, 0);
    w.form->VST1->collapse(nh);
    EXPECT_EQ(w.model->rowCount(nh), 0);
    w.form->VST1->expand(nh);
    EXPECT_EQ(w.model->rowCount(nh), 2);
    EXPECT_EQ(w.model->rowCount(w.model->index(0, 0, nh)), 0);
}

TEST(CatalogueTree, FocusPositionsTheViewsAndStaysOnTheProduct)
{
    Window w;
    QSignalSpy focused(w.form.get(), &TFStart::nodeFocused);
    const QModelIndex gG = w.open({0, 0, 0});
    const QModelIndex product = w.model->index(2, 0, gG);
    w.form->focusNode(product);
    ASSERT_EQ(focused.count(), 1);
    EXPECT_EQ(focused.at(0).at(1).toInt(), 3);
    EXPECT_EQ(w.form->focusedLevel(), 3);
    EXPECT_EQ(w.dbx->K1T1.asInt(QStringLiteral("LINK2")), 10);
    EXPECT_EQ(w.dbx->K1T2.asInt(QStringLiteral("LINK2")), 100);
    EXPECT_EQ(w.dbx->K1T3.asInt(QStringLiteral("LINK2")), 1000);
    EXPECT_EQ(w.dbx->K1T4.asInt(QStringLiteral("LINK2")), 10003);

    // Expanding other groups and painting rows moves the views only for a
    // moment: the workbench still reads the focused product.
    w.form->VST1->expand(w.model->index(1, 0, w.model->index(0, 0, w.model->index(0, 0))));
    for (int i = 0; i < 3; ++i)
        w.model->data(w.model->index(i, 0, gG));
    EXPECT_EQ(w.dbx->K1T4.asInt(QStringLiteral("LINK2")), 10003);
    EXPECT_EQ(w.dbx->K1T4.asString(QStringLiteral("NAZIV")), QStringLiteral("no code"));
    EXPECT_EQ(w.dbx->K1T3.asInt(QStringLiteral("LINK2")), 1000);

    // Focusing a group positions only down to its level.
    w.form->focusNode(w.model->index(0, 0, w.model->index(0, 0)));
    EXPECT_EQ(w.form->focusedLevel(), 1);
    EXPECT_EQ(w.dbx->K1T2.asInt(QStringLiteral("LINK2")), 100);

    // Collapsing the branch of the focused node moves the focus up to it.
    w.form->focusNode(product);
    const QModelIndex nh = w.model->index(0, 0);
    w.form->VST1->collapse(nh);
    EXPECT_EQ(w.form->focusedNode(), nh);
    EXPECT_EQ(w.form->focusedLevel(), 0);
}

TEST(CatalogueTree, SegmentChangeRebuildsRefocusesAndRecolours)
{
    Window w;
    w.open({0, 0, 0});
    w.form->focusNode(w.model->index(0, 0, w.model->index(0, 0)));
    QSignalSpy focused(w.form.get(), &TFStart::nodeFocused);

    w.form->selectSegment(2);
    EXPECT_EQ(w.model->rowCount(), 1);
    EXPECT_EQ(w.model->rowCount(w.model->index(0, 0)), 0); // everything collapsed
    EXPECT_EQ(w.form->focusedNode(), w.model->index(0, 0));
    EXPECT_EQ(w.model->nodeNumber(w.form->focusedNode()), 12);
    ASSERT_EQ(focused.count(), 1);
    EXPECT_EQ(w.form->palette().color(QPalette::Window), QColor(250, 239, 170));
    EXPECT_EQ(w.form->htm1->palette().color(QPalette::Base), QColor(251, 241, 187));

    // "Energy" has no groups: an empty tree, nothing focused.
    w.form->selectSegment(1);
    EXPECT_EQ(w.model->rowCount(), 0);
    EXPECT_EQ(w.form->focusedLevel(), -1);
    EXPECT_EQ(w.form->RightArea->palette().color(QPalette::Window), QColor(160, 176, 211));
    EXPECT_EQ(w.form->SelBox->palette().color(QPalette::Base), QColor(188, 200, 224));
    EXPECT_EQ(w.form->CertGrid1->palette().color(QPalette::Base), QColor(188, 200, 224));

    w.form->selectSegment(0);
    EXPECT_EQ(w.model->rowCount(), 2);
    EXPECT_EQ(w.model->nodeNumber(w.form->focusedNode()), 10);
    EXPECT_EQ(w.form->PageControl1->palette().color(QPalette::Window), QColor(250, 135, 61));
    EXPECT_EQ(w.form->SelBox->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_TRUE(w.form->SelBox->font().bold());
}

TEST(CatalogueTree, DoubleClickTogglesExpansion)
{
    Window w;
    w.form->show();
    QTreeView* tree = w.form->VST1;
    const QModelIndex nh = w.model->index(0, 0);
    const QRect r = tree->visualRect(nh);
    ASSERT_TRUE(r.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_TRUE(tree->isExpanded(nh));
    EXPECT_EQ(w.model->rowCount(nh), 2);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_FALSE(tree->isExpanded(nh));
    EXPECT_EQ(w.model->rowCount(nh), 0);
}

TEST(CatalogueTree, LongLinesAreShownWholeAndScrollSideways)
{
    Window w;
    w.form->show();
    QTreeView* tree = w.form->VST1;
    w.form->Splitter1->setSizes({120, 680}); // narrower than a product line
    const QModelIndex product = w.model->index(0, 0, w.open({0, 0, 0}));
    tree->scrollTo(product);
    const QString line = w.model->nodeText(product);
    const int textWidth = tree->fontMetrics().horizontalAdvance(line);
    ASSERT_GT(textWidth, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tree->visualRect(product).width() >= textWidth; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tree->horizontalScrollBar()->maximum() > 0; }));
    // A short line still fills the view's width when selected.
    w.form->Splitter1->setSizes({600, 200});
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return tree->visualRect(w.model->index(1, 0)).right() + 1 >= tree->viewport()->width() &&
               tree->horizontalScrollBar()->maximum() == 0;
    }));
}
