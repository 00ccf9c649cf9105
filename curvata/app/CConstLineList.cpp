#include "CConstLineList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

CConstLineList::CConstLineList(QWidget* parent) : QTableWidget(0, 2, parent)
{
    setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    verticalHeader()->hide();
    // Rows as compact as a report list's, so that many lines fit.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    horizontalHeader()->setHighlightSections(false);
    // The box sits over one cell: once the cell moves or changes width, the
    // text no longer belongs to what the user sees beneath it.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CConstLineList::CancelEdit);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CConstLineList::CancelEdit);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CConstLineList::CancelEdit);
}

void CConstLineList::SetRows(const QList<QPair<QString, QString>>& rows)
{
    CancelEdit();
    clearContents();
    setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        setItem(r, NameColumn, new QTableWidgetItem(rows[r].first));
        setItem(r, ValueColumn, new QTableWidgetItem(rows[r].second));
    }
}

QList<int> CConstLineList::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CConstLineList::FitColumns()
{
    const int width = viewport()->width() / 2 - 10;
    setColumnWidth(NameColumn, width);
    setColumnWidth(ValueColumn, width);
}

bool CConstLineList::IsEditing() const
{
    return m_editor && m_editor->isVisible();
}

void CConstLineList::StartEdit(int row)
{
    if (!m_editor) {
        m_editor = new QLineEdit(viewport());
        m_editor->setObjectName(QStringLiteral("valueEditor"));
        m_editor->setFrame(true);
        m_editor->installEventFilter(this);
    }
    m_editRow = row;
    m_editColumn = ValueColumn;
    m_editor->setGeometry(visualRect(model()->index(row, ValueColumn)));
    m_editor->clear();
    m_editor->show();
    m_editor->setFocus();
}

void CConstLineList::CommitEdit()
{
    if (!IsEditing())
        return;
    const int row = m_editRow;
    const QString text = m_editor->text();
    CancelEdit();
    emit valueEdited(row, text);
}

void CConstLineList::CancelEdit()
{
    if (m_editor)
        m_editor->hide();
    m_editRow = 0;
    m_editColumn = 0;
}

void CConstLineList::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool onEditedCell =
        index.isValid() && index.row() == m_editRow && index.column() == ValueColumn;
    if (IsEditing() && index.isValid() && !onEditedCell)
        CommitEdit();
    // Selecting may scroll a half-visible row into view, which drops an
    // edit box; the new one is placed after that.
    QTableWidget::mousePressEvent(event);
    if (index.isValid() && index.column() == ValueColumn)
        StartEdit(index.row());
    else
        CancelEdit();
}

bool CConstLineList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            CommitEdit();
            return true; // neither the dialog's default button nor the focus chain
        case Qt::Key_Escape:
            CancelEdit();
            return true; // the box closes, not the window
        default:
            break;
        }
    }
    return QTableWidget::eventFilter(watched, event);
}
