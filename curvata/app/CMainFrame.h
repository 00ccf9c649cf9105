#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;

// The main window of curvata. Its creation checks the fuse database first:
// without a valid one there is no main window and the program ends.
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

    // The chart view fills the window; the frame owns it.
    void SetView(QWidget* view);
    QWidget* View() const { return centralWidget(); }

    // "<document title> - Curvata".
    void SetDocumentTitle(const QString& title);

    QAction* AboutAction() const { return m_aboutAction; }

public slots:
    // Help > About: the modal "About Curvata" box.
    void OnAppAbout();

private:
    void CreateMenus();

    QString m_databaseDirectory;
    QAction* m_aboutAction = nullptr;
};
