#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class AppSettings;
class CharacteristicTypeTable;
class CMainFrame;
class CSplashDlg;
class FuseDatabase;
class QWidget;

// The application object of curvata: settings, the main frame with its
// view, the start-up that loads the fuse database behind the splash window,
// and the one fuse database and characteristic type table of the run.
class CRuzozuvovApp
{
public:
    static constexpr const char* kRegistryKey = "Local AppWizard-Generated Applications";
    static constexpr const char* kProfileName = "Curvata";
    static constexpr int kRecentFiles = 4;
    static constexpr int kSplashPauseMs = 4000;

    CRuzozuvovApp();
    ~CRuzozuvovApp();
    CRuzozuvovApp(const CRuzozuvovApp&) = delete;
    CRuzozuvovApp& operator=(const CRuzozuvovApp&) = delete;

    // Runs the start-up; false when the program must end (no valid
    // database). The main frame is shown when it returns true.
    bool InitInstance();

    // Where the database is looked for; the process's working directory
    // unless set.
    void SetWorkingDirectory(const QString& directory) { m_workingDirectory = directory; }
    // The pause after loading. CURVATA_SPLASH_PAUSE_MS overrides the
    // default of 4000 ms (tests set it to 0).
    void SetSplashPause(int milliseconds) { m_splashPauseMs = milliseconds; }
    int SplashPause() const { return m_splashPauseMs; }
    // Called after each change of the splash window's status line.
    void SetSplashObserver(std::function<void(CSplashDlg&)> observer)
    {
        m_splashObserver = std::move(observer);
    }
    // Builds the view the frame shows; by default the chart view.
    void SetViewFactory(std::function<QWidget*()> factory) { m_viewFactory = std::move(factory); }

    AppSettings* Settings() const { return m_settings.get(); }
    CMainFrame* MainFrame() const { return m_frame.get(); }

    // The fuse database and the characteristic types. The first request
    // loads them from the database directory; later requests return the
    // same objects, unchanged until the application object goes.
    const FuseDatabase& FuseDb();
    const CharacteristicTypeTable& CharacteristicTypes();
    // The frame's database directory once it exists, else the one the
    // working directory leads to.
    QString DatabaseDirectory() const;

private:
    void RunSplash();

    QString m_workingDirectory;
    int m_splashPauseMs;
    std::function<void(CSplashDlg&)> m_splashObserver;
    std::function<QWidget*()> m_viewFactory;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<CharacteristicTypeTable> m_types;
    std::unique_ptr<FuseDatabase> m_database;
    // Declared last so that it goes first: its view refers to the database.
    std::unique_ptr<CMainFrame> m_frame;
};
