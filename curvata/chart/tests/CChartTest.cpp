// The coordinate systems: layout, range checks, conversions, tick labels,
// axes, grid, text placement and the off-screen paint.
#include "Artifacts.h"
#include "CChartLinLin.h"
#include "CChartLinLog.h"
#include "CChartLogLin.h"
#include "CChartLogLog.h"
#include "ChartTestSupport.h"

#include <QFontMetrics>
#include <cmath>
#include <gtest/gtest.h>

using charttest::Canvas;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

} // namespace

TEST(ChartLayout, FrameAndPlotRectangleWithAndWithoutLegend)
{
    CChartLinLin chart;
    chart.SetRange(0, 0, 100, 100);
    chart.Layout(QRect(10, 20, 800, 600));
    EXPECT_EQ(chart.Geometry().frameLeft, 10);
    EXPECT_EQ(chart.Geometry().frameTop, 20);
    EXPECT_EQ(chart.Geometry().frameRight, 810);
    EXPECT_EQ(chart.Geometry().frameBottom, 620);
    EXPECT_EQ(chart.Geometry().leftMargin, 100);
    EXPECT_EQ(chart.Geometry().rightMarginUnit, 100);
    EXPECT_EQ(chart.Geometry().topMargin, 60);
    EXPECT_EQ(chart.Geometry().bottomMargin, 100);
    EXPECT_EQ(chart.Geometry().plotLeft, 110);
    EXPECT_EQ(chart.Geometry().plotRight, 610); // two right margins for the legend
    EXPECT_EQ(chart.Geometry().plotTop, 80);
    EXPECT_EQ(chart.Geometry().plotBottom, 520);
    EXPECT_EQ(chart.Geometry().plotWidth, 500);
    EXPECT_EQ(chart.Geometry().plotHeight, 440);
    EXPECT_EQ(chart.Geometry().textSizeBase, 440);
    EXPECT_DOUBLE_EQ(chart.Geometry().xScale, 100.0 / 500);

    chart.SetLegend(false);
    chart.Layout(QRect(10, 20, 800, 600));
    EXPECT_EQ(chart.Geometry().plotRight, 710);
    EXPECT_EQ(chart.Geometry().plotWidth, 600);

    // Integer margins truncate: 803 / 8 = 100, 605 / 6 = 100.
    chart.Layout(QRect(0, 0, 803, 605));
    EXPECT_EQ(chart.Geometry().leftMargin, 100);
    EXPECT_EQ(chart.Geometry().bottomMargin, 100);
    EXPECT_EQ(chart.Geometry().topMargin, 60);
}

TEST(ChartLayout, PlotFrameIsDrawnWhereTheLayoutSays)
{
    for (bool legend : {true, false}) {
        CChartLinLin chart;
        chart.SetLegend(legend);
        chart.SetRange(0, 0, 100, 100);
        Canvas canvas;
        const QImage image = canvas.paint(chart, QSize(800, 600), [&] { chart.DrawAxes(); });
        const int midY = (chart.Geometry().plotTop + chart.Geometry().plotBottom) / 2 + 3;
        EXPECT_EQ(image.pixelColor(chart.Geometry().plotLeft, midY), kBlack);
        EXPECT_EQ(image.pixelColor(chart.Geometry().plotRight - 1, midY), kBlack);
        EXPECT_EQ(image.pixelColor(chart.Geometry().plotRight + 1, midY), kWhite);
        EXPECT_EQ(image.pixelColor(400, chart.Geometry().plotTop), kBlack);
        EXPECT_EQ(image.pixelColor(400, chart.Geometry().plotBottom - 1), kBlack);
        // The paint's area outline.
        EXPECT_EQ(image.pixelColor(0, 300), kBlack);
        EXPECT_EQ(image.pixelColor(799, 300), kBlack);
        // The right-hand scale repeats the y labels only without a legend.
        const int labels = int(canvas.textList().count(QStringLiteral("50")));
        EXPECT_EQ(labels, legend ? 2 : 3) << "x axis, y axis" << (legend ? "" : ", right scale");
        Artifacts::save(image, legend ? "chart-axes-legend" : "chart-axes-right-scale");
    }
}

