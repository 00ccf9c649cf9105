// The view's interaction without a window: zoom steps and caps, the
// rectangle zoom, Random, moving constant lines, the command states and the
// cursor readout.
#include "CCharacteristicChart.h"
#include "ChartCommandState.h"
#include "ChartZoom.h"
#include "ConstLineMover.h"
#include "FuseModel.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

ChartZoom zoomFor(QSize client)
{
    ChartZoom zoom;
    zoom.SetClientSize(client);
    return zoom;
}

// A chart over a linear 10..100 x and logarithmic 1..1000 y range, laid out
// on 800 x 600, with one Y line at 10 and one X line at 50.
struct LinesFixture : ::testing::Test
{
    CharacteristicType type{"Time-Current", AxisDefinition{"I", false, 0, 100},
                            AxisDefinition{"t", true, 1, 1000}};
    Fuse fuse{"F 16A", "1"};
    CCharacteristicChart chart;
    ConstLineMover mover{chart};

    void SetUp() override
    {
        Characteristic* c = fuse.appendCharacteristic(1, &type);
        c->appendPoint(CurvePoint{1, type.xPosition(20), type.yPosition(900)});
        c->appendPoint(CurvePoint{2, type.xPosition(90), type.yPosition(2)});
        chart.SetFuses({&fuse});
        chart.SetCharacteristic(&type);
        ASSERT_TRUE(chart.IsChartReady());
        ASSERT_DOUBLE_EQ(chart.YMax(), 1000);
        chart.ActiveChart().Layout(QRect(0, 0, 800, 600));
        chart.YLines().append(ConstLine::yLine("t1", 10, chart.XMin(), chart.XMax(), Qt::red));
        chart.XLines().append(ConstLine::xLine("In", 50, chart.YMin(), chart.YMax(), Qt::blue));
    }
    QPoint device(float x, float y) { return chart.ActiveChart().ToDevice(x, y); }
};

} // namespace

TEST(ChartZoom, InThreeTimesAndOutThreeTimesReturnsExactlyToTheWindow)
{
    ChartZoom zoom = zoomFor(QSize(800, 600));
    EXPECT_FALSE(zoom.IsZoomed());
    EXPECT_FALSE(zoom.CanZoomOut());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(zoom.ZoomIn());
    EXPECT_EQ(zoom.Canvas(), QSize(1382, 1036));
    EXPECT_NEAR(zoom.FactorX(), 1.728, 1e-5);
    EXPECT_EQ(zoom.GetMode(), ChartZoom::In);
    EXPECT_EQ(zoom.LayoutArea(), QRect(0, 0, 1382, 1036));

    // A zoomed canvas keeps its size when the window changes.
    zoom.SetClientSize(QSize(700, 500));
    EXPECT_EQ(zoom.Canvas(), QSize(1382, 1036));
    zoom.SetClientSize(QSize(800, 600));

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(zoom.ZoomOut());
    EXPECT_EQ(zoom.Canvas(), QSize(800, 600));
    EXPECT_EQ(zoom.FactorX(), 1.0f);
    EXPECT_EQ(zoom.FactorY(), 1.0f);
    EXPECT_FALSE(zoom.IsZoomed());
    EXPECT_FALSE(zoom.CanZoomOut());
    EXPECT_FALSE(zoom.ZoomOut());
    EXPECT_EQ(zoom.GetMode(), ChartZoom::Out);
    // Unzoomed, the canvas follows the window.
    zoom.SetClientSize(QSize(640, 480));
    EXPECT_EQ(zoom.Canvas(), QSize(640, 480));
}

TEST(ChartZoom, InStopsAtThirtyAndTheCanvasAtTheScrollLimit)
{
    ChartZoom zoom = zoomFor(QSize(1920, 1080));
    int steps = 0;
    while (zoom.CanZoomIn() && steps < 100) {
        zoom.ZoomIn();
        ++steps;
    }
    EXPECT_EQ(steps, 19); // 1.2^18 < 30 <= 1.2^19: a factor passes 30 once
    EXPECT_GE(zoom.FactorX(), 30.0f);
    EXPECT_LT(zoom.FactorX(), 36.0f);
    EXPECT_EQ(zoom.Canvas(), QSize(ChartZoom::MaxCanvas, ChartZoom::MaxCanvas));

    // None returns to the window from anywhere larger.
    EXPECT_TRUE(zoom.ZoomNone());
    EXPECT_EQ(zoom.Canvas(), QSize(1920, 1080));
    EXPECT_FALSE(zoom.IsZoomed());
}

