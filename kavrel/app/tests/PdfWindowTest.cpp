#include "Artifacts.h"
#include "HelpDocument.h"
#include "MessageBoxService.h"
#include "PdfWindowManager.h"
#include "PrivateProfile.h"
#include "TFormPDF2.h"
#include "CatalogueTreeModel.h"
#include "KavrelConfig.h"
#include "ProductPanel.h"
#include "SmallCatalogue.h"
#include "TFStart.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSpinBox>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QTreeView>
#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A PDF of `pages` pages, each saying which page it is.
void writePdf(const QString& file, int pages)
{
    QDir().mkpath(QFileInfo(file).path());
    QPdfWriter writer(file);
    writer.setPageSize(QPageSize(QPageSize::A5));
    writer.setResolution(72);
    QPainter painter(&writer);
    for (int p = 1; p <= pages; ++p) {
        if (p > 1)
            writer.newPage();
        painter.setFont(QFont("Sans", 20, QFont::Bold));
        painter.drawText(QRect(20, 20, 380, 120), Qt::AlignLeft | Qt::TextWordWrap,
                         QStringLiteral("Page %1\n%2").arg(p).arg(QFileInfo(file).baseName()));
        painter.fillRect(QRect(20, 150, 10 * p, 40), QColor(250, 135, 61));
    }
}

// A data directory with two chapters, the technical data and the manuals,
// and a configuration found through the bootstrap profile.
class PdfFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data = dir.path() + "/data";
        writePdf(data + "/PDF/NH fuse system.PDF", 30);
        writePdf(data + "/PDF/D fuse system.PDF", 20);
        writePdf(data + "/PDF/TECH_DATA.PDF", 40);
        writePdf(data + "/Instructions/Brontel instructions.pdf", 3);
        writePdf(data + "/Uputstva/Uputstvo Brontel .pdf", 3);
        writePdf(data + "/Navodila/Brontel navodila za uporabo.pdf", 3);
        QFile junk(data + "/PDF/broken.PDF");
        junk.open(QIODevice::WriteOnly);
        junk.write("this is no PDF");
        junk.close();
        winIni = dir.path() + "/WIN.INI";
        config = dir.path() + "/KAVREL.INI";
        PrivateProfile::writeString("KAVREL", "INI", config, winIni);
        qputenv("KAVREL_WININI", winIni.toLocal8Bit());
        owner.resize(200, 100);
    }
    void TearDown() override
    {
        TFormPDF2::setViewerProbe({});
        qunsetenv("KAVREL_WININI");
    }
    QString chapter(const char* name) const
    {
        return data + "\\PDF\\" + QString::fromUtf8(name) + ".PDF";
    }

    QTemporaryDir dir;
    QString data, winIni, config;
    QWidget owner;
    ScriptedMessageBoxes boxes;
};

TEST_F(PdfFixture, ShowsTheDocumentAtThePageCountedFromOne)
{
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 12));
    TFormPDF2* window = pdf.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("NH fuse system.PDF"));
    EXPECT_EQ(window->pageCount(), 30);
    EXPECT_EQ(window->currentPage(), 12);
    EXPECT_EQ(window->PageBox->value(), 12);
    EXPECT_EQ(window->PageCount->text(), QStringLiteral("of 30"));
    EXPECT_EQ(pdf.loadedDocument(), chapter("NH fuse system"));
    QTest::qWait(300); // the pages are rendered in the background
    Artifacts::save(window, "kavrel_pdf_window");
    // Beyond the end: the last page.
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 99));
    EXPECT_EQ(window->currentPage(), 30);
}

TEST_F(PdfFixture, ReloadsOnlyWhenThePathChanges)
{
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 3));
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 5));
    EXPECT_EQ(pdf.window()->loadCount(), 1);
    EXPECT_EQ(pdf.window()->currentPage(), 5);
    ASSERT_TRUE(pdf.showDocument(chapter("D fuse system"), 2));
    EXPECT_EQ(pdf.window()->loadCount(), 2);
    EXPECT_EQ(pdf.window()->pageCount(), 20);
}

