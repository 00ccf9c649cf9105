#include "AcadWindow.h"

#include <QGuiApplication>
#include <QWindow>
#include <memory>

void AcadWindow::bringToFront(qint64 handle)
{
    // Only X11 lets a program restack and activate another program's window;
    // Wayland and the offscreen platform refuse, so the drawing program then
    // stays where the person left it.
    if (handle == 0 || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    std::unique_ptr<QWindow> window(QWindow::fromWinId(static_cast<WId>(handle)));
    if (!window)
        return;
    window->raise();
    window->requestActivate();
}
