#include "Artifacts.h"
#include "HelpDocument.h"
#include "MessageBoxService.h"
#include "PdfWindowManager.h"
#include "PrivateProfile.h"
#include "TFormPDF2.h"

#include <QDir>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
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
    EXPECT_TRUE(window->windowTitle().isEmpty());
    EXPECT_EQ(window->pageCount(), 30);
    EXPECT_EQ(window->currentPage(), 12);
    EXPECT_EQ(pdf.loadedDocument(), chapter("NH fuse system"));
    QTest::qWait(50);
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
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 7));
    EXPECT_FALSE(pdf.showDocument(chapter("D fuse system"), 0));
    EXPECT_EQ(pdf.loadedDocument(), chapter("NH fuse system"));
    EXPECT_EQ(pdf.window()->currentPage(), 7);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(PdfFixture, DamagedFileIsNotReportedAsShown)
{
    PdfWindowManager pdf(&owner);
    EXPECT_FALSE(pdf.showCatalogue(data + "\\PDF\\broken.PDF", 1));
    EXPECT_FALSE(pdf.catalogueMode());
    EXPECT_TRUE(pdf.loadedDocument().isEmpty());
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
    // A node without a page leaves the window as it is.
    pdf.followFocus(chapter("NH fuse system"), 0, tech, 5);
    EXPECT_EQ(pdf.loadedDocument(), chapter("D fuse system"));
    EXPECT_TRUE(pdf.catalogueMode());

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

TEST_F(PdfFixture, PlacementIsReadAndWrittenInOknoPDF)
{
    PrivateProfile::writeString("OknoPDF", "Left", "40", config);
    PrivateProfile::writeString("OknoPDF", "Top", "30", config);
    PrivateProfile::writeString("OknoPDF", "Width", "500", config);
    PrivateProfile::writeString("OknoPDF", "Height", "400", config);
    {
        PdfWindowManager pdf(&owner);
        ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 1));
        EXPECT_EQ(pdf.window()->pos(), QPoint(40, 30));
        EXPECT_EQ(pdf.window()->size(), QSize(500, 400));
        pdf.window()->move(60, 70);
        pdf.window()->resize(320, 240);
        pdf.closePdfWindows();
    }
    EXPECT_EQ(PrivateProfile::getString("OknoPDF", "Left", "", config), "60");
    EXPECT_EQ(PrivateProfile::getString("OknoPDF", "Top", "", config), "70");
    EXPECT_EQ(PrivateProfile::getString("OknoPDF", "Width", "", config), "320");
    EXPECT_EQ(PrivateProfile::getString("OknoPDF", "Height", "", config), "240");
}

TEST_F(PdfFixture, PlacementReadingStopsAtTheFirstValueThatIsNoWholeNumber)
{
    const QRect defaults = TFormPDF2::defaultPlacement();
    PrivateProfile::writeString("OknoPDF", "Left", "40", config);
    PrivateProfile::writeString("OknoPDF", "Top", "3O", config); // letter O
    PrivateProfile::writeString("OknoPDF", "Width", "500", config);
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 1));
    EXPECT_EQ(pdf.window()->pos(), QPoint(40, defaults.top()));
    EXPECT_EQ(pdf.window()->size(), defaults.size()); // Width is not read
}

TEST_F(PdfFixture, DefaultPlacementIsTheRightHalfOfTheScreen)
{
    PdfWindowManager pdf(&owner);
    ASSERT_TRUE(pdf.showDocument(chapter("NH fuse system"), 1));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(pdf.window()->pos(), QPoint(screen.width() / 2 - 1, 0));
    EXPECT_EQ(pdf.window()->size(), QSize(screen.width() / 2, screen.height()));
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
    EXPECT_FALSE(pdf.showCertificate(data + "\\CERT\\CB_RCD100.PDF"));
    pdf.noCertificate();
    EXPECT_EQ(pdf.window(), nullptr);
    EXPECT_TRUE(pdf.certificateDocument().isEmpty());
    EXPECT_FALSE(pdf.catalogueMode());
}

} // namespace