TEST_F(PdfFixture, MissingFileOrPageZeroShowsNothing)
{
    PdfWindowManager pdf(&owner);
    EXPECT_FALSE(pdf.showDocument(chapter("NH fuse system"), 0));
    EXPECT_FALSE(pdf.showDocument(chapter("NH fuse system"), -3));
    EXPECT_FALSE(pdf.showDocument(chapter("no such chapter"), 4));
    EXPECT_TRUE(pdf.loadedDocument().isEmpty());
    EXPECT_FALSE(pdf.window() && pdf.window()->isVisible());
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 7));
    EXPECT_EQ(pdf.window()->currentPage(), 7);
    // A window on screen says why rather than keep showing another page.
    EXPECT_FALSE(pdf.showDocument(chapter("D fuse system"), 0));
    EXPECT_EQ(pdf.window()->notice(), QStringLiteral("This item has no page in the document."));
    EXPECT_TRUE(pdf.loadedDocument().isEmpty());
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(PdfFixture, DamagedFileIsNotReportedAsShown)
{
    PdfWindowManager pdf(&owner);
    EXPECT_FALSE(pdf.showCatalogue(data + "\\PDF\\broken.PDF", 1));
    EXPECT_FALSE(pdf.catalogueMode());
    EXPECT_TRUE(pdf.loadedDocument().isEmpty());
    // The user asked for it, so the window says what is wrong with it.
    ASSERT_NE(pdf.window(), nullptr);
    EXPECT_TRUE(pdf.window()->isVisible());
    EXPECT_TRUE(pdf.window()->notice().contains(data + "/PDF/broken.PDF"));
}

TEST_F(PdfFixture, NoViewerGivesTheMessageAtEveryRequest)
{
    TFormPDF2::setViewerProbe([](TFormPDF2&) { return false; });
    PdfWindowManager pdf(&owner);
    EXPECT_FALSE(pdf.showCatalogue(chapter("NH fuse system"), 3));
    EXPECT_FALSE(pdf.showHelp(HelpDocument::path(data, "ANG")));
    EXPECT_EQ(boxes.texts(), QStringList(2, TFormPDF2::NoViewerMessage));
    EXPECT_EQ(boxes.texts()[0], QStringLiteral("Unable to connect to Acrobat. Please check your "
                                               "Acrobat 7.x or 6.x installation !"));
    EXPECT_EQ(pdf.window(), nullptr);
    EXPECT_FALSE(pdf.catalogueMode());
    // Nothing was placed, so nothing is written.
    EXPECT_TRUE(PrivateProfile::getSection("OknoPDF", config).isEmpty());
}

TEST_F(PdfFixture, ModesAreExclusiveAndAPageZeroKeepsThem)
{
    PdfWindowManager pdf(&owner);
    EXPECT_FALSE(pdf.showCatalogue(chapter("NH fuse system"), 0));
    EXPECT_FALSE(pdf.catalogueMode());
    ASSERT_TRUE(pdf.showCatalogue(chapter("NH fuse system"), 4));
    EXPECT_TRUE(pdf.catalogueMode());
    EXPECT_FALSE(pdf.technicalDataMode());
    EXPECT_FALSE(pdf.showTechnicalData(data + "\\PDF\\TECH_DATA.PDF", 0));
    EXPECT_TRUE(pdf.catalogueMode());
    ASSERT_TRUE(pdf.showTechnicalData(data + "\\PDF\\TECH_DATA.PDF", 9));
    EXPECT_TRUE(pdf.technicalDataMode());
    EXPECT_FALSE(pdf.catalogueMode());
    // Help leaves the mode alone.
    ASSERT_TRUE(pdf.showHelp(HelpDocument::path(data, "ANG")));
    EXPECT_TRUE(pdf.technicalDataMode());
}

TEST_F(PdfFixture, CatalogueModeFollowsTheFocusAcrossChapters)
{
    const QString tech = data + "\\PDF\\TECH_DATA.PDF";
    PdfWindowManager pdf(&owner);
    pdf.followFocus(chapter("NH fuse system"), 3, tech, 5); // no mode yet
    EXPECT_EQ(pdf.window(), nullptr);
    ASSERT_TRUE(pdf.showCatalogue(chapter("NH fuse system"), 3));
    pdf.followFocus(chapter("NH fuse system"), 8, tech, 5);
    EXPECT_EQ(pdf.window()->currentPage(), 8);
    pdf.followFocus(chapter("NH fuse system"), 9, tech, 5);
    EXPECT_EQ(pdf.window()->loadCount(), 1); // within one chapter: pages only
    pdf.followFocus(chapter("D fuse system"), 6, tech, 5);
    EXPECT_EQ(pdf.window()->loadCount(), 2);
    EXPECT_EQ(pdf.loadedDocument(), chapter("D fuse system"));
    EXPECT_EQ(pdf.window()->currentPage(), 6);
    // A node without a page ("12a") must not leave the previous node's page
    // on screen: the window says so, and the mode stays on.
    pdf.followFocus(chapter("NH fuse system"), 0, tech, 5);
    EXPECT_EQ(pdf.window()->notice(), QStringLiteral("This item has no page in the document."));
    EXPECT_EQ(pdf.window()->pageCount(), 0);
    EXPECT_TRUE(pdf.loadedDocument().isEmpty());
    EXPECT_TRUE(pdf.catalogueMode());
    pdf.followFocus(chapter("D fuse system"), 4, tech, 5);
    EXPECT_EQ(pdf.window()->currentPage(), 4);
    EXPECT_TRUE(pdf.window()->notice().isEmpty());

    ASSERT_TRUE(pdf.showTechnicalData(tech, 2));
    pdf.followFocus(chapter("NH fuse system"), 8, tech, 17);
    EXPECT_EQ(pdf.loadedDocument(), tech);
    EXPECT_EQ(pdf.window()->currentPage(), 17);
}

