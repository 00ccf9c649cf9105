// What the chart shows for a selection: decade ranges from the curves,
// curves with numbers and legend, constant lines, table points and the
// peak-current lines.
#include "CCharacteristicChart.h"
#include "Artifacts.h"
#include "ChartFont.h"
#include "ChartTestSupport.h"
#include "FuseModel.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

using charttest::Canvas;

namespace {

AxisDefinition axis(const char* unit, bool log, double start, double end)
{
    return AxisDefinition{QString::fromUtf8(unit), log, start, end};
}

// Fuses built in code; points given as axis values are stored normalized.
struct Selection
{
    CharacteristicType type;
    std::vector<std::unique_ptr<Fuse>> fuses;

    explicit Selection(CharacteristicType t) : type(std::move(t)) {}

    Fuse& add(const QString& name, const std::vector<std::pair<double, double>>& values)
    {
        fuses.push_back(std::make_unique<Fuse>(name, "K-" + name));
        Characteristic* c = fuses.back()->appendCharacteristic(int(fuses.size()), &type);
        int n = 0;
        for (auto [x, y] : values)
            c->appendPoint(CurvePoint{++n, type.xPosition(x), type.yPosition(y)});
        return *fuses.back();
    }
    Fuse& addWithout(const QString& name)
    {
        fuses.push_back(std::make_unique<Fuse>(name, "K-" + name));
        return *fuses.back();
    }
    std::vector<const Fuse*> list() const
    {
        std::vector<const Fuse*> out;
        for (const auto& f : fuses)
            out.push_back(f.get());
        return out;
    }
};

CharacteristicType timeCurrent(const char* name = "Time-Current")
{
    return CharacteristicType(name, axis("I [A]", true, 1, 100000),
                              axis("t [s]", true, 0.001, 10000));
}

CharacteristicType linear()
{
    return CharacteristicType("Linear", axis("U [V]", false, 0, 1000),
                              axis("P [W]", false, 0, 1000));
}

QImage paint(CCharacteristicChart& chart, Canvas& canvas, QSize size = QSize(1000, 700))
{
    return canvas.paint(chart.ActiveChart(), size,
                        [&] { chart.DrawChart(QRect(QPoint(0, 0), size)); });
}

} // namespace

TEST(ChartAutoRange, RoundsOutwardToDecadesOnEitherScale)
{
    Selection log(timeCurrent());
    log.add("A", {{0.013, 2000}, {4700, 0.02}});
    CCharacteristicChart chart;
    chart.SetFuses(log.list());
    chart.SetCharacteristic(&log.type);
    ASSERT_TRUE(chart.IsChartReady());
    EXPECT_EQ(&chart.ActiveChart(), &chart.LogLog());
    EXPECT_DOUBLE_EQ(chart.XMin(), 0.01);
    EXPECT_DOUBLE_EQ(chart.XMax(), 10000);
    EXPECT_DOUBLE_EQ(chart.YMin(), 0.01);
    EXPECT_DOUBLE_EQ(chart.YMax(), 10000);
    EXPECT_EQ(chart.ActiveChart().XAxis().Decades(), 6);

    Canvas canvas;
    const QImage image = paint(chart, canvas);
    const QStringList texts = canvas.textList();
    for (const char* label : {"0.01", "0.1", "1", "10", "100", "1000", "10000"})
        EXPECT_TRUE(texts.contains(label)) << label;
    Artifacts::save(image, "chart-range-0.013-4700");

    Selection lin(linear());
    lin.add("B", {{3, 3}, {45, 45}});
    chart.SetFuses(lin.list());
    chart.SetCharacteristic(&lin.type);
    EXPECT_EQ(&chart.ActiveChart(), &chart.LinLin());
    EXPECT_DOUBLE_EQ(chart.XMin(), 1);
    EXPECT_DOUBLE_EQ(chart.XMax(), 100);
    paint(chart, canvas);
    EXPECT_TRUE(canvas.textList().contains("10.9"));
    EXPECT_TRUE(canvas.textList().contains("20.8"));
}