TEST(ChartRange, LogarithmicAxesRefuseTinyValues)
{
    charttest::Warnings warnings;
    CChartLogLog chart;
    chart.SetWarningHandler(warnings.handler());
    ASSERT_TRUE(chart.SetRange(1, 1, 100, 100));
    EXPECT_FALSE(chart.SetRange(0.0000001, 0, 100, 100));
    ASSERT_EQ(warnings.texts(), QStringList{"The X minimum value must be larger than 0.000001"});
    EXPECT_EQ(warnings.shown.first().caption, "Warning");
    EXPECT_EQ(warnings.shown.first().kind, ChartWarning::Exclamation);
    // The stored range keeps its previous values.
    EXPECT_DOUBLE_EQ(chart.XAxis().Min(), 0.0);
    EXPECT_DOUBLE_EQ(chart.XAxis().Max(), 2.0);
    EXPECT_EQ(chart.GetAxisType(), CChart::AxisLogLog);

    warnings.clear();
    CChartLinLog linLog;
    linLog.SetWarningHandler(warnings.handler());
    EXPECT_FALSE(linLog.SetRange(-5, 1, 5, 0.0000005));
    EXPECT_EQ(warnings.texts(), QStringList{"The Y minimum value must be larger than 0.000001"});
    EXPECT_EQ(linLog.GetAxisType(), CChart::AxisLinLog);

    warnings.clear();
    CChartLogLin logLin;
    logLin.SetWarningHandler(warnings.handler());
    EXPECT_TRUE(logLin.SetRange(0.000001, -10, 1000, 10));
    EXPECT_EQ(logLin.XAxis().Decades(), 9);
    EXPECT_EQ(logLin.YAxis().Decades(), 0);
    EXPECT_DOUBLE_EQ(logLin.YAxis().Min(), -10);
    EXPECT_TRUE(warnings.texts().isEmpty());

    CChartLinLin linLin;
    linLin.SetWarningHandler(warnings.handler());
    EXPECT_TRUE(linLin.SetRange(-3, -2, 3, 2));
    EXPECT_EQ(linLin.GetAxisType(), CChart::AxisLinLin);
    // A range end that is not a number is refused rather than drawn as garbage.
    EXPECT_FALSE(linLin.SetRange(0, 0, std::nan(""), 1));
    EXPECT_FALSE(logLin.SetRange(1, 0, INFINITY, 1));
    EXPECT_TRUE(warnings.texts().isEmpty());
}

TEST(ChartRange, DecadesOfExactPowersOfTen)
{
    CChartLogLog chart;
    ASSERT_TRUE(chart.SetRange(0.01, 0.001, 10000, 1000));
    EXPECT_EQ(chart.XAxis().Decades(), 6);
    EXPECT_EQ(chart.YAxis().Decades(), 6);
    ASSERT_TRUE(chart.SetRange(1, 1, 500, 100));
    EXPECT_EQ(chart.XAxis().Decades(), 2); // not whole: truncated
}

TEST(ChartConversion, ToValueOfToDeviceIsWithinOnePixel)
{
    CChartLinLin linLin;
    CChartLogLin logLin;
    CChartLinLog linLog;
    CChartLogLog logLog;
    linLin.SetRange(-50, 0, 150, 20);
    logLin.SetRange(0.01, -5, 10000, 5);
    linLog.SetRange(0, 0.001, 400, 1000);
    logLog.SetRange(1, 0.01, 100000, 10000);
    for (CChart* chart : {static_cast<CChart*>(&linLin), static_cast<CChart*>(&logLin),
                          static_cast<CChart*>(&linLog), static_cast<CChart*>(&logLog)}) {
        chart->Layout(QRect(0, 0, 1000, 700));
        for (double t : {0.0, 0.13, 0.5, 0.77, 0.999}) {
            const double X =
                chart->XAxis().Min() + t * (chart->XAxis().Max() - chart->XAxis().Min());
            const double Y =
                chart->YAxis().Min() + (1 - t) * (chart->YAxis().Max() - chart->YAxis().Min());
            const float x = float(chart->XLogarithmic() ? std::pow(10.0, X) : X);
            const float y = float(chart->YLogarithmic() ? std::pow(10.0, Y) : Y);
            const QPoint device = chart->ToDevice(x, y);
            EXPECT_EQ(device, QPoint(chart->CurrentPoint().x(), chart->CurrentPoint().y()));
            const ChartValue back = chart->ToValue(device);
            const double bx = chart->XLogarithmic() ? std::log10(double(back.x)) : back.x;
            const double by = chart->YLogarithmic() ? std::log10(double(back.y)) : back.y;
            EXPECT_NEAR(bx, X, std::fabs(chart->Geometry().xScale) * 1.0001)
                << chart->GetAxisType() << " t=" << t;
            EXPECT_NEAR(by, Y, std::fabs(chart->Geometry().yScale) * 1.0001)
                << chart->GetAxisType() << " t=" << t;
        }
    }
}