TEST_F(PdfFixture, ClosingClearsTheDocumentAndTheModes)
{
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showCatalogue(chapter("NH fuse system"), 3));
    QPointer<TFormPDF2> window = pdf.window();
    pdf.closePdfWindows();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(pdf.window(), nullptr);
    EXPECT_TRUE(pdf.loadedDocument().isEmpty());
    EXPECT_FALSE(pdf.catalogueMode());
    // The next request makes a new window and loads again.
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 3));
    EXPECT_EQ(pdf.window()->loadCount(), 1);
}

TEST_F(PdfFixture, ClosedByTheUserIsDestroyedAndStopsFollowing)
{
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showCatalogue(chapter("NH fuse system"), 3));
    QPointer<TFormPDF2> window = pdf.window();
    window->close();
    EXPECT_EQ(pdf.window(), nullptr);
    EXPECT_FALSE(pdf.catalogueMode());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    pdf.followFocus(chapter("NH fuse system"), 5, QString(), 0);
    EXPECT_EQ(pdf.window(), nullptr); // not reopened
    EXPECT_EQ(PrivateProfile::getSection("OknoPDF", config).size(), 4);
}

TEST_F(PdfFixture, PlacementIsTheFrameBothWaysAndDoesNotDrift)
{
    const auto stored = [this] {
        return QStringList{PrivateProfile::getString("OknoPDF", "Left", "", config),
                           PrivateProfile::getString("OknoPDF", "Top", "", config),
                           PrivateProfile::getString("OknoPDF", "Width", "", config),
                           PrivateProfile::getString("OknoPDF", "Height", "", config)};
    };
    PrivateProfile::writeString("OknoPDF", "Left", "40", config);
    PrivateProfile::writeString("OknoPDF", "Top", "30", config);
    PrivateProfile::writeString("OknoPDF", "Width", "500", config);
    PrivateProfile::writeString("OknoPDF", "Height", "400", config);
    PdfWindowManager pdf(&owner);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 1));
        QApplication::processEvents();
        // The frame, title bar included, is where it was stored.
        EXPECT_EQ(pdf.window()->frameGeometry(), QRect(40, 30, 500, 400)) << round;
        pdf.closePdfWindows();
        EXPECT_EQ(stored(), QStringList({"40", "30", "500", "400"})) << round;
    }
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 1));
    pdf.window()->setPlacement(QRect(60, 70, 420, 300));
    QApplication::processEvents();
    EXPECT_EQ(pdf.window()->frameGeometry(), QRect(60, 70, 420, 300));
    pdf.closePdfWindows();
    EXPECT_EQ(stored(), QStringList({"60", "70", "420", "300"}));
}

TEST_F(PdfFixture, PlacementOffTheScreenIsBroughtBackOntoIt)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    PrivateProfile::writeString("OknoPDF", "Left", "5000", config);
    PrivateProfile::writeString("OknoPDF", "Top", "-300", config);
    PrivateProfile::writeString("OknoPDF", "Width", QString::number(area.width() * 3), config);
    PrivateProfile::writeString("OknoPDF", "Height", "10", config);
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 1));
    QApplication::processEvents();
    const QRect frame = pdf.window()->frameGeometry();
    EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width()
                                      << "x" << frame.height();
    EXPECT_GE(frame.height(), 200); // still a usable window
}