TEST(ChartAutoRange, DataTheRoundingDoesNotDefine)
{
    charttest::Warnings warnings;
    CCharacteristicChart chart;
    chart.SetWarningHandler(warnings.handler());

    // Every point on one decade value: one decade wide rather than no scale.
    Selection flat(timeCurrent());
    flat.add("A", {{10, 100}, {10, 100}});
    chart.SetFuses(flat.list());
    chart.SetCharacteristic(&flat.type);
    EXPECT_DOUBLE_EQ(chart.XMin(), 10);
    EXPECT_DOUBLE_EQ(chart.XMax(), 100);
    EXPECT_DOUBLE_EQ(chart.YMin(), 100);
    EXPECT_DOUBLE_EQ(chart.YMax(), 1000);

    // Negative and zero values on a linear axis round away from zero.
    Selection lin(linear());
    lin.add("B", {{-3, 0}, {45, 0}});
    chart.SetFuses(lin.list());
    chart.SetCharacteristic(&lin.type);
    EXPECT_DOUBLE_EQ(chart.XMin(), -10);
    EXPECT_DOUBLE_EQ(chart.XMax(), 100);
    EXPECT_DOUBLE_EQ(chart.YMin(), 0);
    EXPECT_DOUBLE_EQ(chart.YMax(), 1);
    lin.add("C", {{-300, -0.5}, {-20, -0.02}});
    chart.SetFuses(lin.list());
    chart.AutoRange();
    EXPECT_DOUBLE_EQ(chart.XMin(), -1000);
    EXPECT_DOUBLE_EQ(chart.YMin(), -1);

    // Points that are not numbers are left out of the range.
    Selection nan(timeCurrent());
    Fuse& f = nan.add("D", {{2, 3}, {50, 400}});
    Characteristic* c = f.appendCharacteristic(9, &nan.type);
    c->appendPoint(CurvePoint{1, std::nan(""), 0.5});
    const_cast<Characteristic*>(f.findCharacteristic("Time-Current"))
        ->appendPoint(CurvePoint{3, INFINITY, 0.5});
    chart.SetFuses(nan.list());
    chart.SetCharacteristic(&nan.type);
    EXPECT_DOUBLE_EQ(chart.XMin(), 1);
    EXPECT_DOUBLE_EQ(chart.XMax(), 100);
    EXPECT_DOUBLE_EQ(chart.YMax(), 1000);
    Canvas canvas;
    paint(chart, canvas);
    EXPECT_TRUE(warnings.texts().isEmpty());

    // A characteristic without points changes nothing.
    // A linear chart never given a range starts at 1 to 100.
    EXPECT_DOUBLE_EQ(CCharacteristicChart().LinLin().XAxis().Max(), 100);
    Selection empty(linear());
    empty.add("E", {});
    empty.addWithout("F");
    chart.SetFuses(empty.list());
    chart.SetCharacteristic(&empty.type);
    EXPECT_TRUE(chart.IsChartReady());
    EXPECT_DOUBLE_EQ(chart.XMin(), 1);
    EXPECT_DOUBLE_EQ(chart.XMax(), 100);
    const QImage image = paint(chart, canvas);
    EXPECT_TRUE(canvas.textList().contains("E")); // its legend entry is still drawn
    Artifacts::save(image, "chart-empty-characteristic");
}

TEST(ChartAutoRange, RefusedRangeClearsTheChart)
{
    charttest::Warnings warnings;
    CharacteristicType tiny("Tiny", axis("I", true, 1e-9, 1), axis("t", true, 1, 100));
    Selection sel(tiny);
    sel.add("A", {{1e-8, 2}, {0.5, 50}});
    CCharacteristicChart chart;
    chart.SetWarningHandler(warnings.handler());
    chart.SetFuses(sel.list());
    chart.SetCharacteristic(&sel.type);
    EXPECT_FALSE(chart.IsChartReady());
    EXPECT_EQ(warnings.texts(), (QStringList{"The X minimum value must be larger than 0.000001",
                                             "Setting Range failed"}));
    EXPECT_EQ(warnings.shown.last().caption, "Curvata");
    // The chart object keeps its earlier range (1 to 100).
    EXPECT_DOUBLE_EQ(chart.ActiveChart().XAxis().Min(), 0);
    EXPECT_DOUBLE_EQ(chart.ActiveChart().XAxis().Max(), 2);
    QImage target(200, 100, QImage::Format_RGB32);
    target.fill(Qt::green);
    QPainter painter(&target);
    chart.Paint(painter, QRect(0, 0, 200, 100));
    painter.end();
    EXPECT_EQ(target.pixelColor(100, 50), QColor(Qt::green)); // nothing drawn
}

