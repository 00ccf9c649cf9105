// The chart view window: it shows nothing until a type is set, repaints with
// its settings, closes the Const Lines window on a type change, tells the
// other windows what changed and shows the chart's warnings; the mouse zooms,
// scrolls and moves constant lines.
#include "CRuzozuvovView.h"
#include "Artifacts.h"
#include "CRandomZoomDlg.h"
#include "FuseModel.h"
#include "MessageBoxService.h"
#include "ViewTestData.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
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

// ----------------------------------------------------------- mouse and zoom

namespace {

struct MouseFixture : ::testing::Test
{
    ViewTestData data;
    CRuzozuvovView view;

    void SetUp() override
    {
        view.resize(800, 600);
        view.show();
        view.SetFuses(data.list());
        view.SetCharacteristic(&data.type, true);
        ASSERT_TRUE(view.IsChartReady());
        ASSERT_EQ(view.ClientSize(), QSize(800, 600));
    }
    QWidget* port() { return view.viewport(); }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(port(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(port(), (from + to) / 2);
        QTest::mouseMove(port(), to);
        QTest::mouseRelease(port(), Qt::LeftButton, Qt::NoModifier, to);
    }
};

} // namespace

TEST_F(MouseFixture, ZoomsInOutToARectangleAndDragsTheCanvas)
{
    // The scroll bars a zoomed canvas brings must not keep Out from landing
    // on the window again.
    for (int i = 0; i < 3; ++i)
        view.OnZoomIn();
    EXPECT_EQ(view.LogicalSize(), QSize(1382, 1036));
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
    for (int i = 0; i < 3; ++i)
        view.OnZoomOut();
    EXPECT_EQ(view.LogicalSize(), QSize(800, 600));
    EXPECT_FALSE(view.Zoom().IsZoomed());

    view.OnZoomRectangle();
    drag(QPoint(100, 50), QPoint(350, 200));
    EXPECT_EQ(view.LogicalSize(), QSize(2400, 2400));
    EXPECT_EQ(view.ScrollPosition(), QPoint(300, 200));
    EXPECT_EQ(view.ActiveChart().Geometry().frameRight, 2400);
    EXPECT_EQ(view.Zoom().GetMode(), ChartZoom::Rectangle);
    QApplication::processEvents(); // scroll bars show after the range change
    EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
    Artifacts::save(&view, "curvata-view-rectangle-zoom");

    // A click without a rectangle changes nothing.
    drag(QPoint(500, 300), QPoint(500, 300));
    EXPECT_EQ(view.LogicalSize(), QSize(2400, 2400));

    view.OnZoomDrag();
    drag(QPoint(400, 300), QPoint(300, 250));
    EXPECT_EQ(view.ScrollPosition(), QPoint(400, 250));
    drag(QPoint(100, 100), QPoint(700, 500)); // clamped at the canvas' start
    EXPECT_EQ(view.ScrollPosition(), QPoint(0, 0));

    view.OnZoomNone();
    EXPECT_EQ(view.LogicalSize(), QSize(800, 600));
    EXPECT_EQ(view.ActiveChart().Geometry().frameRight, 800);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
}

TEST_F(MouseFixture, MoveModeDragsALineAndReportsWhereItWasLeft)
{
    const CCharacteristicChart& chart = view.Chart();
    view.YLines().append(ConstLine::yLine("t", 1, chart.XMin(), chart.XMax(), Qt::blue));
    view.Redraw();
    QSignalSpy moved(&view, &CRuzozuvovView::constLineMoved);
    QSignalSpy readout(&view, &CRuzozuvovView::cursorReadoutChanged);
    view.OnZoomRectangle(); // moving takes precedence over the zoom mode
    view.OnMoveConstLines();
    ASSERT_TRUE(view.MoveMode());

    const int lineY = view.ActiveChart().ToDevice(100, 1).y();
    QTest::mousePress(port(), Qt::LeftButton, Qt::NoModifier, QPoint(400, lineY + 4));
    QTest::mouseMove(port(), QPoint(400, lineY - 40));
    EXPECT_TRUE(view.YLines()[0].moving);
    EXPECT_GT(view.YLines()[0].y1, 1.0f);
    Artifacts::save(&view, "curvata-view-moving-line");
    QTest::mouseMove(port(), QPoint(400, -30));
    QTest::mouseRelease(port(), Qt::LeftButton, Qt::NoModifier, QPoint(400, -30));
    EXPECT_FALSE(view.YLines()[0].moving);
    EXPECT_FLOAT_EQ(view.YLines()[0].y1, float(chart.YMax()));
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved[0][0].toBool(), false);
    EXPECT_EQ(moved[0][1].toString(), "t");
    EXPECT_FLOAT_EQ(moved[0][2].toFloat(), float(chart.YMax()));
    EXPECT_EQ(view.LogicalSize(), QSize(800, 600)); // no rectangle zoom

