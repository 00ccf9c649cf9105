#pragma once

#include "CRuzozuvovView.h"
#include "CurvataHooks.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

class AppSettings;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QToolBar;

// The main window of curvata: menus, toolbar and status bar around the chart
// view. Its creation checks the fuse database first: without a valid one
// there is no main window and the program ends.
//
// Every command is one QAction, found by its command id (Action()), shared
// by its menu item and its toolbar button; ChartCommandState decides from
// the view's state whether it is enabled and checked.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The creation handler. Finds the database below `workingDirectory`
    // and checks its table list; on failure tells the user "Please open
    // valid database." and returns false. On success the database
    // directory is the one the fuse database and type table load from.
    bool Create(const QString& workingDirectory);
    QString DatabaseDirectory() const { return m_databaseDirectory; }

    // The chart view fills the window; the frame owns it. Another widget
    // may stand in for it (the view's commands then do nothing).
    void SetView(QWidget* view);
    QWidget* View() const { return centralWidget(); }
    CRuzozuvovView* ChartView() const { return m_view; }

    // "<document title> - Curvata".
    void SetDocumentTitle(const QString& title);

    // Where the dialogs and the document plug into the commands.
    CurvataHooks& Hooks() { return m_hooks; }
    // The settings whose recent-file list the File menu shows.
    void SetSettings(AppSettings* settings) { m_settings = settings; }

    // The command's action (a toolbar id gives its menu command's action).
    QAction* Action(int id) const;
    QAction* AboutAction() const { return Action(57664); }
    QToolBar* ToolBar() const { return m_toolBar; }
    QMenu* FileMenu() const { return m_fileMenu; }
    // Pane 1 of the status bar: the cursor readout.
    QLabel* ReadoutPane() const { return m_readoutPane; }
    // Panes 2 to 4: "CAP", "NUM", "SCRL" while the key is locked.
    QLabel* IndicatorPane(int index) const { return m_indicators[index]; }
    // The printer of Print, Print Preview and Print Setup (created on first
    // use, kept for the run so that the setup lasts).
    QPrinter& Printer();

    // Recomputes every command's enabled and checked state.
    void UpdateCommandStates();
    // Reads the lock keys again and shows them.
    void UpdateIndicators();
    // Rebuilds the recent-file entries of the File menu.
    void UpdateRecentFiles();

public slots:
    void OnCommand(int id);
    // Help > About: the modal "About Curvata" box.
    void OnAppAbout();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnExportChart();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* CreateAction(int id);
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void RunViewHook(const CurvataHooks::ViewCommand& hook, const QString& name);
    void OnDrawTable();
    void OnManageConstLines();
    void OnRecentFile(const QString& path);
    bool OnViewCommand(int id);

    QString m_databaseDirectory;
    CurvataHooks m_hooks;
    AppSettings* m_settings = nullptr;
    QPointer<CRuzozuvovView> m_view;
    QHash<int, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QList<QAction*> m_recentActions;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_readyPane = nullptr;
    QLabel* m_readoutPane = nullptr;
    QLabel* m_indicators[3] = {nullptr, nullptr, nullptr};
    std::unique_ptr<QPrinter> m_printer;
};