TEST(ChartConversion, TruncatesTowardZeroAndSurvivesDegenerateRanges)
{
    CChartLinLin chart;
    chart.SetRange(0, 0, 100, 100);
    chart.Layout(QRect(0, 0, 800, 600)); // plot 100..600 x 60..500
    EXPECT_EQ(chart.ToDevice(0, 0), QPoint(100, 500));
    EXPECT_EQ(chart.ToDevice(100, 100), QPoint(600, 60));
    EXPECT_EQ(chart.ToDevice(0.39f, 0.5f), QPoint(101, 497)); // 1.95 -> 1, 497.8 -> 497
    EXPECT_EQ(chart.ToDevice(-0.39f, 0), QPoint(99, 500));    // -1.95 -> -1

    EXPECT_EQ(CChart::TruncToInt(std::nan("")), 0);
    EXPECT_EQ(CChart::TruncToInt(1e300), 10'000'000);
    EXPECT_EQ(CChart::TruncToInt(-2.7), -2);

    // A range without extent and a tiny area give a zero or infinite
    // scale; painting must still finish.
    chart.SetRange(5, 5, 5, 5);
    Canvas canvas;
    const float xs[3] = {5, 5, 6};
    const float ys[3] = {5, 6, std::nanf("")};
    canvas.paint(chart, QSize(300, 200), [&] {
        chart.DrawAxes();
        chart.DrawGrid();
        chart.DrawPolyline(xs, ys, 3, Qt::red, 1, "F", 0, Qt::SolidLine, -1);
    });
    CChartLogLog log;
    log.SetRange(10, 10, 10, 10);
    EXPECT_EQ(log.XAxis().Decades(), 0);
    canvas.paint(log, QSize(6, 6), [&] {
        log.DrawAxes();
        log.DrawGrid();
        log.DrawMarker(0, -1, CChart::MarkerFilledCircle, 3);
    });
}

TEST(ChartLabels, FormatTickLabel)
{
    CChartLinLin chart;
    EXPECT_EQ(chart.FormatTickLabel(5, 100), "100");
    EXPECT_EQ(chart.FormatTickLabel(5, 2.5), "2.5");
    EXPECT_EQ(chart.FormatTickLabel(5, 0.1), "0.1");
    EXPECT_EQ(chart.FormatTickLabel(5, 0.02), "0.02");
    EXPECT_EQ(chart.FormatTickLabel(5, 0.5), "0.5");
    EXPECT_EQ(chart.FormatTickLabel(5, 3), "3");
    EXPECT_EQ(chart.FormatTickLabel(5, 10.9), "10.9");
    EXPECT_EQ(chart.FormatTickLabel(5, -20.8), "-20.8");
    EXPECT_EQ(chart.FormatTickLabel(5, 0.99999), "0.99999");
    EXPECT_EQ(chart.FormatTickLabel(5, 1.000004), "1");
    EXPECT_EQ(chart.FormatTickLabel(5, 123456.5), "123456.5");
    EXPECT_EQ(chart.FormatTickLabel(5, 1e-11), "0");
    EXPECT_EQ(chart.FormatTickLabel(5, -1e-17), "0");
    EXPECT_EQ(chart.FormatTickLabel(0, 2.5), "2");
    EXPECT_EQ(chart.FormatTickLabel(2, 0.125), "0.12");
    EXPECT_EQ(chart.FormatTickLabel(9, 0.123456), "0.12346");
    // Values too small for five decimals keep their value instead of "0.".
    EXPECT_EQ(chart.FormatTickLabel(5, 0.000001), "1e-06");
    EXPECT_EQ(chart.FormatTickLabel(5, -0.000002), "-2e-06");

    chart.SetScientificLabels(true);
    EXPECT_EQ(chart.FormatTickLabel(5, 1000), "       1e+03");
    EXPECT_EQ(chart.FormatTickLabel(5, 0.01).size(), 12);
    EXPECT_EQ(chart.FormatTickLabel(5, 0.01).trimmed(), "1e-02");
}

