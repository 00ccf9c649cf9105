// The person at the drawing window: a click answers a pick where the cursor is
// in drawing coordinates, Escape cancels it, a click selects and Delete erases
// with the same events as the automation's control.
#include "Artifacts.h"
#include "CadApplication.h"
#include "CadCommands.h"
#include "CadDocument.h"
#include "DrawingView.h"
#include "MainWindow.h"
#include "PickRequest.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(DrawingView, ClicksPickAndSelectEscapeCancelsDeleteErases)
{
    CadApplication app{CadVersion(17)};
    CadCommands commands(app);
    MainWindow window(app, commands);
    window.resize(800, 600);
    window.show();
    CadDocument* doc = app.addDocument();
    DrawingContent& c = doc->content();
    const qint64 block = c.addBlock({0, 0, 0}, QStringLiteral("BOX"));
    DxfDrawing box;
    for (const auto& [a, b] : {std::pair{DxfPoint{0, 0, 0}, DxfPoint{10, 0, 0}},
                               std::pair{DxfPoint{10, 0, 0}, DxfPoint{10, 10, 0}},
                               std::pair{DxfPoint{10, 10, 0}, DxfPoint{0, 10, 0}},
                               std::pair{DxfPoint{0, 10, 0}, DxfPoint{0, 0, 0}}}) {
        DxfEntity e;
        e.points = {a, b};
        box.entities << e;
    }
    c.addDrawingToBlock(block, box, {}, 1, 1, 1, 0);
    const qint64 ref = doc->insertBlock({0, 0, 0}, QStringLiteral("BOX"), 1, 1, 1, 0);
    DrawingView* view = window.view(doc);
    ASSERT_TRUE(view);
    QTest::qWait(50);
    view->zoomExtents();
    Artifacts::save(&window, QStringLiteral("cadhost-window-box"));

    // A pick: the click's drawing point, whatever the zoom.
    PickRequest* pick = app.startPick(PickRequest::Point, doc, {}, QStringLiteral("Insertion point"));
    std::optional<DxfPoint> picked;
    QObject::connect(pick, &PickRequest::finished, [&] { picked = pick->point(); });
    const QPoint at = view->toWidget({2.5, 7.5}).toPoint();
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    ASSERT_TRUE(picked.has_value());
    EXPECT_NEAR(picked->x, 2.5, 1 / view->scale());
    EXPECT_NEAR(picked->y, 7.5, 1 / view->scale());

    pick = app.startPick(PickRequest::Distance, doc, {}, QStringLiteral("Second point"));
    bool cancelled = false;
    QObject::connect(pick, &PickRequest::finished, [&] { cancelled = !pick->point(); });
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_TRUE(cancelled);

    // Select the box by its edge, erase it with Delete.
    QSignalSpy erased(doc, &CadDocument::objectErased);
    QSignalSpy commandsRun(&app, &CadApplication::endCommand);
    QTest::mouseClick(view, Qt::LeftButton, {}, view->toWidget({10, 5}).toPoint());
    EXPECT_TRUE(doc->selection().contains(ref));
    QTest::keyClick(view, Qt::Key_Delete);
    ASSERT_EQ(erased.size(), 1);
    EXPECT_EQ(erased[0][0].toLongLong(), ref);
    ASSERT_EQ(commandsRun.size(), 1);
    EXPECT_EQ(commandsRun[0][0].toString(), u"ERASE");
    EXPECT_EQ(c.modelCount(), 0);
}
