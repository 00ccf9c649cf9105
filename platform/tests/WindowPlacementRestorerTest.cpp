// Restoring a stored placement onto a window: where it was, but never off
// every screen and never minimized; maximized stays maximized.
#include "WindowPlacement.h"
#include "WindowPlacementRestorer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

WindowPlacement placement(QRect rect, uint32_t show)
{
    WindowPlacement p;
    p.showCommand = show;
    p.normalRect = rect;
    return p;
}

} // namespace

TEST(WindowPlacementRestorer, PlacesAndKeepsTheWindowReachable)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    WindowPlacementRestorer::apply(window, placement(QRect(screen.topLeft() + QPoint(20, 30),
                                                           QSize(300, 200)),
                                                     1));
    EXPECT_EQ(window.pos(), screen.topLeft() + QPoint(20, 30));
    EXPECT_EQ(window.size(), QSize(300, 200));

    // Made on a second monitor that is gone: pulled back onto this screen.
    WindowPlacementRestorer::apply(window, placement(QRect(20000, 15000, 300, 200), 1));
    EXPECT_TRUE(screen.contains(QRect(window.pos(), window.size())));

    // Larger than the screen: shrunk to fit.
    WindowPlacementRestorer::apply(
        window, placement(QRect(0, 0, screen.width() * 3, screen.height() * 3), 1));
    EXPECT_LE(window.width(), screen.width());
    EXPECT_LE(window.height(), screen.height());

    WindowPlacementRestorer::apply(window, placement(QRect(10, 10, 300, 200), 3));
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    WindowPlacementRestorer::apply(window, placement(QRect(10, 10, 300, 200), 2));
    EXPECT_FALSE(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}