TEST_F(PdfFixture, PlacementReadingStopsAtTheFirstValueThatIsNoWholeNumber)
{
    const QRect defaults = TFormPDF2::defaultPlacement();
    PrivateProfile::writeString("OknoPDF", "Left", "40", config);
    PrivateProfile::writeString("OknoPDF", "Top", "3O", config); // letter O
    PrivateProfile::writeString("OknoPDF", "Width", "500", config);
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 1));
    // Width is not read.
    EXPECT_EQ(pdf.window()->placement(), QRect(QPoint(40, defaults.top()), defaults.size()));
}

TEST_F(PdfFixture, DefaultPlacementIsTheRightHalfOfTheScreenTitleBarIncluded)
{
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 1));
    QApplication::processEvents();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = pdf.window()->frameGeometry();
    EXPECT_EQ(frame.topLeft(), QPoint(area.x() + area.width() / 2 - 1, area.y()));
    EXPECT_EQ(frame.size(), QSize(area.width() / 2, area.height()));
    // The inside starts below the frame's top edge, not above the screen.
    EXPECT_GT(pdf.window()->geometry().top(), area.top());
}

TEST_F(PdfFixture, HelpDocumentsPerLanguageAreFoundDespiteTrailingBlanks)
{
    EXPECT_EQ(HelpDocument::relativePath("ANG"), "\\Instructions\\Brontel instructions.pdf");
    EXPECT_EQ(HelpDocument::relativePath("HRV"), "\\Uputstva\\Uputstvo Brontel .pdf ");
    EXPECT_EQ(HelpDocument::relativePath("SLO"), "\\Navodila\\Brontel navodila za uporabo.pdf ");
    EXPECT_TRUE(HelpDocument::path(data, "NEM").isEmpty());
    EXPECT_TRUE(HelpDocument::path(data, "POL").isEmpty());
    PdfWindowManager pdf(&owner);
    for (const char* code : {"ANG", "HRV", "SLO"}) {
        EXPECT_TRUE(pdf.showHelp(HelpDocument::path(data, code))) << code;
        EXPECT_EQ(pdf.window()->currentPage(), 1);
        EXPECT_EQ(pdf.window()->pageCount(), 3);
    }
}

TEST_F(PdfFixture, CertificatesShowPageOneAndNoneClosesTheWindow)
{
    writePdf(data + "/CERT/CB_NHGG.PDF", 2);
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showCatalogue(chapter("NH fuse system"), 5));
    ASSERT_TRUE(pdf.showCertificate(data + "\\CERT\\CB_NHGG.PDF"));
    EXPECT_EQ(pdf.certificateDocument(), data + "\\CERT\\CB_NHGG.PDF");
    EXPECT_EQ(pdf.window()->currentPage(), 1);
    EXPECT_TRUE(pdf.catalogueMode()); // modes are not changed
    // A missing certificate must not leave the previous one on screen.
    EXPECT_FALSE(pdf.showCertificate(data + "\\CERT\\CB_RCD100.PDF"));
    EXPECT_EQ(pdf.window()->notice(),
              "The document cannot be shown: the file \"" + data + "/CERT/CB_RCD100.PDF\" is missing.");
    EXPECT_EQ(pdf.window()->pageCount(), 0);
    EXPECT_TRUE(pdf.window()->windowTitle().isEmpty());
    QTest::qWait(20);
    Artifacts::save(pdf.window(), "kavrel_pdf_window_missing_certificate");
    pdf.noCertificate();
    EXPECT_EQ(pdf.window(), nullptr);
    EXPECT_TRUE(pdf.certificateDocument().isEmpty());
    EXPECT_FALSE(pdf.catalogueMode());
}

TEST_F(PdfFixture, ToolBarTurnsPagesAndZooms)
{
    PdfWindowManager pdf(&owner, QStringLiteral("SLO"));
    ASSERT_TRUE(pdf.showDocument(chapter("D fuse system"), 19));
    TFormPDF2* window = pdf.window();
    EXPECT_EQ(window->PageCount->text(), QStringLiteral("od 20"));
    EXPECT_EQ(window->ActNext->toolTip(), QStringLiteral("Naslednja stran"));
    window->ActNext->trigger();
    EXPECT_EQ(window->currentPage(), 20);
    EXPECT_FALSE(window->ActNext->isEnabled()); // the last page
    window->ActPrevious->trigger();
    window->ActPrevious->trigger();
    EXPECT_EQ(window->currentPage(), 18);
    window->PageBox->setFocus();
    window->PageBox->selectAll();
    QTest::keyClicks(window->PageBox, "7");
    QTest::keyClick(window->PageBox, Qt::Key_Return);
    EXPECT_EQ(window->currentPage(), 7);

    const double fitted = window->zoomFactor();
    window->ActZoomIn->trigger();
    EXPECT_NEAR(window->zoomFactor(), fitted * 1.25, 1e-6);
    EXPECT_EQ(window->currentPage(), 7); // zooming keeps the page
    window->ActZoomOut->trigger();
    window->ActZoomOut->trigger();
    EXPECT_NEAR(window->zoomFactor(), fitted / 1.25, 1e-6);
    window->ActFitPage->trigger();
    EXPECT_LE(window->zoomFactor(), fitted);
    window->ActFitWidth->trigger();
    EXPECT_NEAR(window->zoomFactor(), fitted, 1e-6);
}

