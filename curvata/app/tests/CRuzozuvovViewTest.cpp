// The chart view window: it shows nothing until a type is set, repaints with
// its settings, closes the Const Lines window on a type change, tells the
// other windows what changed and shows the chart's warnings.
#include "CRuzozuvovView.h"
#include "Artifacts.h"
#include "FuseModel.h"
#include "MessageBoxService.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

struct ViewFixture : ::testing::Test
{
    CharacteristicType type{"Time-Current", AxisDefinition{"I [A]", true, 1, 100000},
                            AxisDefinition{"t [s]", true, 0.001, 10000}};
    Fuse fuse{"NH 63A", "123"};
    CRuzozuvovView view;

    void SetUp() override
    {
        Characteristic* c = fuse.appendCharacteristic(1, &type);
        c->appendPoint(CurvePoint{1, type.xPosition(100), type.yPosition(1000)});
        c->appendPoint(CurvePoint{2, type.xPosition(1000), type.yPosition(0.1)});
        view.resize(900, 650);
    }
};

} // namespace

TEST_F(ViewFixture, DefaultsBeforeAnyType)
{
    EXPECT_FALSE(view.IsChartReady());
    EXPECT_EQ(&view.ActiveChart(), &view.Chart().LogLog());
    EXPECT_DOUBLE_EQ(view.ActiveChart().XAxis().Max(), 2.0);
    EXPECT_TRUE(view.Chart().Legend());
    EXPECT_TRUE(view.Chart().Grid());
    EXPECT_FALSE(view.Chart().Boundary());
    EXPECT_TRUE(view.Chart().TablePointsShown());
    const QImage image = view.grab().toImage();
    EXPECT_EQ(image.pixelColor(450, 325), QColor(255, 255, 255));
}

TEST_F(ViewFixture, SetCharacteristicDrawsTheChart)
{
    QSignalSpy changed(&view, &CRuzozuvovView::characteristicChanged);
    auto* window = new QWidget(&view);
    QPointer<QWidget> guard(window);
    view.SetConstLinesWindow(window);
    view.SetFuses({&fuse});
    view.SetCharacteristic(&type, true);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(changed.count(), 1);
    ASSERT_TRUE(view.IsChartReady());
    EXPECT_DOUBLE_EQ(view.Chart().XMin(), 100);
    EXPECT_DOUBLE_EQ(view.Chart().XMax(), 1000);

    QImage image = view.grab().toImage();
    Artifacts::save(image, "chart-view");
    const CChart& chart = view.ActiveChart();
    EXPECT_EQ(chart.Geometry().plotRight, 900 - 2 * (900 / 8));
    EXPECT_EQ(image.pixelColor(chart.Geometry().plotLeft, 300), QColor(0, 0, 0));

    view.SetBackgroundColour(QColor(255, 255, 200));
    view.SetLegend(false);
    image = view.grab().toImage();
    EXPECT_EQ(view.ActiveChart().Geometry().plotRight, 900 - 900 / 8);
    EXPECT_EQ(image.pixelColor(3, 300), QColor(255, 255, 200));
    Artifacts::save(image, "chart-view-no-legend-coloured");

    view.SetCharacteristic(nullptr, true);
    EXPECT_FALSE(view.IsChartReady());
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.last().at(0).value<const CharacteristicType*>(), nullptr);
    image = view.grab().toImage();
    EXPECT_EQ(image.pixelColor(view.width() / 2, view.height() / 2), QColor(255, 255, 255));
}

TEST_F(ViewFixture, ResizeLaysTheChartOutAgain)
{
    view.SetFuses({&fuse});
    view.SetCharacteristic(&type, true);
    view.resize(400, 300);
    view.grab();
    EXPECT_EQ(view.ActiveChart().Geometry().frameRight, 400);
    EXPECT_EQ(view.ActiveChart().Geometry().frameBottom, 300);
    // Too small for a plot: still paints without trouble.
    view.resize(3, 2);
    EXPECT_FALSE(view.grab().isNull());
}

TEST_F(ViewFixture, RefusedRangeIsToldInMessageBoxes)
{
    ScriptedMessageBoxes boxes;
    CharacteristicType tiny{"Tiny", AxisDefinition{"I", true, 1e-9, 1},
                            AxisDefinition{"t", true, 1, 100}};
    Fuse small{"F", "1"};
    Characteristic* c = small.appendCharacteristic(7, &tiny);
    c->appendPoint(CurvePoint{1, tiny.xPosition(1e-8), tiny.yPosition(2)});
    c->appendPoint(CurvePoint{2, tiny.xPosition(0.5), tiny.yPosition(50)});
    view.SetFuses({&small});
    view.SetCharacteristic(&tiny, true);
    EXPECT_FALSE(view.IsChartReady());
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[0].text, "The X minimum value must be larger than 0.000001");
    EXPECT_EQ(boxes.shown()[0].title, "Warning");
    EXPECT_EQ(boxes.shown()[0].icon, MessageBoxService::Warning);
    EXPECT_EQ(boxes.shown()[1].text, "Setting Range failed");
    EXPECT_EQ(boxes.shown()[1].title, "Curvata");
    EXPECT_EQ(boxes.shown()[1].buttons, MessageBoxService::Ok);
    EXPECT_EQ(boxes.shown()[1].icon, MessageBoxService::NoIcon);
}
