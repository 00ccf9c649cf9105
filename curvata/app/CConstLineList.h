#pragma once

#include <QTableWidget>

class QLineEdit;

// One report list of the Const Lines window ("Name", "Value") with its own
// value editor: a click on a value cell puts an empty edit box over it; Tab
// or Enter hands the text on (valueEdited), Escape, scrolling or resizing
// a column drop it.
class CConstLineList : public QTableWidget
{
    Q_OBJECT
public:
    static constexpr int NameColumn = 0;
    static constexpr int ValueColumn = 1;

    explicit CConstLineList(QWidget* parent = nullptr);

    // Shows the rows (name, value text) and drops an edit in progress.
    void SetRows(const QList<QPair<QString, QString>>& rows);
    QList<int> SelectedRows() const;
    // Column widths as the window opens: each half the list less 10 pixels.
    void FitColumns();

    // The edit box, null until first needed.
    QLineEdit* Editor() const { return m_editor; }
    bool IsEditing() const;
    // The cell being edited; column 0 when none.
    int EditRow() const { return m_editRow; }
    int EditColumn() const { return m_editColumn; }
    // Hands on the edit in progress, if any, and hides the box.
    void CommitEdit();
    void CancelEdit();

signals:
    // The user finished typing over a row's value (text as typed).
    void valueEdited(int row, const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartEdit(int row);

    QLineEdit* m_editor = nullptr;
    int m_editRow = 0;
    int m_editColumn = 0;
};