TEST(ChartZoom, RectangleZoomsByWholeStepsAndKeepsItsStartInPlace)
{
    ChartZoom zoom = zoomFor(QSize(800, 600));
    zoom.SetMode(ChartZoom::Rectangle);
    // 250 of 800 fits 3.2 times: step 3, not 3.2; 150 of 600 gives 4.
    const std::optional<QPoint> scroll =
        zoom.ZoomToRectangle(QPoint(100, 50), QPoint(350, 200), QSize(800, 600));
    ASSERT_TRUE(scroll);
    EXPECT_EQ(zoom.FactorX(), 3.0f);
    EXPECT_EQ(zoom.FactorY(), 4.0f);
    EXPECT_EQ(zoom.Canvas(), QSize(2400, 2400));
    EXPECT_EQ(*scroll, QPoint(300, 200));
    EXPECT_EQ(zoom.GetMode(), ChartZoom::Rectangle);

    // Drawn backwards it is the same rectangle; the factors grow on, capped
    // at 30, and the start's position scales by new over old factor.
    const std::optional<QPoint> again =
        zoom.ZoomToRectangle(QPoint(900, 900), QPoint(700, 700), QSize(800, 600));
    ASSERT_TRUE(again);
    EXPECT_EQ(zoom.FactorX(), 12.0f);
    EXPECT_EQ(zoom.FactorY(), 12.0f);
    EXPECT_EQ(*again, QPoint(3600, 2700));
    zoom.ZoomToRectangle(QPoint(0, 0), QPoint(200, 200), QSize(800, 600));
    EXPECT_EQ(zoom.FactorX(), 30.0f);
    EXPECT_EQ(zoom.FactorY(), 30.0f);
    EXPECT_EQ(zoom.Canvas(), QSize(24000, 18000));
}

TEST(ChartZoom, RectangleRefusesFlatTinyAndOversizedRectangles)
{
    ChartZoom zoom = zoomFor(QSize(800, 600));
    zoom.SetMode(ChartZoom::Rectangle);
    const QSize window(800, 600);
    EXPECT_FALSE(zoom.ZoomToRectangle(QPoint(10, 10), QPoint(10, 300), window));  // no width
    EXPECT_FALSE(zoom.ZoomToRectangle(QPoint(10, 10), QPoint(300, 10), window));  // no height
    EXPECT_FALSE(zoom.ZoomToRectangle(QPoint(10, 10), QPoint(35, 300), window));  // 800/25 = 32
    EXPECT_FALSE(zoom.ZoomToRectangle(QPoint(0, 0), QPoint(801, 300), window));   // wider
    EXPECT_TRUE(zoom.ZoomToRectangle(QPoint(10, 10), QPoint(36, 30), window));    // 30 and 30
    EXPECT_EQ(zoom.GetMode(), ChartZoom::Rectangle);
}

TEST(ChartZoom, RandomHalfShowsTheTopLeftQuarterAndNoneKeepsIt)
{
    ChartZoom zoom = zoomFor(QSize(800, 600));
    zoom.SetMode(ChartZoom::Rectangle);
    zoom.Random(0.5f, 0.5f);
    EXPECT_EQ(zoom.GetMode(), ChartZoom::Rectangle); // Random leaves the mode
    EXPECT_EQ(zoom.LayoutArea(), QRect(0, 0, 400, 300));
    EXPECT_FALSE(zoom.CanZoomOut());
    EXPECT_TRUE(zoom.CanDrag());
    EXPECT_FALSE(zoom.ZoomNone());
    EXPECT_EQ(zoom.Canvas(), QSize(400, 300));
    EXPECT_EQ(zoom.GetMode(), ChartZoom::None);

    zoom.SetMode(ChartZoom::Drag);
    zoom.Random(1.0f, 1.0f);
    EXPECT_FALSE(zoom.IsZoomed());
    EXPECT_EQ(zoom.Canvas(), QSize(800, 600));
    EXPECT_EQ(zoom.GetMode(), ChartZoom::Drag);
    EXPECT_FALSE(zoom.CanDrag());

    zoom.Random(30.0f, 0.3f);
    EXPECT_EQ(zoom.Canvas(), QSize(24000, 180));
    zoom.SetClientSize(QSize(1200, 600));
    zoom.Random(30.0f, 30.0f);
    EXPECT_EQ(zoom.Canvas(), QSize(ChartZoom::MaxCanvas, 18000));
}

