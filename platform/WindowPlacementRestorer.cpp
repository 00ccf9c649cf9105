#include "WindowPlacementRestorer.h"

#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// The rectangle moved (and if need be shrunk) so that it lies within a
// screen: the one it overlaps most, else the primary screen.
QRect keptOnScreen(QRect rect)
{
    const QScreen* best = nullptr;
    qint64 bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect overlap = screen->availableGeometry().intersected(rect);
        const qint64 area = qint64(overlap.width()) * overlap.height();
        if (area > bestArea) {
            bestArea = area;
            best = screen;
        }
    }
    if (!best)
        best = QGuiApplication::primaryScreen();
    if (!best)
        return rect;
    const QRect avail = best->availableGeometry();
    rect.setWidth(qMin(rect.width(), avail.width()));
    rect.setHeight(qMin(rect.height(), avail.height()));
    rect.moveLeft(qBound(avail.left(), rect.left(), avail.right() - rect.width() + 1));
    rect.moveTop(qBound(avail.top(), rect.top(), avail.bottom() - rect.height() + 1));
    return rect;
}

} // namespace

bool WindowPlacementRestorer::restore(QWidget& window, const AppSettings* settings,
                                      const QString& section)
{
    if (!settings)
        return false;
    const std::optional<WindowPlacement> placement = WindowPlacement::read(*settings, section);
    if (!placement)
        return false;
    apply(window, *placement);
    return true;
}

void WindowPlacementRestorer::apply(QWidget& window, const WindowPlacement& placement)
{
    const QRect rect = keptOnScreen(placement.normalRect);
    window.move(rect.topLeft());
    window.resize(rect.size().expandedTo(window.minimumSize()));
    if (placement.isMaximized())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    else
        window.setWindowState(window.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
}
