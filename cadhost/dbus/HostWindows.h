#pragma once

#include <QString>
#include <QStringList>

// What the control interface needs of the host's windows: the menu bar as shown
// and a picture of the main window. The windows implement it.
class HostWindows
{
public:
    virtual ~HostWindows() = default;
    virtual QStringList menuBarTitles() const = 0;
    // Triggers the item; false when the menu bar has no such menu and item.
    virtual bool clickMenuItem(const QString& menu, const QString& item) = 0;
    virtual bool screenshot(const QString& path) = 0;
};