TEST_F(PdfFixture, FindGoesFromMatchToMatch)
{
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showDocument(chapter("D fuse system"), 1));
    TFormPDF2* window = pdf.window();
    // Every page says "Page <n>": "Page 1" is on pages 1 and 10 to 19.
    QTest::keyClicks(window->FindEdit, "Page 1");
    QTest::keyClick(window->FindEdit, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->matchCount() == 11; }, 5000))
        << window->matchCount();
    EXPECT_EQ(window->currentMatch(), 0);
    EXPECT_EQ(window->currentPage(), 1);
    QTest::keyClick(window->FindEdit, Qt::Key_Return); // the same text: on to the next
    EXPECT_EQ(window->currentPage(), 10);
    EXPECT_EQ(window->FindStatus->text(), QStringLiteral("2 of 11"));
    window->ActFindPrevious->trigger();
    window->ActFindPrevious->trigger();
    EXPECT_EQ(window->currentPage(), 19); // round to the last
    window->find(QStringLiteral("no such words"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->FindStatus->text() == "Not found"; }, 5000));
    EXPECT_EQ(window->currentPage(), 19);
}

TEST_F(PdfFixture, PrintsTheChosenPagesOneASheet)
{
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showDocument(chapter("D fuse system"), 1));
    const QString printed = Artifacts::directory() + "/kavrel_pdf_window_printed.pdf";
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QString error;
        ASSERT_TRUE(pdf.window()->printTo(printer, 3, 5, &error)) << error.toStdString();
    }
    QPdfDocument result;
    ASSERT_EQ(result.load(printed), QPdfDocument::Error::None);
    ASSERT_EQ(result.pageCount(), 3);
    // Each sheet shows its page whole: the bar of page n is n times 10
    // points wide, so page 5's is wider than page 3's.
    const auto barWidth = [&result](int sheet) {
        const QImage image = result.render(sheet, QSize(420, 595));
        int orange = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, 170);
            orange += (c.red() > 200 && c.green() > 100 && c.green() < 170 && c.blue() < 110);
        }
        return orange;
    };
    EXPECT_GT(barWidth(0), 10);
    EXPECT_GT(barWidth(2), barWidth(0) * 3 / 2);
}

TEST_F(PdfFixture, FollowingTheTreeLeavesTheKeyboardInTheTree)
{
    SmallCatalogue cat; // product 10000 is on page 12 of chapter "NH system"
    writePdf(cat.dataDir() + "/PDF/NH system.PDF", 20);
    TFStart form(KavrelConfig::readStart());
    ASSERT_TRUE(form.createDataModule());
    form.show();
    QTreeView* tree = form.VST1;
    CatalogueTreeModel* model = form.treeModel();
    QModelIndex at;
    for (int row : {0, 0, 0}) {
        at = model->index(row, 0, at);
        tree->expand(at);
    }
    form.focusNode(model->index(0, 0, at));
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    tree->setFocus();
    QTest::mouseClick(form.BtnPDF, Qt::LeftButton);
    PdfWindowManager& pdf = form.productPanel()->pdf();
    ASSERT_TRUE(pdf.catalogueMode());
    EXPECT_EQ(pdf.window()->currentPage(), 12);
    QApplication::setActiveWindow(&form);
    tree->setFocus();
    QApplication::processEvents();
    // Each arrow key goes to whatever has the keyboard: it must stay the tree.
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_EQ(target, tree);
        QTest::keyClick(target, key);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &form);
        EXPECT_TRUE(pdf.window()->isVisible());
    }
    EXPECT_EQ(model->nodeNumber(form.focusedNode()), 10000);
    EXPECT_EQ(pdf.window()->currentPage(), 12);
}

} // namespace