TEST(ChartAxes, LogarithmicXAxisOfSixDecades)
{
    CChartLogLin chart;
    ASSERT_TRUE(chart.SetRange(0.01, 0, 10000, 100));
    Canvas canvas;
    const QImage image = canvas.paint(chart, QSize(1000, 700), [&] {
        chart.SelectTextFont(1.0 / 30, 500);
        chart.SetTextAnchor(CChart::AnchorCentre, CChart::AnchorTop);
        chart.DrawXAxis();
    });
    EXPECT_EQ(canvas.textList(), (QStringList{"0.01", "0.1", "1", "10", "100", "1000", "10000"}));
    // Decade ticks reach bottom margin / 7 below the plot, minor ones / 14.
    const int below7 = chart.Geometry().plotBottom + chart.Geometry().bottomMargin / 7;
    for (int d = 2; d <= 6; ++d) {
        const int px = chart.Geometry().plotWidth * (d - 1) / 6 + chart.Geometry().plotLeft;
        EXPECT_EQ(image.pixelColor(px, below7 - 1), kBlack) << d;
        // Each decade label is centred below its tick.
        const charttest::WrittenText& label = canvas.texts[d - 1];
        const int w = QFontMetrics(chart.SelectedFont()).horizontalAdvance(label.text);
        EXPECT_NEAR(label.topLeft.x() + w / 2.0, px, 1.0) << label.text.toStdString();
        EXPECT_EQ(label.topLeft.y(),
                  chart.Geometry().plotBottom + chart.Geometry().bottomMargin / 5);
    }
    const int k2 =
        int(chart.Geometry().plotWidth * std::log10(2.0) / 6 + chart.Geometry().plotLeft);
    EXPECT_EQ(
        image.pixelColor(k2, chart.Geometry().plotBottom + chart.Geometry().bottomMargin / 14 - 1),
        kBlack);
    EXPECT_EQ(image.pixelColor(k2, below7 - 1), kWhite);
    // No tick at the plot's two ends.
    EXPECT_EQ(image.pixelColor(chart.Geometry().plotLeft, chart.Geometry().plotBottom + 3), kWhite);
    EXPECT_EQ(image.pixelColor(chart.Geometry().plotRight, chart.Geometry().plotBottom + 3),
              kWhite);
    Artifacts::save(image, "chart-log-x-axis");
}

TEST(ChartAxes, LinearAxesLabelEveryTenthOfTheRange)
{
    CChartLinLin chart;
    ASSERT_TRUE(chart.SetRange(1, 1, 100, 100));
    Canvas canvas;
    const QImage image = canvas.paint(chart, QSize(1000, 700), [&] { chart.DrawXAxis(); });
    EXPECT_EQ(canvas.textList(), (QStringList{"1", "10.9", "20.8", "30.7", "40.6", "50.5", "60.4",
                                              "70.3", "80.2", "90.1", "100"}));
    // 49 ticks; every fifth is long.
    const int longEnd = chart.Geometry().plotBottom + chart.Geometry().bottomMargin / 7;
    const int shortEnd = chart.Geometry().plotBottom + chart.Geometry().bottomMargin / 14;
    const int px5 = int(chart.Geometry().plotWidth * 5 / 50.0 + chart.Geometry().plotLeft);
    const int px6 = int(chart.Geometry().plotWidth * 6 / 50.0 + chart.Geometry().plotLeft);
    EXPECT_EQ(image.pixelColor(px5, longEnd - 1), kBlack);
    EXPECT_EQ(image.pixelColor(px6, shortEnd - 1), kBlack);
    EXPECT_EQ(image.pixelColor(px6, longEnd - 1), kWhite);

    canvas.paint(chart, QSize(1000, 700), [&] {
        chart.SetTextAnchor(CChart::AnchorRight, CChart::AnchorMiddle);
        chart.DrawYAxis();
    });
    EXPECT_EQ(canvas.textList().first(), "100");
    EXPECT_EQ(canvas.textList().last(), "1");
}

