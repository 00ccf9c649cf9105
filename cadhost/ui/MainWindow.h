#pragma once

#include "CadCommands.h"
#include "HostWindows.h"

#include <QHash>
#include <QMainWindow>

class CadApplication;
class CadDocument;
class DrawingView;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

// The host's main window: a window per drawing in its workspace, the menu bar of
// the host's own menus and the loaded menu groups, the prompt of a pending pick
// in the status bar. It only shows the model and runs its commands.
class MainWindow : public QMainWindow, public HostWindows
{
    Q_OBJECT
public:
    MainWindow(CadApplication& app, CadCommands& commands, QWidget* parent = nullptr);

    DrawingView* view(CadDocument* document) const;

    QStringList menuBarTitles() const override;
    bool clickMenuItem(const QString& menu, const QString& item) override;
    bool screenshot(const QString& path) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void rebuildMenuBar();
    void addDocument(CadDocument* document);
    void removeDocument(CadDocument* document);
    void updateTitle(CadDocument* document);
    // Runs a command of the menus; its failure is shown to the person.
    void run(const std::function<void()>& command);
    QString askOpenPath();
    QString askSavePath(CadDocument* document);
    CadCommands::SaveAnswer askSave(CadDocument* document);

    CadApplication& m_app;
    CadCommands& m_commands;
    QMdiArea* m_area;
    QList<QMenu*> m_hostMenus;
    QHash<CadDocument*, QMdiSubWindow*> m_windows;
    bool m_quitting = false;
};
