#include "PointTableModel.h"

#include "FuseModel.h"
#include "NumberText.h"

#include <QBrush>
#include <QStringList>
#include <algorithm>

const QString PointTableModel::NoValue = QStringLiteral("-");
const QString PointTableModel::SelectedFuseHeader = QStringLiteral("Selected Fuse");
const QString PointTableModel::CatalogueNumberHeader = QStringLiteral("Catalogue Number");

PointTableModel::PointTableModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_rows.resize(1);
    fillHeader();
}

void PointTableModel::open(const std::vector<const Fuse*>& fuses, const CharacteristicType* type,
                           bool scientific)
{
    m_type = type;
    m_calculator.setFuses(fuses);
    m_calculator.setCharacteristicType(type);
    m_calculator.setScientific(scientific);
    m_initialRowCount = 1 + int(fuses.size());
    fillAll(InitialColumns);
}

// ------------------------------------------------------------------ grid

const PointTableModel::Cell* PointTableModel::cell(int row, int column) const
{
    if (row < 0 || row >= gridRowCount() || column < 0 || column >= m_columns)
        return nullptr;
    return &m_rows[size_t(row)].cells[column];
}

QString PointTableModel::text(int row, int column) const
{
    const Cell* c = cell(row, column);
    return c ? c->text : QString();
}

bool PointTableModel::isUserEntered(int row, int column) const
{
    const Cell* c = cell(row, column);
    return c && c->userEntered;
}

bool PointTableModel::isReadOnly(int row, int column) const
{
    const Cell* c = cell(row, column);
    return !c || c->readOnly;
}

bool PointTableModel::isModified(int row, int column) const
{
    const Cell* c = cell(row, column);
    return c && c->modified;
}

QColor PointTableModel::background(int row, int column) const
{
    const Cell* c = cell(row, column);
    return c && c->fixed ? m_fixedColour : QColor();
}

bool PointTableModel::isValueCell(int row, int column) const
{
    return row >= 1 && row < gridRowCount() && column >= FixedColumns && column < m_columns;
}

QString PointTableModel::headerText(int column) const
{
    if (column == 0)
        return SelectedFuseHeader;
    if (column == 1)
        return CatalogueNumberHeader;
    const QString unit = !m_type ? QString() : column % 2 == 0 ? m_type->xUnit() : m_type->yUnit();
    return unit + QString::number(column / 2);
}

void PointTableModel::fillHeader()
{
    Row& header = m_rows[0];
    header.cells.resize(m_columns);
    for (int c = 0; c < m_columns; ++c)
        header.cells[c] = Cell{headerText(c)};
}

bool PointTableModel::hasCurve(const Fuse* fuse) const
{
    return fuse && m_type && fuse->findCharacteristic(m_type->name());
}

void PointTableModel::fillRow(Row& row, int fromColumn) const
{
    row.cells.resize(m_columns);
    if (fromColumn <= 0)
        row.cells[0] = Cell{row.fuse ? row.fuse->name() : QString()};
    if (fromColumn <= 1)
        row.cells[1] = Cell{row.fuse ? row.fuse->catalogueNumber() : QString()};
    const bool defined = hasCurve(row.fuse);
    for (int c = std::max(fromColumn, int(FixedColumns)); c < m_columns; ++c) {
        if (defined)
            row.cells[c] = Cell{NoValue, false, false};
        else
            row.cells[c] = Cell{WorkingPointCalculator::NotDefined};
    }
}

PointTableModel::Row PointTableModel::makeRow(const Fuse* fuse) const
{
    Row row;
    row.fuse = fuse;
    fillRow(row, 0);
    return row;
}

