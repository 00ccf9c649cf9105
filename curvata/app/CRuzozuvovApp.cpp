#include "CRuzozuvovApp.h"

#include "AppSettings.h"
#include "CMainFrame.h"
#include "CRuzozuvovView.h"
#include "CSplashDlg.h"
#include "FuseDatabaseLoader.h"
#include "FuseDatabaseLocation.h"
#include "FuseModel.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

namespace {

int pauseFromEnvironment()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("CURVATA_SPLASH_PAUSE_MS", &ok);
    return ok && ms >= 0 ? ms : CRuzozuvovApp::kSplashPauseMs;
}

// Waits without taking input, but keeps the windows painted so that the
// desktop does not mark the program as hanging.
void pause(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

CRuzozuvovApp::CRuzozuvovApp() : m_splashPauseMs(pauseFromEnvironment()) {}

CRuzozuvovApp::~CRuzozuvovApp() = default;

QString CRuzozuvovApp::DatabaseDirectory() const
{
    if (m_frame)
        return m_frame->DatabaseDirectory();
    return FuseDatabaseLocation::resolve(m_workingDirectory.isEmpty() ? QDir::currentPath()
                                                                      : m_workingDirectory);
}

const CharacteristicTypeTable& CRuzozuvovApp::CharacteristicTypes()
{
    if (!m_types) {
        m_types =
            FuseDatabaseLoader::loadTypes(FuseDatabaseLoader::directorySource(DatabaseDirectory()));
    }
    return *m_types;
}

const FuseDatabase& CRuzozuvovApp::FuseDb()
{
    if (!m_database) {
        FuseDatabaseLoader loader(FuseDatabaseLoader::directorySource(DatabaseDirectory()));
        // The characteristics refer to the application's own types.
        loader.useTypeTable(
            [this]() -> const CharacteristicTypeTable& { return CharacteristicTypes(); });
        m_database = loader.load();
    }
    return *m_database;
}

bool CRuzozuvovApp::InitInstance()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Curvata"));
    m_settings = std::make_unique<AppSettings>(QString::fromLatin1(kRegistryKey),
                                               QString::fromLatin1(kProfileName));
    m_settings->setRecentFileListSize(kRecentFiles);

    m_frame = std::make_unique<CMainFrame>();
    const QString directory =
        m_workingDirectory.isEmpty() ? QDir::currentPath() : m_workingDirectory;
    if (!m_frame->Create(directory)) {
        m_frame.reset();
        return false;
    }
    m_frame->SetView(m_viewFactory ? m_viewFactory() : new CRuzozuvovView);
    m_frame->show();
    m_frame->repaint();
    RunSplash();
    return true;
}

void CRuzozuvovApp::RunSplash()
{
    CSplashDlg splash(m_frame.get());
    splash.ShowCentred(m_frame.get());
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (m_splashObserver)
        m_splashObserver(splash);

    // Loads the groups, fuses, characteristics, points and, through them,
    // the characteristic types; both stay for the rest of the run.
    FuseDb();
    CharacteristicTypes();

    splash.SetStatus(QStringLiteral("Curvata Database loaded."));
    if (m_splashObserver)
        m_splashObserver(splash);
    pause(m_splashPauseMs);
}