TEST(ChartAxes, LogarithmicYScaleOnBothSides)
{
    CChartLinLog chart;
    chart.SetLegend(false);
    ASSERT_TRUE(chart.SetRange(0, 0.001, 10, 1000));
    Canvas canvas;
    const QImage image = canvas.paint(chart, QSize(900, 700), [&] { chart.DrawAxes(); });
    const QStringList texts = canvas.textList();
    EXPECT_EQ(texts.count("0.001"), 2);
    EXPECT_EQ(texts.count("1000"), 2);
    // The top label sits at the plot's top edge on the right-hand scale.
    const charttest::WrittenText* top = nullptr;
    for (const auto& t : canvas.texts)
        if (t.text == "1000" && t.topLeft.x() > chart.Geometry().plotRight)
            top = &t;
    ASSERT_NE(top, nullptr);
    chart.SelectTextFont(1.0 / 30, 500);
    const int h = QFontMetrics(chart.SelectedFont()).height();
    EXPECT_NEAR(top->topLeft.y() + h / 2.0, chart.Geometry().plotTop, 1.0);
    EXPECT_EQ(top->topLeft.x(), chart.Geometry().plotRight + chart.Geometry().rightMarginUnit / 6);
    Artifacts::save(image, "chart-log-y-both-sides");
}

TEST(ChartGrid, DecadeLinesSolidAndInsideThePlot)
{
    CChartLogLog chart;
    ASSERT_TRUE(chart.SetRange(1, 1, 1000, 1000));
    Canvas canvas;
    const QImage image = canvas.paint(chart, QSize(900, 700), [&] {
        chart.DrawAxes();
        chart.DrawGrid();
    });
    const QColor grid(192, 192, 192);
    const int decadeX = chart.Geometry().plotWidth / 3 + chart.Geometry().plotLeft;
    // A solid decade line: every pixel between the frame lines is grid grey.
    int grey = 0;
    for (int y = chart.Geometry().plotTop + 1; y < chart.Geometry().plotBottom - 1; ++y)
        grey += image.pixelColor(decadeX, y) == grid;
    EXPECT_EQ(grey, chart.Geometry().plotHeight - 2);
    // A dotted line leaves gaps.
    const int k2 =
        int(chart.Geometry().plotWidth * std::log10(2.0) / 3 + chart.Geometry().plotLeft);
    int dotted = 0;
    for (int y = chart.Geometry().plotTop + 1; y < chart.Geometry().plotBottom - 1; ++y)
        dotted += image.pixelColor(k2, y) == grid;
    EXPECT_GT(dotted, 0);
    EXPECT_LT(dotted, chart.Geometry().plotHeight - 2);
    Artifacts::save(image, "chart-log-log-grid");
}