// An axis whose start equals its end puts every point at the start; a
// logarithmic axis starting at 0 cannot, and the user is told so.
TEST(ChartAutoRange, AxisWithoutExtentOrWithoutLogarithm)
{
    charttest::Warnings warnings;
    CCharacteristicChart chart;
    chart.SetWarningHandler(warnings.handler());
    CharacteristicType flat("Flat", axis("U", false, 5, 5), axis("P", false, 0, 1000));
    Fuse fuse("A", "1");
    Characteristic* curve = fuse.appendCharacteristic(1, &flat);
    curve->appendPoint(CurvePoint{1, 0.2, 0.1});
    curve->appendPoint(CurvePoint{2, 0.8, 0.9});
    chart.SetFuses({&fuse});
    chart.SetCharacteristic(&flat);
    EXPECT_TRUE(chart.IsChartReady());
    EXPECT_DOUBLE_EQ(chart.XMin(), 1);
    EXPECT_DOUBLE_EQ(chart.XMax(), 10);
    EXPECT_DOUBLE_EQ(chart.YMax(), 1000);
    Canvas canvas;
    const QImage image = paint(chart, canvas);
    EXPECT_EQ(image.pixelColor(chart.ActiveChart().ToDevice(5, 500)), QColor(255, 0, 0));
    Artifacts::save(image, "chart-axis-without-extent");
    EXPECT_TRUE(warnings.texts().isEmpty());

    CharacteristicType fromZero("From zero", axis("I", true, 0, 1000), axis("t", true, 1, 100));
    Fuse other("B", "2");
    other.appendCharacteristic(2, &fromZero)->appendPoint(CurvePoint{1, 0.5, 0.5});
    chart.SetFuses({&other});
    chart.SetCharacteristic(&fromZero);
    EXPECT_FALSE(chart.IsChartReady());
    ASSERT_EQ(warnings.texts().size(), 1);
    EXPECT_EQ(warnings.texts()[0],
              "The characteristic type \"From zero\" cannot be drawn: its X axis is logarithmic "
              "and runs from 0 to 1000, but a logarithmic axis needs limits above 0.");
    EXPECT_EQ(warnings.shown[0].kind, ChartWarning::Exclamation);
}

