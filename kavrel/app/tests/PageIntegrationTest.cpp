#include "Artifacts.h"
#include "CatalogueTreeModel.h"
#include "KavrelConfig.h"
#include "CertGridModel.h"
#include "MessageBoxService.h"
#include "PdfWindowManager.h"
#include "PrivateProfile.h"
#include "ProductPanel.h"
#include "SegmentColours.h"
#include "TDBX.h"
#include "TFSearch.h"
#include "TFStart.h"
#include "TFormPDF2.h"
#include "TImgView.h"
#include "TPageView.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

const QString Sample = QStringLiteral(SAMPLE_DIR);

// The built sample installation with a private copy of its configuration,
// so that the PDF window's placement is written there.
class SampleMainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(Sample + "/kavrel/db/T1.CDS")) << "sample not built";
        config = dir.path() + "/KAVREL.INI";
        ASSERT_TRUE(QFile::copy(Sample + "/kavrel/KAVREL.INI", config));
        QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner);
        winIni = dir.path() + "/WIN.INI";
        PrivateProfile::writeString("KAVREL", "INI", config, winIni);
        qputenv("KAVREL_WININI", winIni.toLocal8Bit());
    }
    void TearDown() override
    {
        start.reset();
        qunsetenv("KAVREL_WININI");
    }
    void open(const QString& language = QStringLiteral("ANG"))
    {
        PrivateProfile::writeString("KAVREL", "JEZIK", language, config);
        start = std::make_unique<TFStart>(KavrelConfig::readStart());
        start->show();
        ASSERT_TRUE(start->createDataModule());
        panel = start->productPanel();
        ASSERT_NE(panel, nullptr);
    }
    bool search(const QString& code)
    {
        TFSearch* window = start->BtnSearch1Click();
        QPointer<TFSearch> guard(window);
        QTest::keyClicks(window->MEdit1, code);
        QTest::keyClick(window->MEdit1, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool closed = guard.isNull();
        if (guard)
            delete guard.data();
        return closed;
    }
    int focusedNumber() const { return start->treeModel()->nodeNumber(start->focusedNode()); }
    TImgView* picture() const { return start->ImgView1; }
    QString pageText() const { return start->htm1->toPlainText(); }

    QTemporaryDir dir;
    QString config, winIni;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TFStart> start;
    ProductPanel* panel = nullptr;
};

TEST_F(SampleMainWindow, FirstGroupIsShownWithPageAndPicture)
{
    open();
    EXPECT_EQ(start->focusedLevel(), 0);
    EXPECT_EQ(focusedNumber(), 10);
    EXPECT_EQ(panel->focused().chapter, QStringLiteral("NH fuse system"));
    EXPECT_FALSE(pageText().trimmed().isEmpty());
    ASSERT_NE(picture(), nullptr);
    EXPECT_FALSE(picture()->picture().isNull());
    // The wide chapter picture fills the height and overflows to the right.
    EXPECT_GT(picture()->pictureRect().width(), picture()->viewport()->width());
    EXPECT_EQ(boxes.shown().size(), 0) << boxes.texts().join("; ").toStdString();
}

TEST_F(SampleMainWindow, SevenDigitCodeWithEnterOpensThePathToTheProduct)
{
    open();
    ASSERT_TRUE(search("1110630"));
    EXPECT_EQ(start->focusedLevel(), 3);
    EXPECT_EQ(panel->focused().certificateCode, QStringLiteral("1110630"));
    EXPECT_TRUE(pageText().contains("63 A")) << pageText().toStdString();
    // Only the path is open.
    const QModelIndex product = start->focusedNode();
    int open = 0;
    for (int i = 0; i < start->treeModel()->rowCount(); ++i)
        open += start->VST1->isExpanded(start->treeModel()->index(i, 0)) ? 1 : 0;
    EXPECT_EQ(open, 1);
    EXPECT_TRUE(start->VST1->isExpanded(product.parent()));
    EXPECT_TRUE(start->VST1->hasFocus() || !start->isActiveWindow());
    EXPECT_TRUE(start->VST1->selectionModel()->isSelected(product));
    QTest::qWait(20);
    Artifacts::save(start.get(), "kavrel_main_window_product_page");
}

TEST_F(SampleMainWindow, ProductOfAnotherSegmentSwitchesTheSelector)
{
    open();
    ASSERT_TRUE(search("1310320"));
    EXPECT_EQ(start->SelBox->currentIndex(), 2);
    EXPECT_EQ(focusedNumber(), 10276);
    EXPECT_EQ(start->htm1->palette().color(QPalette::Base), SegmentColours::b(2));
}

TEST_F(SampleMainWindow, GroupUnderTwoSegmentsOpensInTheLowerOne)
{
    open();
    start->selectSegment(1);
    ASSERT_TRUE(search("1100020"));
    EXPECT_EQ(start->SelBox->currentIndex(), 0);
    EXPECT_EQ(focusedNumber(), 10000);
}

TEST_F(SampleMainWindow, UnknownCodeKeepsTheWindowOpenWithTheMessage)
{
    open("NEM");
    EXPECT_FALSE(search("7654321"));
    EXPECT_EQ(boxes.texts(), QStringList{"CANNOT FIND!"});
    EXPECT_EQ(focusedNumber(), 10);
}

