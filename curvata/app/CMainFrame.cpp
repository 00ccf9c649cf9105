#include "CMainFrame.h"

#include "CAboutDlg.h"
#include "CurvataPicture.h"
#include "FuseDatabaseLocation.h"
#include "MessageBoxService.h"
#include "TableListFile.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CMainFrame"));
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::Create(const QString& workingDirectory)
{
    const QString directory = FuseDatabaseLocation::resolve(workingDirectory);
    if (!TableListFile::check(directory)) {
        MessageBoxService::show(nullptr, QStringLiteral("Please open valid database."),
                                QStringLiteral("Curvata"), MessageBoxService::Ok);
        return false;
    }
    m_databaseDirectory = directory;
    FuseDatabaseLocation::setDirectory(directory);

    setWindowIcon(CurvataPicture::Icon());
    // A new frame takes most of the screen, as a desktop window manager's
    // default placement would; a view without a size shows no chart.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(area.width() * 3 / 4, area.height() * 3 / 4);
        move(area.x() + area.width() / 8, area.y() + area.height() / 8);
    }
    SetDocumentTitle(QStringLiteral("Untitled"));
    CreateMenus();
    if (!centralWidget()) {
        // Until a view is given the window still shows a plain white area.
        auto* placeholder = new QLabel(this);
        placeholder->setAutoFillBackground(true);
        QPalette palette = placeholder->palette();
        palette.setColor(QPalette::Window, Qt::white);
        placeholder->setPalette(palette);
        setCentralWidget(placeholder);
    }
    return true;
}

void CMainFrame::CreateMenus()
{
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    m_aboutAction = help->addAction(QStringLiteral("&About Curvata..."));
    m_aboutAction->setObjectName(QStringLiteral("ID_APP_ABOUT"));
    m_aboutAction->setStatusTip(
        QStringLiteral("Display program information, version number and copyright"));
    connect(m_aboutAction, &QAction::triggered, this, &CMainFrame::OnAppAbout);
}

void CMainFrame::SetView(QWidget* view)
{
    setCentralWidget(view); // deletes a placeholder shown before
}

void CMainFrame::SetDocumentTitle(const QString& title)
{
    setWindowTitle(title + QStringLiteral(" - Curvata"));
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg about(this);
    about.exec();
}