TEST(ChartZoom, RandomFactorsMustBeNumbersFromPointThreeToThirty)
{
    EXPECT_EQ(ChartZoom::ParseRandomFactor("0.3"), 0.3f);
    EXPECT_EQ(ChartZoom::ParseRandomFactor("30"), 30.0f);
    EXPECT_EQ(ChartZoom::ParseRandomFactor(" 1e1 "), 10.0f);
    for (const char* refused : {"0.29", "30.01", "-1", "", "abc", "2x", "1,5", "nan", "inf"})
        EXPECT_FALSE(ChartZoom::ParseRandomFactor(refused)) << refused;
}

TEST_F(LinesFixture, YLineDraggedAboveThePlotStopsAtTheRangeMaximum)
{
    mover.Press(device(80, 10) + QPoint(0, 3));
    EXPECT_TRUE(chart.YLines()[0].moving);
    EXPECT_FALSE(chart.XLines()[0].moving);
    EXPECT_TRUE(mover.Move(QPoint(400, -200)));
    EXPECT_FLOAT_EQ(chart.YLines()[0].y1, 1000.0f);
    EXPECT_FLOAT_EQ(chart.YLines()[0].y2, 1000.0f);

    const std::optional<ConstLineMover::Moved> moved = mover.Release(QPoint(400, 5000));
    ASSERT_TRUE(moved);
    EXPECT_FALSE(moved->xLine);
    EXPECT_EQ(moved->name, "t1");
    EXPECT_FLOAT_EQ(moved->value, 1.0f); // released below the plot: the minimum
    EXPECT_FALSE(chart.YLines()[0].moving);
    EXPECT_FALSE(mover.IsCaptured());
    // The X line never moved.
    EXPECT_FLOAT_EQ(chart.XLines()[0].x1, 50.0f);
}

TEST_F(LinesFixture, PickingPrefersYLinesOnTiesAndNeedsTenPixels)
{
    // The crossing of both lines: same distance 0, the Y line wins.
    mover.Press(device(50, 10));
    EXPECT_TRUE(chart.YLines()[0].moving);
    mover.Release(device(50, 10));

    // Near the X line only: it moves, within the x range.
    const QPoint onX = device(50, 300);
    mover.Press(onX + QPoint(10, 0));
    EXPECT_TRUE(chart.XLines()[0].moving);
    mover.Move(QPoint(-100, onX.y()));
    EXPECT_FLOAT_EQ(chart.XLines()[0].x1, 10.0f); // the range starts at 10
    const auto moved = mover.Release(device(75, 300));
    ASSERT_TRUE(moved);
    EXPECT_TRUE(moved->xLine);
    EXPECT_NEAR(moved->value, 75.0f, 0.2f);

    // 11 pixels from every line: nothing is picked, but the mouse stays
    // captured until the button comes up.
    const float yBefore = chart.YLines()[0].y1;
    const QPoint far(device(75, 300).x() + 11, device(50, yBefore).y() + 11);
    ASSERT_GT(std::abs(device(75, 300).x() - far.x()), 10);
    mover.Press(far);
    EXPECT_TRUE(mover.IsCaptured());
    EXPECT_FALSE(chart.YLines()[0].moving);
    EXPECT_FALSE(chart.XLines()[0].moving);
    EXPECT_FALSE(mover.Move(QPoint(10, 10)));
    EXPECT_FALSE(mover.Release(QPoint(10, 10)));
    EXPECT_FALSE(mover.IsCaptured());
    EXPECT_EQ(chart.YLines()[0].y1, yBefore);
}

TEST_F(LinesFixture, MovingALineOverTheKeptPictureLooksLikeAFullPaint)
{
    // The moving line keeps a transparent-background label, table points
    // and the rest of the picture exactly as a paint from scratch has them.
    chart.TablePoints().append(TablePoint{40, 20});
    chart.SetLegend(true);
    auto paint = [&](QRect clip) {
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setClipRect(clip);
        chart.Paint(painter, QRect(0, 0, 800, 600));
        return image;
    };
    const QRect clip(0, 0, 800, 600);
    chart.SetKeepPictureUnderLines(true);
    paint(clip);
    mover.Press(device(80, 10));
    for (int step = 1; step <= 3; ++step) {
        mover.Move(device(80, 10) - QPoint(0, 40 * step));
        const QImage kept = paint(clip);
        chart.SetKeepPictureUnderLines(false);
        const QImage fresh = paint(clip);
        chart.SetKeepPictureUnderLines(true);
        paint(clip);
        EXPECT_EQ(kept, fresh) << "step " << step;
    }
    // A setting changed while the line is held (a shortcut) shows at once.
    chart.SetGrid(false);
    const QImage withoutGrid = paint(clip);
    chart.SetKeepPictureUnderLines(false);
    EXPECT_EQ(withoutGrid, paint(clip));
    chart.SetKeepPictureUnderLines(true);
    mover.Release(device(80, 300));
    // Another clip box is painted from scratch, not from the kept picture.
    const QImage part = paint(QRect(100, 100, 300, 200));
    chart.SetKeepPictureUnderLines(false);
    EXPECT_EQ(part, paint(QRect(100, 100, 300, 200)));
}