TEST_F(SampleMainWindow, CatalogueModeFollowsAcrossChaptersWithoutReloadingWithinOne)
{
    open();
    ASSERT_TRUE(search("1100020")); // chapter NH fuse system, page 2
    QTest::mouseClick(start->BtnPDF, Qt::LeftButton);
    PdfWindowManager& pdf = panel->pdf();
    ASSERT_NE(pdf.window(), nullptr);
    EXPECT_TRUE(pdf.catalogueMode());
    EXPECT_EQ(pdf.window()->currentPage(), 2);
    QTest::qWait(50);
    Artifacts::save(pdf.window(), "kavrel_pdf_window_sample_page");

    ASSERT_TRUE(search("1110800")); // same chapter, page 4
    EXPECT_EQ(pdf.window()->loadCount(), 1);
    EXPECT_EQ(pdf.window()->currentPage(), 4);
    ASSERT_TRUE(search("1150020")); // D fuse system
    EXPECT_EQ(pdf.window()->loadCount(), 2);
    EXPECT_TRUE(pdf.loadedDocument().endsWith("\\PDF\\D fuse system.PDF"));
}

TEST_F(SampleMainWindow, PageTextWithALetterOpensNothing)
{
    open();
    ASSERT_TRUE(search("1231250")); // page "12a"
    EXPECT_EQ(panel->focused().cataloguePage, 0);
    QTest::mouseClick(start->BtnPDF, Qt::LeftButton);
    EXPECT_FALSE(panel->pdf().catalogueMode());
    EXPECT_TRUE(panel->pdf().loadedDocument().isEmpty());
}

TEST_F(SampleMainWindow, TechnicalDataAndHelp)
{
    open();
    ASSERT_TRUE(search("1150020"));
    QTest::mouseClick(start->BtnData, Qt::LeftButton);
    PdfWindowManager& pdf = panel->pdf();
    ASSERT_TRUE(pdf.technicalDataMode());
    EXPECT_EQ(pdf.window()->currentPage(), 19);
    QTest::mouseClick(start->BtnHelp1, Qt::LeftButton);
    EXPECT_TRUE(pdf.loadedDocument().endsWith("Brontel instructions.pdf"));
    EXPECT_TRUE(pdf.technicalDataMode());
}

TEST_F(SampleMainWindow, CertificateTabClosesThePdfWindowAndFollowsTheProduct)
{
    open();
    ASSERT_TRUE(search("1110630"));
    QTest::mouseClick(start->BtnPDF, Qt::LeftButton);
    ASSERT_TRUE(panel->pdf().catalogueMode());
    start->PageControl1->setCurrentWidget(start->TabCert);
    EXPECT_EQ(panel->pdf().window(), nullptr);
    EXPECT_FALSE(panel->pdf().catalogueMode());
    ASSERT_TRUE(start->dataModule()->isCertOpen());
    ASSERT_EQ(panel->certModel()->rowCount(), 3);

    // A click on the second row shows its document at page 1.
    const QModelIndex second = panel->certModel()->index(1, 0);
    QTest::mouseClick(start->CertGrid1->viewport(), Qt::LeftButton, {},
                      start->CertGrid1->visualRect(second).center());
    EXPECT_TRUE(panel->pdf().certificateDocument().endsWith("\\CERT\\TT_1110630.PDF"));

    // Focusing the product again shows its first certificate.
    ASSERT_TRUE(search("1100020"));
    ASSERT_TRUE(search("1110630"));
    EXPECT_TRUE(panel->pdf().certificateDocument().endsWith("\\CERT\\CB_NHGG.PDF"));
    ASSERT_NE(panel->pdf().window(), nullptr);

    // A group closes the window; a product without certificates too.
    start->focusNode(start->focusedNode().parent());
    EXPECT_EQ(panel->pdf().window(), nullptr);
    EXPECT_EQ(panel->certModel()->rowCount(), 0);

    start->PageControl1->setCurrentWidget(start->TabGeneral);
    EXPECT_FALSE(start->dataModule()->isCertOpen());
    EXPECT_EQ(panel->pdf().window(), nullptr);
}

TEST_F(SampleMainWindow, PictureFallbacksAndProductFit)
{
    open();
    ASSERT_TRUE(search("1100020"));
    TImgView* view = picture();
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
    EXPECT_LE(view->pictureRect().width(), view->viewport()->width());
    // A picture number without a picture row: blank.jpg.
    ASSERT_TRUE(search("1245000")); // node 10091
    const QModelIndex product = start->focusedNode();
    const QImage blank = view->picture();
    ASSERT_FALSE(blank.isNull());
    EXPECT_EQ(blank.pixelColor(blank.width() / 2, blank.height() / 2), QColor(Qt::white));
    // Its sibling's picture file is not installed: the previous one stays.
    start->focusNode(product.siblingAtRow(product.row() - 1)); // node 10090
    EXPECT_EQ(focusedNumber(), 10090);
    EXPECT_EQ(view->picture(), blank);
}

TEST_F(SampleMainWindow, ZoomButtons)
{
    open();
    const double scale = picture()->scale();
    QTest::mouseClick(start->BtnScale, Qt::LeftButton);
    EXPECT_NEAR(picture()->scale(), scale * 1.1, 1e-9);
    QTest::mouseClick(start->BtnUnscale, Qt::LeftButton);
    EXPECT_NEAR(picture()->scale(), scale * 1.1 * 0.9, 1e-9);
}

TEST_F(SampleMainWindow, PageIgnoresPicturesAndLinksOfTheTexts)
{
    open();
    TPageView* page = start->htm1;
    EXPECT_FALSE(
        page->loadResource(QTextDocument::ImageResource, QUrl("BMP/NH00GG.jpg")).isValid());
    EXPECT_FALSE(page->openLinks());
}

} // namespace