TEST(ChartCurves, PaletteWrapsAtTheFifteenthFuseWithAWiderLegendLine)
{
    Selection sel(linear());
    for (int i = 0; i < 15; ++i)
        sel.add(QStringLiteral("Fuse %1").arg(i + 1), {{1, 10.0 + 5 * i}, {99, 10.0 + 5 * i}});
    CCharacteristicChart chart;
    chart.SetFuses(sel.list());
    chart.SetCharacteristic(&sel.type);
    chart.SetGrid(false);
    Canvas canvas;
    const QImage image = paint(chart, canvas, QSize(1600, 1400));
    Artifacts::save(image, "chart-fifteen-fuses");
    const CChart& c = chart.ActiveChart();
    const QColor red(255, 0, 0);
    // Curves: fuse 15 draws in red again, fuse 14 in black.
    CChart& active = chart.ActiveChart();
    EXPECT_EQ(image.pixelColor(active.ToDevice(30, 80)), red);
    EXPECT_EQ(image.pixelColor(active.ToDevice(30, 75)), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(active.ToDevice(30, 10)), red);

    const int cUnit = (c.Geometry().frameRight - c.Geometry().plotRight) / 30 + 1;
    const int x0 = c.Geometry().plotRight + 2 * cUnit;
    const int fh = c.FontHeight(1.0 / 30);
    auto entryY = [&](int n) { return c.Geometry().plotTop - (3 * n * fh) / 2; };
    for (int x = x0 + 2 * cUnit; x <= x0 + 4 * cUnit; ++x) {
        EXPECT_EQ(image.pixelColor(x, entryY(15)), red) << x;
        EXPECT_EQ(image.pixelColor(x, entryY(1)), red) << x;
    }
    EXPECT_EQ(image.pixelColor(x0 + cUnit + 2, entryY(1)), red);
    EXPECT_EQ(image.pixelColor(x0 + 2 * cUnit - 2, entryY(15)), QColor(255, 255, 255));
    // Legend numbers and names, 1.5 text heights apart.
    const charttest::WrittenText* n15 = canvas.find("15");
    ASSERT_NE(n15, nullptr);
    EXPECT_EQ(n15->topLeft.x(), x0);
    ASSERT_NE(canvas.find("Fuse 15"), nullptr);
    EXPECT_EQ(canvas.find("Fuse 15")->topLeft.x(), x0 + 5 * cUnit);
}

TEST(ChartCurves, NumbersGapsAndLegendOff)
{
    Selection sel(timeCurrent());
    // Falling curve: the greatest time is at the first point.
    sel.add("Falling", {{2, 1000}, {20, 10}, {200, 0.1}});
    sel.addWithout("Missing");
    sel.add("Third", {{5, 0.01}, {50, 5000}, {500, 5000}});
    CCharacteristicChart chart;
    chart.SetFuses(sel.list());
    chart.SetCharacteristic(&sel.type);
    Canvas canvas;
    QImage image = paint(chart, canvas);
    Artifacts::save(image, "chart-curves-with-gap");
    QStringList texts = canvas.textList();
    EXPECT_TRUE(texts.contains("Falling"));
    EXPECT_TRUE(texts.contains("Third"));
    EXPECT_FALSE(texts.contains("Missing"));

    CChart& c = chart.ActiveChart();
    const QPoint first = c.ToDevice(2, 1000);
    bool numberAtFirstPoint = false;
    for (const auto& t : canvas.texts)
        numberAtFirstPoint |= t.text == "1" && t.topLeft == first + QPoint(5, -15);
    EXPECT_TRUE(numberAtFirstPoint);
    // The third fuse keeps number 3 and blue; its label is at the first of
    // the two highest points.
    const QPoint highest = c.ToDevice(50, 5000);
    bool three = false;
    for (const auto& t : canvas.texts)
        three |= t.text == "3" && t.topLeft == highest + QPoint(5, -15);
    EXPECT_TRUE(three);
    const QPoint mid = c.ToDevice(5, 0.01);
    EXPECT_EQ(image.pixelColor(mid + QPoint(1, -2)).blue(), 255);

    chart.SetLegend(false);
    image = paint(chart, canvas);
    texts = canvas.textList();
    EXPECT_FALSE(texts.contains("Falling"));
    EXPECT_TRUE(texts.contains("1"));
    EXPECT_TRUE(texts.contains("3"));
    Artifacts::save(image, "chart-curves-legend-off");
}