void PointTableModel::setGridColumnCount(int count)
{
    count = std::max(count, int(FixedColumns));
    count += (count - FixedColumns) % 2; // value columns come in pairs
    const int old = m_columns;
    if (count == old)
        return;
    if (count > old)
        beginInsertColumns(QModelIndex(), old, count - 1);
    else
        beginRemoveColumns(QModelIndex(), count, old - 1);
    m_columns = count;
    for (Row& row : m_rows)
        row.cells.resize(count);
    if (count > old)
        endInsertColumns();
    else
        endRemoveColumns();
    fillHeader();
    emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void PointTableModel::fillAll()
{
    fillAll(m_columns);
}

void PointTableModel::fillAll(int columns)
{
    beginResetModel();
    m_columns = columns;
    const std::vector<const Fuse*>& list = fuses();
    m_rows.resize(1);
    fillHeader();
    for (const Fuse* fuse : list)
        m_rows.push_back(makeRow(fuse));
    endResetModel();
}

void PointTableModel::cellChanged(int row, int column)
{
    const QModelIndex i = index(row - 1, column);
    emit dataChanged(i, i);
}

bool PointTableModel::enterValue(int row, int column, const QString& text)
{
    if (!isValueCell(row, column))
        return false;
    Row& r = m_rows[size_t(row)];
    Cell& target = r.cells[column];
    if (target.readOnly)
        return false;
    // An emptied cell has no value, as "-" says; an empty user-entered text
    // would be saved and then refused as "not a number" when opened.
    const QString entered = text.isEmpty() ? NoValue : text;
    if (entered == target.text)
        return false;
    target.text = entered;
    target.modified = true;
    const bool xColumn = column % 2 == 0;
    Cell& partner = r.cells[xColumn ? column + 1 : column - 1];
    target.userEntered = entered != NoValue;
    if (target.userEntered) {
        const QString& name = r.cells[0].text;
        partner.text = xColumn ? m_calculator.yText(name, entered)
                               : m_calculator.xText(name, entered);
    } else {
        partner.text = NoValue;
    }
    partner.modified = true;
    partner.userEntered = false;
    cellChanged(row, column);
    cellChanged(row, xColumn ? column + 1 : column - 1);
    return true;
}

// -------------------------------------------------------------- commands

void PointTableModel::addPair()
{
    const int first = m_columns;
    beginInsertColumns(QModelIndex(), first, first + 1);
    m_columns += 2;
    fillHeader();
    for (size_t r = 1; r < m_rows.size(); ++r)
        fillRow(m_rows[r], first);
    endInsertColumns();
    emit headerDataChanged(Qt::Horizontal, first, first + 1);
}

bool PointTableModel::isWholeValueColumn(const QRect& selection) const
{
    return selection.width() == 1 && selection.left() >= FixedColumns &&
           selection.left() < m_columns && selection.top() == 1 &&
           selection.bottom() == gridRowCount() - 1 && gridRowCount() > 1;
}

bool PointTableModel::removePair(int column)
{
    if (column < FixedColumns || column >= m_columns)
        return false;
    const int first = column % 2 == 0 ? column : column - 1;
    beginRemoveColumns(QModelIndex(), first, first + 1);
    for (Row& row : m_rows)
        row.cells.remove(first, 2);
    m_columns -= 2;
    endRemoveColumns();
    // The pairs after the removed one move down a number.
    fillHeader();
    emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    return true;
}

void PointTableModel::clear()
{
    fillAll(InitialColumns);
}

void PointTableModel::setFuses(const std::vector<const Fuse*>& fuses)
{
    auto selected = [&](const QString& name) -> const Fuse* {
        for (const Fuse* fuse : fuses)
            if (fuse && fuse->name() == name)
                return fuse;
        return nullptr;
    };
    // Every row is a fuse row, so the whole grid is walked (a fuse with an
    // empty name must not hide the rows after it).
    for (int r = 1; r < gridRowCount();) {
        if (const Fuse* fuse = selected(m_rows[size_t(r)].cells[0].text)) {
            m_rows[size_t(r)].fuse = fuse;
            ++r;
            continue;
        }
        beginRemoveRows(QModelIndex(), r - 1, r - 1);
        m_rows.erase(m_rows.begin() + r);
        endRemoveRows();
    }
    for (size_t i = 0; i < fuses.size(); ++i) {
        const Fuse* fuse = fuses[i];
        if (!fuse)
            continue;
        const bool listed = std::any_of(m_rows.begin() + 1, m_rows.end(), [&](const Row& row) {
            return row.cells[0].text == fuse->name();
        });
        if (listed)
            continue;
        const int at = int(i) + 1 < gridRowCount() ? int(i) + 1 : gridRowCount();
        beginInsertRows(QModelIndex(), at - 1, at - 1);
        m_rows.insert(m_rows.begin() + at, makeRow(fuse));
        endInsertRows();
    }
    m_initialRowCount = 1 + int(fuses.size());
    m_calculator.setFuses(fuses);
}

bool PointTableModel::setCharacteristicType(const CharacteristicType* type)
{
    const bool sameName = (type && m_type) ? type->name() == m_type->name() : type == m_type;
    m_type = type;
    m_calculator.setCharacteristicType(type);
    if (sameName)
        return false;
    clear();
    return true;
}

void PointTableModel::setScientific(bool on)
{
    m_calculator.setScientific(on);
}

void PointTableModel::addConstLineValue(float value, ConstLineKind kind)
{
    const QString formatted = NumberText::tableValue(double(value), scientific());
    addPair();
    const int column = kind == ConstLineKind::X ? m_columns - 2 : m_columns - 1;
    for (int r = 1; r < gridRowCount(); ++r)
        enterValue(r, column, formatted);
}

void PointTableModel::paste(const QRect& selection, const QString& block)
{
    if (!selection.isValid())
        return;
    QStringList lines = block.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast(); // the line break after the last row
    const bool clip = selection.width() > 1 || selection.height() > 1;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringList cells = line.split(QLatin1Char('\t'));
        for (int j = 0; j < cells.size(); ++j) {
            const int row = selection.top() + i;
            const int column = selection.left() + j;
            if (clip && !selection.contains(column, row))
                continue;
            enterValue(row, column, cells[j]);
        }
    }
}

void PointTableModel::clearCells(const QRect& selection)
{
    for (int row = selection.top(); row <= selection.bottom(); ++row)
        for (int column = selection.left(); column <= selection.right(); ++column)
            enterValue(row, column, NoValue);
}

// ----------------------------------------------------------- item model

int PointTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridRowCount() - 1;
}

int PointTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant PointTableModel::data(const QModelIndex& index, int role) const
{
    const Cell* c = index.isValid() ? cell(index.row() + 1, index.column()) : nullptr;
    if (!c)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return c->text;
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return c->fixed ? QVariant(QBrush(m_fixedColour)) : QVariant();
    case UserEnteredRole:
        return c->userEntered;
    case ModifiedRole:
        return c->modified;
    case ReadOnlyRole:
        return c->readOnly;
    default:
        return QVariant();
    }
}

bool PointTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    return enterValue(index.row() + 1, index.column(), value.toString());
}

Qt::ItemFlags PointTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!isReadOnly(index.row() + 1, index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant PointTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns)
        return QVariant();
    if (role == Qt::DisplayRole)
        return text(0, section);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter | Qt::TextWordWrap);
    return QVariant();
}
