#pragma once

#include "WorkbenchHost.h"

#include <QPointer>
#include <QRect>

class QWidget;
class TForm6;
class TNastavitve;

// The "Autocad support" toggle of the catalogue window: the first use
// creates the settings window (loaded from the configuration) and then the
// workbench; every use shows or hides the workbench. Both windows belong to
// the catalogue window and live until it goes.
class WorkbenchWindows
{
public:
    WorkbenchWindows(QWidget* mainWindow, WorkbenchHost host);

    void toggle();
    bool exists() const { return !m_workbench.isNull(); }
    TForm6* workbench() const;
    TNastavitve* settings() const;

    // The first placement when the workbench has none stored: the main
    // window goes to the bottom of `screen`, centred, and the workbench
    // takes the 245 pixels above it at the main window's left and width.
    static void placeFirstTime(QWidget* main, QWidget* workbench, const QRect& screen);

private:
    QWidget* m_main;
    WorkbenchHost m_host;
    QPointer<TNastavitve> m_settings;
    QPointer<TForm6> m_workbench;
    bool m_placed = false;
};
