// curvata-render: its command line, the database look-ups and the files it
// writes.
#include "ChartRenderer.h"
#include "ProjectRenderer.h"
#include "Artifacts.h"
#include "CCharacteristicChart.h"
#include "FuseModel.h"
#include "MessageBoxService.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

RenderOptions parsed(const QStringList& args, QString* error = nullptr)
{
    RenderOptions options;
    QString message;
    EXPECT_TRUE(options.parse(args, &message)) << message.toStdString();
    if (error)
        *error = message;
    return options;
}

QString parseError(const QStringList& args)
{
    RenderOptions options;
    QString message;
    EXPECT_FALSE(options.parse(args, &message));
    return message;
}

int countColour(const QImage& image, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

const QStringList kBase = {"--db", FIXTURE_DIR, "--type", "Time-Current", "--fuse", "Fuse A"};

} // namespace

TEST(RenderOptions, ParsesEverySetting)
{
    const RenderOptions o =
        parsed({"--db",           "/d",    "--type",     "Time-Current", "--fuse",       "B",
                "--fuse",         "A",     "--size",     "640x480",      "--legend",     "off",
                "--grid",         "no",    "--boundary", "on",           "--scientific", "true",
                "--table-points", "0",     "--point",    "2,3.5",        "--x-line",     "In=250",
                "--y-line",       "t=1e3", "--output",   "out.png"});
    EXPECT_EQ(o.databaseDirectory, "/d");
    EXPECT_EQ(o.fuseNames, (QStringList{"B", "A"}));
    EXPECT_EQ(o.size, QSize(640, 480));
    EXPECT_FALSE(o.legend);
    EXPECT_FALSE(o.grid);
    EXPECT_TRUE(o.boundary);
    EXPECT_TRUE(o.scientific);
    EXPECT_FALSE(o.tablePoints);
    ASSERT_EQ(o.points.size(), 1);
    EXPECT_FLOAT_EQ(o.points[0].y, 3.5f);
    ASSERT_EQ(o.xLines.size(), 1);
    EXPECT_EQ(o.xLines[0].first, "In");
    EXPECT_FLOAT_EQ(o.yLines[0].second, 1000.0f);
    EXPECT_EQ(o.output, "out.png");

    const RenderOptions d = parsed(kBase + QStringList{"-o", "x.pdf"});
    EXPECT_EQ(d.size, QSize(1200, 800));
    EXPECT_TRUE(d.legend);
    EXPECT_TRUE(d.grid);
    EXPECT_FALSE(d.boundary);
}

TEST(RenderOptions, RefusesIncompleteOrMalformedInput)
{
    EXPECT_TRUE(parseError(kBase).contains("--output"));
    EXPECT_TRUE(parseError({"--type", "T", "--fuse", "F", "-o", "a.png"}).contains("--db"));
    EXPECT_TRUE(parseError({"--db", "d", "--fuse", "F", "-o", "a.png"}).contains("--type"));
    EXPECT_TRUE(parseError({"--db", "d", "--type", "T", "-o", "a.png"}).contains("--fuse"));
    EXPECT_TRUE(parseError(kBase + QStringList{"--size", "10x10", "-o", "a.png"}).contains("size"));
    EXPECT_TRUE(parseError(kBase + QStringList{"--size", "abc", "-o", "a.png"}).contains("size"));
    EXPECT_TRUE(parseError(kBase + QStringList{"--legend", "maybe"}).contains("on or off"));
    EXPECT_TRUE(parseError(kBase + QStringList{"--x-line", "250"}).contains("NAME=VALUE"));
    EXPECT_TRUE(parseError(kBase + QStringList{"--point", "1;2"}).contains("X,Y"));
    EXPECT_TRUE(parseError(kBase + QStringList{"--colour", "red"}).contains("Unknown option"));
    EXPECT_TRUE(parseError(kBase + QStringList{"--output"}).contains("needs a value"));
    EXPECT_TRUE(parseError({"--help"}).isEmpty());
}