TEST(ChartConstLines, LabelsAndFittingToANewRange)
{
    Selection sel(timeCurrent());
    sel.add("A", {{2, 0.5}, {900, 50}});
    CCharacteristicChart chart;
    chart.SetFuses(sel.list());
    chart.SetCharacteristic(&sel.type);
    ASSERT_DOUBLE_EQ(chart.XMax(), 1000);
    chart.XLines().append(ConstLine::xLine("In", 250, 0.1, 100, QColor(0, 0, 255)));
    chart.XLines().append(ConstLine::xLine("Low", 1, 0.1, 100, QColor(0, 0, 255)));
    chart.YLines().append(ConstLine::yLine("t1", 5, 1, 1000, QColor(255, 0, 255)));
    chart.FitConstLinesToRange();
    EXPECT_FLOAT_EQ(chart.XLines()[0].y1, float(chart.YMin()));
    EXPECT_FLOAT_EQ(chart.XLines()[0].y2, float(chart.YMax()));

    Canvas canvas;
    const QImage image = paint(chart, canvas);
    Artifacts::save(image, "chart-const-lines");
    CChart& c = chart.ActiveChart();
    const charttest::WrittenText* in = canvas.find("In (250)");
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->topLeft, c.ToDevice(250, float(chart.YMax())) + QPoint(5, 5));
    const charttest::WrittenText* t1 = canvas.find("t1 (5)");
    ASSERT_NE(t1, nullptr);
    EXPECT_EQ(t1->topLeft, c.ToDevice(1, 5) + QPoint(5, -20));
    const QPoint onLine = c.ToDevice(250, 1);
    EXPECT_EQ(image.pixelColor(onLine), QColor(0, 0, 255));

    // A new range of 1 to 100 on x drops the line at 250 but keeps the one
    // exactly on the minimum.
    Selection narrow(timeCurrent());
    narrow.add("B", {{2, 0.5}, {90, 50}});
    chart.SetFuses(narrow.list());
    chart.SetCharacteristic(&narrow.type);
    ASSERT_DOUBLE_EQ(chart.XMax(), 100);
    ASSERT_EQ(chart.XLines().size(), 1);
    EXPECT_EQ(chart.XLines()[0].name, "Low");
    ASSERT_EQ(chart.YLines().size(), 1);
    EXPECT_FLOAT_EQ(chart.YLines()[0].x2, 100);

    chart.YLines()[0].y1 = chart.YLines()[0].y2 = 1e6f;
    const auto removed = chart.FitConstLinesToRange();
    EXPECT_TRUE(chart.YLines().isEmpty());
    ASSERT_EQ(removed.yLines.size(), 1); // told, for those who report it
    EXPECT_EQ(removed.yLines[0].name, "t1");
    EXPECT_TRUE(removed.xLines.isEmpty());

    // A line on the range's end stays although 0.01 has no exact
    // single-precision value.
    Selection small(timeCurrent());
    small.add("C", {{0.013, 0.5}, {4700, 50}});
    chart.XLines() = {ConstLine::xLine("Min", 0.01f, 0, 1, Qt::red),
                      ConstLine::xLine("Max", 10000.0f, 0, 1, Qt::red)};
    chart.SetFuses(small.list());
    chart.SetCharacteristic(&small.type);
    ASSERT_DOUBLE_EQ(chart.XMin(), 0.01);
    EXPECT_EQ(chart.XLines().size(), 2);
}

TEST(ChartTablePoints, DrawnOnlyWhileShown)
{
    Selection sel(linear());
    sel.add("A", {{1, 1}, {99, 99}});
    CCharacteristicChart chart;
    chart.SetFuses(sel.list());
    chart.SetCharacteristic(&sel.type);
    chart.TablePoints().append(TablePoint{20, 70});
    chart.TablePoints().append(TablePoint{std::nanf(""), 1});
    Canvas canvas;
    QImage image = paint(chart, canvas);
    const QPoint p = chart.ActiveChart().ToDevice(20, 70);
    EXPECT_EQ(image.pixelColor(p), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(p + QPoint(2, 1)), QColor(0, 0, 0));
    Artifacts::save(image, "chart-table-points");

    chart.SetTablePointsShown(false);
    image = paint(chart, canvas);
    EXPECT_NE(image.pixelColor(p + QPoint(2, 1)), QColor(0, 0, 0));
    EXPECT_EQ(chart.TablePoints().size(), 2);
}

