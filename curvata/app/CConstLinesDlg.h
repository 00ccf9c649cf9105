#pragma once

#include "ConstLineSet.h"

#include <QDialog>

class AppSettings;
class CConstLineList;
class CRuzozuvovView;
class QPushButton;

// "Const Lines": the view's X and Y lines in two lists, created, removed
// and retyped on the window's own copy and handed to the chart by Apply.
// Modeless, a child of the view; it deletes itself when closed, and the
// view deletes it when the characteristic type changes.
class CConstLinesDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char* SectionName = "CConstLinesDlg";
    // Follows the view: lines moved on the chart, lines fitted to a new
    // range. The table of points is the view's table window when that
    // takes constant lines.
    CConstLinesDlg(CRuzozuvovView& view, const AppSettings* settings);

    // The "Manage const lines" command: the window, shown and handed to the
    // view, unless the view has one open already.
    static CConstLinesDlg* Open(CRuzozuvovView& view, const AppSettings* settings);

    const ConstLineSet& Lines() const { return m_lines; }
    CConstLineList* XList() const { return m_xList; }
    CConstLineList* YList() const { return m_yList; }
    QPushButton* Button(const char* name) const;

public slots:
    // Shows the window's copy again (after the view fitted its lines).
    void RefreshLists();
    // A line dragged on the chart: the window's line of that name follows.
    void OnLineMoved(ConstLineKind kind, const QString& name, float value);

    void OnCreate();
    void OnRemove(ConstLineKind kind);
    void OnApply();
    void OnAddToTable(ConstLineKind kind);

protected:
    void showEvent(QShowEvent* event) override;

private:
    CConstLineList* List(ConstLineKind kind) const;
    void OnValueEdited(ConstLineKind kind, int row, const QString& text);
    void CommitEdits();
    QPushButton* AddButton(const QString& text, const char* name);

    CRuzozuvovView& m_view;
    ConstLineSet m_lines;
    CConstLineList* m_xList = nullptr;
    CConstLineList* m_yList = nullptr;
    bool m_columnsFitted = false;
};
