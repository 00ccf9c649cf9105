#include "WorkbenchWindows.h"

#include "TForm6.h"
#include "TNastavitve.h"
#include "WorkbenchCad.h"

#include <QScreen>
#include <QWidget>

WorkbenchWindows::WorkbenchWindows(QWidget* mainWindow, WorkbenchHost host)
    : m_main(mainWindow), m_host(std::move(host))
{
}

TForm6* WorkbenchWindows::workbench() const
{
    return m_workbench;
}

TNastavitve* WorkbenchWindows::settings() const
{
    return m_settings;
}

void WorkbenchWindows::toggle()
{
    if (m_workbench && m_workbench->isVisible()) {
        m_workbench->hide(); // its hide event clears the shown flag
        return;
    }
    if (!m_settings) {
        m_settings = new TNastavitve(m_main, m_host);
        m_settings->load();
    }
    if (!m_workbench) {
        m_workbench = new TForm6(m_main, m_host, m_settings);
        m_settings->setWorkbench(m_workbench);
        new WorkbenchCad(*m_workbench, m_settings, m_main); // owned by the workbench
    }
    // Without a stored placement the windows are arranged once, on the
    // first show; later shows leave them where the user put them.
    if (!m_workbench->placementStored() && !m_placed && m_main) {
        m_placed = true;
        const QScreen* screen = m_main->screen();
        placeFirstTime(m_main, m_workbench, screen ? screen->availableGeometry() : QRect());
    }
    m_workbench->show();
    m_workbench->raise();
    m_workbench->activateWindow();
}

void WorkbenchWindows::placeFirstTime(QWidget* main, QWidget* workbench, const QRect& screen)
{
    const QRect frame = main->frameGeometry();
    const int top = std::max(0, screen.height() - frame.height());
    const int left = std::max(0, (screen.width() - frame.width()) / 2);
    main->move(screen.left() + left, screen.top() + top);
    workbench->setGeometry(main->x(), main->y() - 245, main->width(), 245);
}
