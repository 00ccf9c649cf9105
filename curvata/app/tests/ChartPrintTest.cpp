// The printed page: the chart below the 600-pixel band with the program
// picture in the band, the same page however the screen is zoomed, and the
// screen's layout back after printing. Checked in the PDF a printer to file
// writes, as a person would see it.
#include "Artifacts.h"
#include "CRuzozuvovView.h"
#include "ChartPrintPage.h"
#include "ViewTestData.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A page of 8 x 11 inches at 600 dpi without margins: 4800 x 6600 pixels.
void setUpPrinter(QPrinter& printer, const QString& file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QSizeF(8, 11), QPageSize::Inch));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// The page as poppler renders it at `dpi`.
QImage rendered(const QString& pdf, int dpi)
{
    QProcess process;
    process.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf,
                               pdf + ".render"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QImage();
    return QImage(pdf + ".render.png").convertToFormat(QImage::Format_RGB32);
}

bool blank(const QImage& image, const QRect& rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qGray(image.pixel(x, y)) < 245)
                return false;
    return true;
}

struct PrintFixture : ::testing::Test
{
    ViewTestData data;
    CRuzozuvovView view;
    QTemporaryDir dir;

    void SetUp() override
    {
        view.resize(800, 600);
        view.SetFuses(data.list());
        view.SetCharacteristic(&data.type, true);
        ASSERT_TRUE(view.IsChartReady());
    }
    QString print(const QString& name)
    {
        QPrinter printer(QPrinter::HighResolution);
        setUpPrinter(printer, dir.filePath(name));
        EXPECT_EQ(QSize(printer.width(), printer.height()), QSize(4800, 6600));
        view.PrintPage(printer);
        return dir.filePath(name);
    }
};

} // namespace

TEST_F(PrintFixture, ChartBelowTheBandAndThePictureInIt)
{
    const QString pdf = print("page.pdf");
    // At 60 dpi one image pixel is ten printer pixels.
    const QImage page = rendered(pdf, 60);
    ASSERT_EQ(page.size(), QSize(480, 660));
    Artifacts::save(page, "curvata-printed-page");

    // The band holds the picture (100..640 across, 100..550 down) and
    // nothing else.
    EXPECT_FALSE(blank(page, QRect(12, 12, 50, 41)));
    EXPECT_TRUE(blank(page, QRect(0, 0, 480, 9)));
    EXPECT_TRUE(blank(page, QRect(66, 0, 414, 59)));
    EXPECT_TRUE(blank(page, QRect(0, 56, 480, 3)));
    // The chart starts at 600: its outline runs along that row.
    EXPECT_FALSE(blank(page, QRect(100, 59, 300, 3)));
    int red = 0;
    for (int y = 60; y < 660; ++y)
        for (int x = 0; x < 480; ++x)
            red += qRed(page.pixel(x, y)) > 200 && qGreen(page.pixel(x, y)) < 80;
    EXPECT_GT(red, 30); // the first curve

    // Texts of the chart lie below the band (600 printer pixels = 72 pt).
    QProcess text;
    text.start("pdftotext", {"-bbox", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    const QRegularExpression title(R"re(yMin="([0-9.]+)"[^>]*>Time-Current<)re");
    const QRegularExpressionMatch match = title.match(words);
    ASSERT_TRUE(match.hasMatch()) << words.left(800).toStdString();
    EXPECT_GT(match.captured(1).toDouble(), 72.0);

    // The screen gets its own layout back.
    EXPECT_EQ(view.ActiveChart().Geometry().frameRight, 800);
    EXPECT_EQ(view.ActiveChart().Geometry().frameTop, 0);
    EXPECT_FALSE(view.ActiveChart().Printing());
    // 600 dpi on a 96 dpi screen: six printer pixels per screen pixel.
    EXPECT_EQ(view.PrintScaleFor(600), 600 / view.logicalDpiX());
    EXPECT_EQ(view.PrintScaleFor(72), 1);
}

TEST_F(PrintFixture, AZoomedViewPrintsTheSamePage)
{
    const QImage plain = rendered(print("plain.pdf"), 30);
    view.OnZoomIn();
    view.OnZoomIn();
    view.ZoomRandom(3.0f, 0.5f);
    ASSERT_TRUE(view.Zoom().IsZoomed());
    const QImage zoomed = rendered(print("zoomed.pdf"), 30);
    ASSERT_FALSE(plain.isNull());
    EXPECT_EQ(plain, zoomed);
    EXPECT_EQ(view.ActiveChart().Geometry().frameRight, 2400); // the zoomed screen again
}

TEST(ChartPrint, NoChartGivesAnEmptyPage)
{
    CRuzozuvovView view;
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, dir.filePath("empty.pdf"));
    view.PrintPage(printer);
    const QImage page = rendered(dir.filePath("empty.pdf"), 20);
    ASSERT_EQ(page.size(), QSize(160, 220));
    EXPECT_TRUE(blank(page, page.rect()));
    EXPECT_EQ(ChartPrintPage::ChartArea(QSize(4800, 6600)), QRect(0, 600, 4800, 6000));
}
