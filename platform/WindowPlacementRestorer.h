#pragma once

#include <QString>

class AppSettings;
class QWidget;
struct WindowPlacement;

// Puts a window where a stored placement record says, before it is shown.
class WindowPlacementRestorer
{
public:
    // Applies the record of `section`, entry "WindowPlacement", when there
    // is a valid one; true when it did. Without settings nothing happens.
    static bool restore(QWidget& window, const AppSettings* settings, const QString& section);

    // The normal rectangle becomes the window's frame position and size,
    // pulled back onto a screen when the record was made on a desktop that
    // no longer has it (a window off every screen cannot be reached). A
    // maximized record shows the window maximized; a minimized one shows
    // it normally, since a dialog that opens minimized looks as if it never
    // opened.
    static void apply(QWidget& window, const WindowPlacement& placement);
};
