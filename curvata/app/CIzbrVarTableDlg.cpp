#include "CIzbrVarTableDlg.h"

#include "CRuzozuvovView.h"
#include "FuseModel.h"
#include "MessageBoxService.h"
#include "PointTableExport.h"
#include "WindowPlacementRestorer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

const QString CIzbrVarTableDlg::FileFilter = QStringLiteral("Curvata Table of Points (*.txt)");

namespace {

const QString kTitle = QStringLiteral("Curvata");

// The grid opens at 575 x 265 pixels, whatever its content.
class PointGrid : public QTableView
{
public:
    using QTableView::QTableView;
    QSize sizeHint() const override { return QSize(575, 265); }
};

} // namespace

CIzbrVarTableDlg::CIzbrVarTableDlg(const std::vector<const Fuse*>& fuses,
                                   const CharacteristicType* type, bool scientific,
                                   const AppSettings* settings, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QString::fromLatin1(SectionName));
    setWindowTitle(type ? type->name() : QStringLiteral("Characteristic table"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(true);

    m_model.setFixedCellColour(palette().color(QPalette::Button));
    m_model.open(fuses, type, scientific);

    m_grid = new PointGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setModel(&m_model);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->setWordWrap(false);
    m_grid->setTextElideMode(Qt::ElideRight);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(20);
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    QHeaderView* header = m_grid->horizontalHeader();
    header->setDefaultSectionSize(120);
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    // Two lines, so that a long unit wraps instead of being cut.
    header->setMinimumHeight(2 * fontMetrics().height() + 8);
    header->resizeSection(0, 150);
    header->resizeSection(1, 100);
    // Clear rebuilds the model; the fixed columns keep their widths.
    connect(&m_model, &QAbstractItemModel::modelReset, this, [header] {
        header->resizeSection(0, 150);
        header->resizeSection(1, 100);
    });

    auto addShortcut = [this](QKeySequence keys, void (CIzbrVarTableDlg::*slot)()) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, slot);
        m_grid->addAction(action);
    };
    addShortcut(QKeySequence::Copy, &CIzbrVarTableDlg::OnCopy);
    addShortcut(QKeySequence::Paste, &CIzbrVarTableDlg::OnPaste);
    addShortcut(QKeySequence::Delete, &CIzbrVarTableDlg::OnClearSelection);

    QPushButton* add = AddButton(QStringLiteral("Add"), "add");
    QPushButton* remove = AddButton(QStringLiteral("Remove"), "remove");
    QPushButton* clear = AddButton(QStringLiteral("Clear"), "clear");
    QPushButton* toGraph = AddButton(QStringLiteral("To Graph"), "toGraph");
    QPushButton* toFile = AddButton(QStringLiteral("To File"), "toFile");
    QPushButton* close = AddButton(QStringLiteral("Close"), "close");
    connect(add, &QPushButton::clicked, this, &CIzbrVarTableDlg::OnAdd);
    connect(remove, &QPushButton::clicked, this, &CIzbrVarTableDlg::OnRemove);
    connect(clear, &QPushButton::clicked, this, &CIzbrVarTableDlg::OnClear);
    connect(toGraph, &QPushButton::clicked, this, &CIzbrVarTableDlg::OnToGraph);
    connect(toFile, &QPushButton::clicked, this, &CIzbrVarTableDlg::OnToFile);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add, remove, clear, toGraph, toFile})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    RestoreInitialSize();
    WindowPlacementRestorer::restore(*this, settings, QString::fromLatin1(SectionName));
}

CIzbrVarTableDlg::~CIzbrVarTableDlg() = default;

CIzbrVarTableDlg* CIzbrVarTableDlg::OpenFor(CRuzozuvovView& view, const AppSettings* settings)
{
    // A window of the program's main window, so that it closes with it and
    // does not keep the program running.
    auto* table = new CIzbrVarTableDlg(view.Fuses(), view.CurrentCharacteristic(),
                                       view.Chart().ScientificScale(), settings, view.window());
    connect(&view, &CRuzozuvovView::fusesChanged, table,
            [table, &view] { table->SetFuses(view.Fuses()); });
    connect(&view, &CRuzozuvovView::characteristicChanged, table,
            [table](const CharacteristicType* type) {
                if (type)
                    table->SetCharacteristic(type);
                else
                    table->close();
            });
    connect(&view, &CRuzozuvovView::scientificScaleChanged, table,
            &CIzbrVarTableDlg::SetScientific);
    connect(table, &CIzbrVarTableDlg::pointsExported, &view,
            [&view](const TablePointList& points) {
                view.TablePoints() = points;
                view.Redraw();
            });
    view.SetTableWindow(table);
    table->show();
    return table;
}