TEST(ChartText, TenPixelMinimumAndHeightFactors)
{
    CChartLinLin chart;
    chart.SetRange(0, 0, 1, 1);
    chart.Layout(QRect(0, 0, 300, 200));
    EXPECT_EQ(chart.Geometry().textSizeBase, 147);
    EXPECT_EQ(chart.FontHeight(1.0 / 30), -10);
    EXPECT_EQ(chart.FontHeight(0.05), -10);
    EXPECT_EQ(chart.FontHeight(1.0 / 35), -10);
    chart.Layout(QRect(0, 0, 1600, 1200));
    EXPECT_EQ(chart.Geometry().textSizeBase, 880);
    EXPECT_EQ(chart.FontHeight(1.0 / 30), -29);
    EXPECT_EQ(chart.FontHeight(0.05), -44);
    EXPECT_EQ(chart.FontHeight(1.0 / 35), -25);

    Canvas canvas;
    const QImage image = canvas.paint(chart, QSize(300, 200), [&] {
        chart.DrawAxes();
        chart.DrawTextAt(20, 20, Qt::blue, "Label");
        EXPECT_EQ(chart.SelectedFont().pixelSize(), 10);
    });
    // Glyphs of a 10-pixel face are several pixels high.
    int top = 1000, bottom = -1;
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 60; ++x)
            if (image.pixelColor(x, y).blue() > 150 && image.pixelColor(x, y).red() < 100) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(bottom - top, 6);
    Artifacts::save(image, "chart-small-200px");
}

TEST(ChartText, PutTextAnchorsAndRotation)
{
    CChartLinLin chart;
    chart.SetRange(0, 0, 1, 1);
    Canvas canvas;
    QFont font;
    canvas.paint(chart, QSize(400, 300), [&] {
        chart.SelectTextFont(1.0 / 30, 500);
        font = chart.SelectedFont();
        chart.SetTextAnchor(CChart::AnchorLeft, CChart::AnchorTop);
        chart.PutText(100, 100, 0, "Abc");
        chart.SetTextAnchor(CChart::AnchorCentre, CChart::AnchorMiddle);
        chart.PutText(100, 100, 0, "Abc");
        chart.SetTextAnchor(CChart::AnchorRight, CChart::AnchorBottom);
        chart.PutText(100, 100, 0, "Abc");
        chart.SetTextAnchor(CChart::AnchorCentre, CChart::AnchorMiddle);
        chart.PutText(100, 100, 90, "Abc");
    });
    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance("Abc");
    const int h = metrics.height();
    ASSERT_EQ(canvas.texts.size(), 4);
    EXPECT_EQ(canvas.texts[0].topLeft, QPoint(100, 100));
    EXPECT_EQ(canvas.texts[1].topLeft, QPoint(int(100 - w / 2.0), int(100 - h / 2.0)));
    EXPECT_EQ(canvas.texts[2].topLeft, QPoint(100 - w, 100 - h));
    // Rotated upward: the reference corner moves left by half the height
    // and down by half the width.
    EXPECT_NEAR(canvas.texts[3].topLeft.x(), 100 - h / 2.0, 1.0);
    EXPECT_NEAR(canvas.texts[3].topLeft.y(), 100 + w / 2.0, 1.0);
}

TEST(ChartTitles, TitlesAndBoundary)
{
    CChartLogLog chart;
    chart.SetRange(1, 0.01, 10000, 10000);
    Canvas canvas;
    const QImage image = canvas.paint(chart, QSize(800, 600), [&] {
        chart.DrawBoundary(kBlack, 2);
        chart.DrawXTitle("I [A]");
        chart.DrawYTitle("t [s]");
        chart.DrawTitle("Time-Current");
        chart.DrawAxes();
        chart.DrawGrid();
    });
    EXPECT_EQ(canvas.textList().mid(0, 4),
              (QStringList{"I [A]", "t [s]", "Time-Current", "Time-Current"}));
    // The title's shadow is one pixel lower.
    EXPECT_EQ(canvas.texts[2].topLeft + QPoint(0, 1), canvas.texts[3].topLeft + QPoint(0, 2));
    EXPECT_EQ(image.pixelColor(5, 300), kBlack);
    EXPECT_EQ(image.pixelColor(400, 5), kBlack);
    EXPECT_EQ(image.pixelColor(794, 300), kBlack);
    EXPECT_EQ(image.pixelColor(9, 300), kWhite);
    Artifacts::save(image, "chart-titles-boundary");
}