TEST_F(LinesFixture, CursorReadoutIsEmptyUntilAChartIsShown)
{
    const QPoint p = device(40, 100);
    const QString text = chart.CursorReadout(p);
    EXPECT_TRUE(text.startsWith("(  ")) << text.toStdString();
    bool okX = false, okY = false;
    const QStringList parts = text.mid(1, text.size() - 2).split(", ");
    ASSERT_EQ(parts.size(), 2);
    EXPECT_NEAR(parts[0].toDouble(&okX), 40.0, 0.2);
    EXPECT_NEAR(parts[1].toDouble(&okY), 100.0, 2.0);
    EXPECT_TRUE(okX && okY);
    EXPECT_EQ(parts[0].size(), 8);

    chart.SetCharacteristic(nullptr);
    EXPECT_EQ(chart.CursorReadout(p), "");
}

TEST(ChartCommandState, FollowsTheViewsState)
{
    using C = ChartCommandState;
    C::Inputs in;
    auto on = [&](int id) { return C::Of(id, in).enabled; };
    auto checked = [&](int id) { return C::Of(id, in).checked; };

    // A fresh view: nothing zoomed, selected or drawn.
    for (int id : {C::EditUndo, C::EditCut, C::EditCopy, C::EditPaste, C::ZoomOut, C::ZoomDrag,
                   C::MoveConstLines, C::ManageConstLines, C::FileExportChart})
        EXPECT_FALSE(on(id)) << id;
    for (int id : {C::SelectFuses, C::SelectFusesButton, C::SelectCharacteristic, C::DrawTable,
                   C::DrawTableButton, C::ZoomNone, C::ZoomIn, C::ZoomRectangle, C::ZoomRandom,
                   C::Grid, C::Boundary, C::Legend, C::TablePoints, C::BackColor,
                   C::ScientificScale, C::FilePrint, C::FileNew})
        EXPECT_TRUE(on(id)) << id;
    EXPECT_TRUE(checked(C::ZoomNone));
    EXPECT_TRUE(checked(C::Grid) && checked(C::Legend) && checked(C::TablePoints));
    EXPECT_FALSE(checked(C::Boundary) || checked(C::ScientificScale));
    EXPECT_FALSE(C::Of(C::SelectFuses, in).checkable || C::Of(C::BackColor, in).checkable);

    // Zoomed to the limit in Drag mode, with lines, fuses and a chart.
    in = C::Inputs{ChartZoom::Drag, false, true, true, true, true, 2, true,
                   false,           true,  false, false, true};
    for (int id : {C::ZoomOut, C::ZoomDrag, C::MoveConstLines, C::ManageConstLines,
                   C::FileExportChart})
        EXPECT_TRUE(on(id)) << id;
    EXPECT_FALSE(on(C::ZoomIn));
    EXPECT_FALSE(on(C::EditPaste));
    EXPECT_TRUE(checked(C::ZoomDrag) && checked(C::MoveConstLines) && checked(C::Boundary) &&
                checked(C::ScientificScale));
    EXPECT_FALSE(checked(C::ZoomNone) || checked(C::Grid) || checked(C::Legend) ||
                 checked(C::TablePoints));
    in.zoomMode = ChartZoom::Out;
    EXPECT_TRUE(checked(C::ZoomOut));
    EXPECT_FALSE(checked(C::ZoomDrag));

    // Move mode left on after the last line went away must stay switchable
    // off: it takes the mouse from Rectangle and Drag.
    in.anyConstLine = false;
    EXPECT_TRUE(on(C::MoveConstLines) && checked(C::MoveConstLines));
    in.moveMode = false;
    EXPECT_FALSE(on(C::MoveConstLines));
}