QPushButton* CIzbrVarTableDlg::AddButton(const QString& text, const char* name)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    // Enter ends the edit of a cell; it never presses a button.
    button->setAutoDefault(false);
    return button;
}

QPushButton* CIzbrVarTableDlg::Button(const char* name) const
{
    return findChild<QPushButton*>(QLatin1String(name));
}

void CIzbrVarTableDlg::RestoreInitialSize()
{
    m_grid->updateGeometry();
    adjustSize();
    resize(sizeHint());
}

QRect CIzbrVarTableDlg::Selection() const
{
    const QItemSelection selection = m_grid->selectionModel()->selection();
    QRect rect;
    for (const QItemSelectionRange& range : selection) {
        // Model rows are the grid's fuse rows, one below the header row.
        rect |= QRect(QPoint(range.left(), range.top() + 1),
                      QPoint(range.right(), range.bottom() + 1));
    }
    return rect;
}

// ---------------------------------------------------------------- the view

void CIzbrVarTableDlg::Export(const TablePointList& points)
{
    m_exported = !points.isEmpty();
    emit pointsExported(points);
}

void CIzbrVarTableDlg::SetFuses(const std::vector<const Fuse*>& fuses)
{
    m_model.setFuses(fuses);
    if (m_exported)
        OnToGraph();
}

void CIzbrVarTableDlg::SetCharacteristic(const CharacteristicType* type)
{
    if (type)
        setWindowTitle(type->name());
    if (m_model.setCharacteristicType(type)) {
        Export({});
        RestoreInitialSize();
    }
}

void CIzbrVarTableDlg::SetScientific(bool on)
{
    m_model.setScientific(on);
}

void CIzbrVarTableDlg::addConstLineValue(float value, ConstLineKind kind)
{
    m_model.addConstLineValue(value, kind);
}

// ---------------------------------------------------------------- commands

void CIzbrVarTableDlg::OnAdd()
{
    m_model.addPair();
}

void CIzbrVarTableDlg::OnRemove()
{
    const QRect selection = Selection();
    if (!m_model.isWholeValueColumn(selection)) {
        MessageBoxService::show(this, QStringLiteral("Select a column to remove!"), kTitle,
                                MessageBoxService::Ok);
        return;
    }
    m_model.removePair(selection.left());
    if (m_exported)
        OnToGraph();
}

void CIzbrVarTableDlg::OnClear()
{
    m_model.clear();
    Export({});
    RestoreInitialSize();
}

void CIzbrVarTableDlg::OnToGraph()
{
    Export(PointTableExport::points(m_model));
}

void CIzbrVarTableDlg::OnToFile()
{
    const CurvataFileDialog::Request request{CurvataFileDialog::Mode::Save, QString(), FileFilter,
                                             QStringLiteral("txt")};
    const QString path =
        m_choose ? m_choose(this, request) : CurvataFileDialog::Choose(this, request);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray text = PointTableExport::text(m_model);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        // The user must know that the table is not where they asked for it.
        MessageBoxService::show(
            this, QStringLiteral("The table of points could not be written to %1:\n%2")
                      .arg(path, file.errorString()),
            kTitle, MessageBoxService::Ok, MessageBoxService::Warning);
    }
}

void CIzbrVarTableDlg::OnCopy()
{
    const QRect selection = Selection();
    if (!selection.isValid())
        return;
    QString text;
    for (int row = selection.top(); row <= selection.bottom(); ++row) {
        QStringList cells;
        for (int column = selection.left(); column <= selection.right(); ++column)
            cells << m_model.text(row, column);
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(text);
}

void CIzbrVarTableDlg::OnPaste()
{
    QRect selection = Selection();
    if (!selection.isValid() && m_grid->currentIndex().isValid()) {
        const QModelIndex current = m_grid->currentIndex();
        selection = QRect(current.column(), current.row() + 1, 1, 1);
    }
    m_model.paste(selection, QApplication::clipboard()->text());
}

void CIzbrVarTableDlg::OnClearSelection()
{
    m_model.clearCells(Selection());
}

void CIzbrVarTableDlg::closeEvent(QCloseEvent* event)
{
    // The chart shows no points of a table that is gone.
    Export({});
    QDialog::closeEvent(event);
}

void CIzbrVarTableDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape belong to the grid's editor; a stray one must not
    // close the window and lose the entered values.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