TEST(ChartCutOff, PeakCurrentLinesOnlyForTheExactName)
{
    Selection sel(timeCurrent("Cut-Off Current"));
    sel.add("A", {{2, 2}, {90, 90}});
    CCharacteristicChart chart;
    chart.SetFuses(sel.list());
    chart.SetCharacteristic(&sel.type);
    ASSERT_DOUBLE_EQ(chart.XMin(), 1);
    ASSERT_DOUBLE_EQ(chart.YMax(), 100);
    const auto root2 = chart.PeakCurrentLine(std::sqrt(2.0));
    EXPECT_FLOAT_EQ(root2.from.x, 1);
    EXPECT_NEAR(root2.from.y, 1.41421, 1e-4);
    EXPECT_NEAR(root2.to.x, 70.7107, 1e-3);
    EXPECT_FLOAT_EQ(root2.to.y, 100);
    const auto twoRoot2 = chart.PeakCurrentLine(2 * std::sqrt(2.0));
    EXPECT_NEAR(twoRoot2.from.y, 2.82843, 1e-4);
    EXPECT_NEAR(twoRoot2.to.x, 35.3553, 1e-3);

    Canvas canvas;
    const QImage image = paint(chart, canvas);
    Artifacts::save(image, "chart-cut-off-current");
    EXPECT_TRUE(canvas.textList().contains(QString::fromUtf8("√2Ik")));
    EXPECT_TRUE(canvas.textList().contains(QString::fromUtf8("2√2Ik")));
    const QPoint onLine = chart.ActiveChart().ToDevice(10, float(10 * std::sqrt(2.0)));
    bool black = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            black |= image.pixelColor(onLine + QPoint(dx, dy)) == QColor(0, 0, 0);
    EXPECT_TRUE(black);
    // The radical is drawn by a face that has it.
    EXPECT_TRUE(QFontMetrics(ChartFont::symbolFont()).inFont(QChar(0x221A)));

    Selection other(timeCurrent("Cut-off current"));
    other.add("A", {{2, 2}, {90, 90}});
    chart.SetFuses(other.list());
    chart.SetCharacteristic(&other.type);
    paint(chart, canvas);
    EXPECT_FALSE(canvas.textList().contains(QString::fromUtf8("√2Ik")));
}

TEST(ChartPrinting, PrintedPageScalesBoundaryAndMarkers)
{
    Selection sel(linear());
    sel.add("A", {{1, 1}, {99, 99}});
    CCharacteristicChart chart;
    EXPECT_EQ(CCharacteristicChart::PrintScale(600, 96), 6);
    EXPECT_EQ(CCharacteristicChart::PrintScale(72, 96), 1);
    EXPECT_EQ(CCharacteristicChart::PrintScale(0, 96), 1);

    QImage page(1200, 1650, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    chart.PaintPrinted(painter, QRect(0, 150, 1200, 1500), 4); // not ready: empty page
    EXPECT_EQ(page.pixelColor(600, 800), QColor(Qt::white));

    chart.SetFuses(sel.list());
    chart.SetCharacteristic(&sel.type);
    chart.SetBoundary(true);
    chart.TablePoints().append(TablePoint{50, 50});
    bool overlaid = false;
    chart.PaintPrinted(painter, QRect(0, 150, 1200, 1500), 4, [&](QPainter& p) {
        overlaid = true;
        p.fillRect(QRect(25, 25, 135, 112), Qt::blue);
    });
    painter.end();
    Artifacts::save(page, "chart-printed-page");
    EXPECT_TRUE(overlaid);
    CChart& c = chart.ActiveChart();
    EXPECT_FALSE(c.Printing());
    EXPECT_EQ(c.Geometry().frameTop, 150);
    EXPECT_EQ(page.pixelColor(600, 100), QColor(Qt::white)); // the band above stays free
    EXPECT_EQ(page.pixelColor(30, 30), QColor(Qt::blue));
    EXPECT_EQ(page.pixelColor(20, 900), QColor(0, 0, 0)); // boundary inset 5 x 4
    EXPECT_EQ(page.pixelColor(12, 900), QColor(Qt::white));
    const QPoint centre = c.ToDevice(50, 50);
    EXPECT_EQ(page.pixelColor(centre + QPoint(10, 0)), QColor(0, 0, 0)); // radius 3 x 4
}