TEST(ChartRendererRun, WritesPngAndPdfFromADatabase)
{
    ScriptedMessageBoxes boxes;
    QTemporaryDir dir;
    QString error;
    RenderOptions png =
        parsed(kBase + QStringList{"--fuse", "Fuse B", "--size", "900x600", "--x-line", "In=20",
                                   "--output", dir.filePath("chart.png")});
    ASSERT_TRUE(ChartRenderer::run(png, &error)) << error.toStdString();
    const QImage image(dir.filePath("chart.png"));
    ASSERT_EQ(image.size(), QSize(900, 600));
    EXPECT_GT(countColour(image, QColor(255, 0, 0)), 100); // fuse A
    EXPECT_GT(countColour(image, QColor(0, 255, 0)), 100); // fuse B
    EXPECT_GT(countColour(image, QColor(0, 0, 255)), 100); // the X line continues the palette
    Artifacts::save(image, "curvata-render-time-current");

    RenderOptions pdf = parsed({"--db", FIXTURE_DIR, "--type", "Cut-Off Current", "--fuse",
                                "Fuse A", "--output", dir.filePath("chart.pdf")});
    ASSERT_TRUE(ChartRenderer::run(pdf, &error)) << error.toStdString();
    QFile file(dir.filePath("chart.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_GT(file.size(), 1000);
    EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST(ChartRendererRun, WritesSvgWithLinesAndTexts)
{
    QTemporaryDir dir;
    QString error;
    const RenderOptions svg =
        parsed(kBase + QStringList{"--fuse", "Fuse B", "--size", "800x500", "--y-line", "t<1>=5",
                                   "-o", dir.filePath("chart.svg")});
    ASSERT_TRUE(ChartRenderer::run(svg, &error)) << error.toStdString();
    QFile file(dir.filePath("chart.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith("<?xml"));
    EXPECT_TRUE(text.contains("width=\"800\" height=\"500\""));
    EXPECT_TRUE(text.trimmed().endsWith("</svg>"));
    EXPECT_TRUE(text.contains("<polyline"));
    EXPECT_TRUE(text.contains("stroke=\"#ff0000\""));
    EXPECT_TRUE(text.contains(">Time-Current</text>"));
    EXPECT_TRUE(text.contains(">Fuse B</text>"));
    // Names are escaped, not pasted into the markup.
    EXPECT_TRUE(text.contains(">t&lt;1&gt; (5)</text>"));
    EXPECT_FALSE(text.contains("t<1>"));
    // A rotated axis title carries its transform.
    EXPECT_TRUE(text.contains("transform=\"matrix("));
}

TEST(ChartRendererRun, ReportsWhatItCannotDo)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(ChartRenderer::run(
        parsed({"--db", FIXTURE_DIR, "--type", "Nope", "--fuse", "Fuse A", "-o", "x.png"}),
        &error));
    EXPECT_TRUE(error.contains("\"Nope\""));
    EXPECT_FALSE(ChartRenderer::run(
        parsed(kBase + QStringList{"--fuse", "Fuse C", "-o", dir.filePath("x.png")}), &error));
    EXPECT_TRUE(error.contains("\"Fuse C\""));
    EXPECT_FALSE(
        ChartRenderer::run(parsed(kBase + QStringList{"-o", dir.filePath("x.bmpx")}), &error));
    EXPECT_TRUE(error.contains(".png, .pdf or .svg"));
    EXPECT_FALSE(ChartRenderer::run(
        parsed(kBase + QStringList{"-o", dir.filePath("missing/dir/x.png")}), &error));
    EXPECT_TRUE(error.contains("Cannot write"));
    // A database without its table list file is one curvata refuses to open.
    QTemporaryDir unlisted;
    for (const char* table : {"tip_kar", "karakt", "tocka", "vars", "var_grup"})
        QFile::copy(QStringLiteral(FIXTURE_DIR "/fuse/%1.rec").arg(QLatin1String(table)),
                    unlisted.filePath(QStringLiteral("%1.rec").arg(QLatin1String(table))));
    EXPECT_FALSE(ChartRenderer::run(
        parsed({"--db", unlisted.path(), "--type", "Time-Current", "--fuse", "Fuse A", "-o",
                dir.filePath("unlisted.png")}),
        &error));
    EXPECT_TRUE(error.startsWith("Please open valid database.")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("unlisted.png")));

    // A range the chart refuses: its reason is in the error, no box opens.
    ScriptedMessageBoxes boxes;
    const CharacteristicType tiny("Tiny", AxisDefinition{"I", true, 1e-9, 1},
                                  AxisDefinition{"t", true, 1, 100});
    Fuse fuse("F", "1");
    Characteristic* curve = fuse.appendCharacteristic(1, &tiny);
    curve->appendPoint(CurvePoint{1, tiny.xPosition(1e-8), tiny.yPosition(2)});
    curve->appendPoint(CurvePoint{2, tiny.xPosition(0.5), tiny.yPosition(50)});
    CCharacteristicChart chart;
    EXPECT_FALSE(ChartRenderer::prepare(chart, RenderOptions(), &tiny, {&fuse}, &error));
    EXPECT_TRUE(error.contains("The X minimum value must be larger than 0.000001"))
        << error.toStdString();
    // A type whose logarithmic axis starts at 0: the chart's own message.
    const CharacteristicType fromZero("From zero", AxisDefinition{"I", true, 0, 1},
                                      AxisDefinition{"t", true, 1, 100});
    Fuse other("G", "2");
    other.appendCharacteristic(1, &fromZero)->appendPoint(CurvePoint{1, 0.5, 0.5});
    CCharacteristicChart zeroChart;
    EXPECT_FALSE(ChartRenderer::prepare(zeroChart, RenderOptions(), &fromZero, {&other}, &error));
    EXPECT_TRUE(error.startsWith("The characteristic type \"From zero\" cannot be drawn"))
        << error.toStdString();
    EXPECT_TRUE(boxes.texts().isEmpty());
}

namespace {

QString writeProject(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath("p.cvp");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

} // namespace

TEST(ProjectRendererRun, RendersAProjectAndWritesItsTable)
{
    QTemporaryDir dir;
    const QString project = writeProject(
        dir, "[Fuses]\r\nFuse A=\r\nFuse Z=\r\nFuse B=\r\n[Characteristic]\r\nTime-Current=\r\n"
             "[XConstLines]\r\nIn=20\r\n[Table]\r\nNumberOfColumns=2\r\nColumn1(Fuse A)=abc\r\n");
    EXPECT_TRUE(parseError({"--db", "d", "--project", project}).contains("--table-out"));
    EXPECT_TRUE(parseError({"--db", "d", "--table-out", "-", "--type", "T", "--fuse", "F"})
                    .contains("--project"));
    EXPECT_TRUE(parseError({"--db", "d", "--project", project, "--fuse", "F", "-o", "x.png"})
                    .contains("--fuse"));

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QStringList messages;
    QString error;
    const RenderOptions options = parsed({"--db", FIXTURE_DIR, "--project", project, "--table-out",
                                          "-", "-o", dir.filePath("p.png")});
    ASSERT_TRUE(ProjectRenderer::run(options, &messages, &error, &out)) << error.toStdString();
    // The missing fuse is reported at the end, as Open does, and does not stop the run.
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("File opened with errors:"));
    EXPECT_TRUE(messages[0].contains("Fuse Z"));
    // Both selected fuses are rows of the table, in the project's order.
    const QList<QByteArray> rows = out.data().split('\n');
    ASSERT_GE(rows.size(), 3);
    EXPECT_TRUE(rows[1].startsWith("Fuse A\t100\t"));
    EXPECT_TRUE(rows[2].startsWith("Fuse B\t200\t"));
    EXPECT_TRUE(out.data().endsWith("\t\n"));
    const QImage image(dir.filePath("p.png"));
    EXPECT_GT(countColour(image, QColor(0, 0, 255)), 100); // the project's X line
}

TEST(ProjectRendererRun, FailsWhenTheProjectCannotBeOpened)
{
    QTemporaryDir dir;
    QStringList messages;
    QString error;
    EXPECT_FALSE(ProjectRenderer::run(parsed({"--db", FIXTURE_DIR, "--project",
                                              dir.filePath("none.cvp"), "--table-out", "-"}),
                                      &messages, &error, nullptr));
    EXPECT_FALSE(error.isEmpty());
    // A file that names nothing of the database opens with nothing to draw.
    const QString empty = writeProject(dir, "[Fuses]\nNobody=\n[Characteristic]\nNone=\n");
    EXPECT_FALSE(ProjectRenderer::run(
        parsed({"--db", FIXTURE_DIR, "--project", empty, "-o", dir.filePath("x.png")}), &messages,
        &error, nullptr));
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
}

// Lines outside the range are left out, as the view leaves them out, and
// named on the way; the others keep the value given.
TEST(ChartRendererRun, ConstantLinesOutsideTheRangeAreLeftOutAndNamed)
{
    const CharacteristicType type("T", AxisDefinition{"I", true, 1, 10000},
                                  AxisDefinition{"t", true, 1, 100});
    Fuse fuse("F", "1");
    Characteristic* curve = fuse.appendCharacteristic(1, &type);
    curve->appendPoint(CurvePoint{1, type.xPosition(2.5), type.yPosition(2)});
    curve->appendPoint(CurvePoint{2, type.xPosition(631), type.yPosition(50)});
    RenderOptions options;
    options.xLines = {{"In", 250.0f}, {"Far", 2500.0f}};
    options.yLines = {{"t", 1e6f}};
    CCharacteristicChart chart;
    QString error;
    QStringList notes;
    ASSERT_TRUE(ChartRenderer::prepare(chart, options, &type, {&fuse}, &error, &notes));
    ASSERT_EQ(chart.XLines().size(), 1);
    EXPECT_EQ(chart.XLines()[0].name, "In");
    EXPECT_FLOAT_EQ(chart.XLines()[0].x1, 250.0f);
    EXPECT_TRUE(chart.YLines().isEmpty());
    EXPECT_EQ(notes, (QStringList{"The constant line \"Far\" at x = 2500 lies outside the x range "
                                  "1 to 1000 and is not drawn.",
                                  "The constant line \"t\" at y = 1e+06 lies outside the y range "
                                  "1 to 100 and is not drawn."}));
}