    ASSERT_FALSE(readout.isEmpty());
    EXPECT_TRUE(QRegularExpression(R"(^\( *[-0-9.]+,  *[-0-9.]+\)$)")
                    .match(readout.last()[0].toString())
                    .hasMatch())
        << readout.last()[0].toString().toStdString();
    view.SetCharacteristic(nullptr, true);
    QTest::mouseMove(port(), QPoint(300, 300));
    EXPECT_EQ(view.CursorReadout(), "");
}

TEST_F(MouseFixture, RandomZoomingDialogRefusesOutOfRangeAndSetsBothFactors)
{
    ScriptedMessageBoxes boxes;
    QStringList fieldsAfterDefault;
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CRandomZoomDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Random zooming dialog");
        Artifacts::save(dialog, "curvata-random-zoom");
        // Labels show whole, left of their fields, whatever the font.
        const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 2);
        for (const QLabel* label : labels) {
            const QWidget* field = label->buddy();
            ASSERT_NE(field, nullptr);
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            EXPECT_LE(label->geometry().right(), field->geometry().left());
            EXPECT_LE(field->geometry().right(), dialog->width());
        }
        dialog->XField()->setText("0.2");
        dialog->accept();
        stayedOpen = dialog->isVisible();
        dialog->findChild<QPushButton*>("default")->click();
        fieldsAfterDefault << dialog->XField()->text() << dialog->YField()->text();
        dialog->XField()->setText("0.5");
        dialog->YField()->setText("0.5");
        dialog->findChild<QPushButton*>("ok")->click();
    });
    view.OnZoomDrag();
    view.OnZoomRandom();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].contains("0.3 to 30"));
    EXPECT_EQ(fieldsAfterDefault, (QStringList{"1", "1"}));
    EXPECT_EQ(view.LogicalSize(), QSize(400, 300));
    EXPECT_EQ(view.ActiveChart().Geometry().frameBottom, 300);
    const QImage image = view.grab().toImage();
    EXPECT_EQ(image.pixelColor(600, 450), QColor(255, 255, 255)); // outside the chart
    Artifacts::save(image, "curvata-view-random-half");
    EXPECT_EQ(view.Zoom().GetMode(), ChartZoom::Drag);
}

TEST_F(MouseFixture, PropertyCommandsToggleAndTellTheOtherWindows)
{
    QSignalSpy scientific(&view, &CRuzozuvovView::scientificScaleChanged);
    view.OnScientificScale();
    EXPECT_TRUE(view.Chart().ScientificScale());
    EXPECT_TRUE(view.ActiveChart().ScientificLabels());
    ASSERT_EQ(scientific.count(), 1);
    EXPECT_TRUE(scientific[0][0].toBool());

    QColor offered;
    view.SetColourChooser([&](QWidget*, QColor current) -> std::optional<QColor> {
        offered = current;
        return QColor(255, 255, 200);
    });
    view.OnBackColor();
    EXPECT_EQ(offered, QColor(255, 255, 255));
    EXPECT_EQ(view.ActiveChart().BackgroundColour(), QColor(255, 255, 200));
    view.SetColourChooser([](QWidget*, QColor) { return std::optional<QColor>(); });
    view.OnBackColor(); // Cancel
    EXPECT_EQ(view.Chart().BackgroundColour(), QColor(255, 255, 200));
}
