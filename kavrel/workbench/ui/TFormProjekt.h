#pragma once

#include <QDialog>

class ProjectListModel;
class QMenu;
class QTableView;
class QToolButton;
class WorkbenchModel;

// The projects window: the workbench's projects with name and date edited
// in place, adding and deleting. The grid's current row is the workbench's
// current project, so choosing a row switches the workbench to it (unless
// the workbench's close routine refuses).
class TFormProjekt : public QDialog
{
    Q_OBJECT
public:
    TFormProjekt(QWidget* workbench, WorkbenchModel& model, const QString& language);

    ProjectListModel* projectModel() const { return m_gridModel; }

    QTableView* TntDBGrid1 = nullptr;
    QToolButton* TntBitBtn5 = nullptr; // adds a project
    QToolButton* TntBitBtn2 = nullptr; // deletes the current project
    QToolButton* TntBitBtn3 = nullptr; // hidden
    QToolButton* TntBitBtn4 = nullptr; // hidden
    QMenu* PopupMenu1 = nullptr;

public slots:
    void TntBitBtn5Click();
    void TntBitBtn2Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void followProject();
    void commitOpenEdit();
    void report(const QString& message);

    WorkbenchModel& m_model;
    QString m_language;
    ProjectListModel* m_gridModel = nullptr;
    bool m_following = false;
};
