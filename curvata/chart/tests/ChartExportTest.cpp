// Pictures of the chart written as PNG, PDF and SVG, read back as a user's
// program would read them.
#include "Artifacts.h"
#include "CCharacteristicChart.h"
#include "ChartExport.h"
#include "FuseModel.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct ExportFixture : ::testing::Test
{
    CharacteristicType type{"Time-Current", AxisDefinition{"I [A]", true, 1, 100000},
                            AxisDefinition{"t [s]", true, 0.001, 10000}};
    Fuse first{"NH 63A", "1"};
    Fuse second{"NH 100A", "2"};
    CCharacteristicChart chart;
    QTemporaryDir dir;

    void SetUp() override
    {
        int id = 1;
        for (Fuse* fuse : {&first, &second}) {
            Characteristic* c = fuse->appendCharacteristic(id, &type);
            const double rated = id == 1 ? 63 : 100;
            c->appendPoint(CurvePoint{1, type.xPosition(rated * 2), type.yPosition(3000)});
            c->appendPoint(CurvePoint{2, type.xPosition(rated * 5), type.yPosition(5)});
            c->appendPoint(CurvePoint{3, type.xPosition(rated * 20), type.yPosition(0.01)});
            ++id;
        }
        chart.SetFuses({&first, &second});
        chart.SetCharacteristic(&type);
        ASSERT_TRUE(chart.IsChartReady());
    }

    QString path(const QString& name) const { return dir.filePath(name); }
};

int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

} // namespace

TEST_F(ExportFixture, WritesEachFormatAtTheChosenSize)
{
    QString error;
    ASSERT_TRUE(ChartExport::Write(chart, QSize(700, 450), path("chart.png"), &error))
        << error.toStdString();
    const QImage png(path("chart.png"));
    ASSERT_EQ(png.size(), QSize(700, 450));
    EXPECT_GT(countColour(png, qRgb(255, 0, 0)), 50);
    EXPECT_GT(countColour(png, qRgb(0, 255, 0)), 50);

    // PDF: one page of 700 x 450 screen pixels (525 x 337.5 points, which
    // page sizes round to whole points) with the texts as text.
    ASSERT_TRUE(ChartExport::Write(chart, QSize(700, 450), path("chart.pdf"), &error));
    QProcess info;
    info.start("pdfinfo", {path("chart.pdf")});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(infoText.contains(QRegularExpression("Pages: +1\n"))) << infoText.toStdString();
    EXPECT_TRUE(infoText.contains(QRegularExpression("Page size: +525 x 33[78] pts")));
    QProcess text;
    text.start("pdftotext", {path("chart.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(words.contains("Time-Current"));
    EXPECT_TRUE(words.contains("NH 100A"));

    // SVG: well-formed XML in screen pixels naming the curves' colours.
    ASSERT_TRUE(ChartExport::Write(chart, QSize(800, 500), path("chart.svg"), &error));
    QFile svg(path("chart.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QStringList strokes;
    QString viewBox;
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg"))
            viewBox = xml.attributes().value("viewBox").toString();
        if (xml.attributes().hasAttribute("stroke"))
            strokes << xml.attributes().value("stroke").toString();
        if (xml.name() == QLatin1String("text"))
            texts << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, "0 0 800 500");
    EXPECT_TRUE(strokes.contains("#ff0000"));
    EXPECT_TRUE(strokes.contains("#00ff00"));
    EXPECT_TRUE(texts.contains("NH 63A"));
    EXPECT_TRUE(texts.contains("Time-Current"));
    Artifacts::save(png, "curvata-export-png");
}

TEST_F(ExportFixture, AFailedWriteSaysWhyAndKeepsTheOldFile)
{
    QString error;
    EXPECT_FALSE(ChartExport::Write(chart, QSize(400, 300), path("chart.bmp"), &error));
    EXPECT_TRUE(error.contains(".png, .pdf or .svg")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(path("chart.bmp")));

    EXPECT_FALSE(ChartExport::Write(chart, QSize(400, 300), path("no/such/dir/c.png"), &error));
    EXPECT_TRUE(error.startsWith("Cannot write")) << error.toStdString();

    // A picture that cannot be drawn leaves the file that was there.
    QFile old(path("old.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep");
    old.close();
    EXPECT_FALSE(ChartExport::Write(chart, QSize(0, 300), path("old.png"), &error));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "keep");
}