TEST(ChartPaint, OffscreenImageCoversOnlyTheClipBox)
{
    CChartLinLin chart;
    chart.SetRange(0, 0, 10, 10);
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 0));
    QPainter painter(&image);
    painter.setClipRect(QRect(50, 40, 200, 100));
    chart.Layout(QRect(0, 0, 400, 300));
    chart.BeginDraw(painter);
    EXPECT_EQ(chart.ClipBox(), QRect(50, 40, 200, 100));
    chart.DrawAxes();
    chart.EndDraw(painter);
    painter.end();
    EXPECT_EQ(image.pixelColor(49, 100), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(250, 100), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(100, 39), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(60, 45), kWhite);
    EXPECT_EQ(image.pixelColor(chart.Geometry().plotLeft, 100), kBlack);

    // Printing draws straight onto the device and leaves printing mode.
    chart.SetPrinting(true);
    chart.SetBackgroundColour(QColor(10, 20, 30));
    QPainter direct(&image);
    chart.BeginDraw(direct);
    chart.EndDraw(direct);
    direct.end();
    EXPECT_FALSE(chart.Printing());
    EXPECT_EQ(image.pixelColor(300, 200), QColor(10, 20, 30));
}

TEST(ChartPolyline, PointsWithoutAPlaceBreakTheLine)
{
    CChartLogLog chart;
    chart.SetRange(1, 1, 100, 100);
    Canvas canvas;
    // Run 1: (2,10)-(5,10); gap at the NaN; run 2: (20,10)-(50,10); the
    // zero x cannot lie on a logarithmic axis and breaks it again.
    const float xs[7] = {2, 5, std::nanf(""), 20, 50, 0, 80};
    const float ys[7] = {10, 10, 10, 10, 10, 10, 10};
    const QImage image = canvas.paint(chart, QSize(800, 600), [&] {
        chart.DrawPolyline(xs, ys, 7, Qt::red, 0, QString(), 0, Qt::SolidLine, -1);
    });
    const QColor red(255, 0, 0);
    const int y = chart.ToDevice(3, 10).y();
    EXPECT_EQ(image.pixelColor(chart.ToDevice(3, 10).x(), y), red);
    EXPECT_EQ(image.pixelColor(chart.ToDevice(30, 10).x(), y), red);
    EXPECT_NE(image.pixelColor(chart.ToDevice(10, 10).x(), y), red);
    EXPECT_NE(image.pixelColor(chart.ToDevice(65, 10).x(), y), red);
    // The number label goes to the first of the equally high points.
    ASSERT_EQ(canvas.texts.size(), 1);
    EXPECT_EQ(canvas.texts[0].topLeft, chart.ToDevice(2, 10) + QPoint(5, -15));
}

TEST(ChartPaint, EveryCoordinateSystemDrawsAWholeChart)
{
    CChartLinLin linLin;
    CChartLogLin logLin;
    CChartLinLog linLog;
    CChartLogLog logLog;
    const char* names[4] = {"chart-system-linlin", "chart-system-loglin", "chart-system-linlog",
                            "chart-system-loglog"};
    int index = 0;
    for (CChart* chart : {static_cast<CChart*>(&linLin), static_cast<CChart*>(&logLin),
                          static_cast<CChart*>(&linLog), static_cast<CChart*>(&logLog)}) {
        ASSERT_TRUE(chart->SetRange(1, 0.1, 1000, 100));
        EXPECT_EQ(chart->GetAxisType(), index);
        chart->SetLegend(index % 2 == 0);
        chart->SetScientificLabels(index == 3);
        Canvas canvas;
        const float xs[3] = {2, 30, 900};
        const float ys[3] = {90, 5, 0.2f};
        const QImage image = canvas.paint(*chart, QSize(900, 600), [&] {
            chart->DrawXTitle("x");
            chart->DrawYTitle("y");
            chart->DrawTitle("System");
            chart->DrawAxes();
            chart->DrawGrid();
            chart->DrawPolyline(xs, ys, 3, Qt::blue, 1, "Curve", 0, Qt::SolidLine, -1);
        });
        EXPECT_EQ(canvas.textList().contains("Curve"), chart->Legend()) << index;
        if (index == 3) {
            EXPECT_TRUE(canvas.textList().contains("       1e+03"));
        }
        Artifacts::save(image, names[index++]);
    }
}
