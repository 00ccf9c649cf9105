#include "ItemGridModel.h"

#include "WorkbenchModel.h"

#include <QLocale>

const QColor ItemGridModel::NoSymbol(237, 254, 225);
const QColor ItemGridModel::NoDimension(188, 236, 254);
const QColor ItemGridModel::FromList(192, 192, 192);

ItemGridModel::ItemGridModel(WorkbenchModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model)
{
    const auto reset = [this] {
        if (!m_editing) // an edit in place changes values, never rows
            reload();
    };
    connect(&model, &WorkbenchModel::itemsChanged, this, reset);
    connect(&model, &WorkbenchModel::itemViewRebuilt, this, reset);
}

void ItemGridModel::setTitles(const QStringList& titles)
{
    m_titles = titles;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void ItemGridModel::setSummaryView(bool on)
{
    if (on == m_summaryView)
        return;
    beginResetModel();
    m_summaryView = on;
    endResetModel();
}

void ItemGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

const TableView& ItemGridModel::rows() const
{
    return m_summaryView ? m_model.tables().TNarUN : m_model.tables().TNar;
}

QString ItemGridModel::fieldOf(int column)
{
    static const char* const fields[ColumnCount] = {
        "Ident", "NAZIV", "Kol",  "SumKol", "Cena",    "Rabat", "Neto",
        "Vred",  "SumVred", "Blok", "BlockNo", "SYMDWG", "DIMDWG"};
    return column >= 0 && column < ColumnCount ? QLatin1String(fields[column]) : QString();
}

bool ItemGridModel::isRightAligned(int column)
{
    return column == Kol || column == SumKol || (column >= Cena && column <= SumVred);
}

int ItemGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return rows().recordCount();
}

int ItemGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ItemGridModel::cell(int row, const QString& field) const
{
    const TableView& v = rows();
    const int f = v.fieldIndex(field);
    if (f < 0)
        return QVariant();
    return v.rowValue(v.rowIdAt(row + 1), f);
}

QString ItemGridModel::display(int column, const QVariant& value) const
{
    if (!value.isValid())
        return column == Kol || isRightAligned(column) ? QStringLiteral("0") : QString();
    const QLocale locale;
    switch (column) {
    case Kol:
    case SumKol:
        return locale.toString(value.toDouble(), 'f', 0);
    case Cena:
    case Rabat:
    case Neto:
    case Vred:
    case SumVred:
        return locale.toString(value.toDouble(), 'f', 2);
    default:
        return value.toString();
    }
}

QColor ItemGridModel::rowColour(int row) const
{
    if (m_summaryView)
        return QColor();
    const InsertPermissions allowed = m_model.permissions();
    QColor colour;
    if (allowed.symbols && cell(row, QStringLiteral("L1SYM")).toInt() == 0)
        colour = NoSymbol;
    if (allowed.dimensions && cell(row, QStringLiteral("L1DIM")).toInt() == 0)
        colour = NoDimension;
    return colour;
}

QVariant ItemGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return display(column, cell(index.row(), fieldOf(column)));
    case Qt::EditRole: {
        const QVariant v = cell(index.row(), fieldOf(column));
        return v.isValid() ? v : QVariant(0.0);
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (isRightAligned(column) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::BackgroundRole: {
        const QColor colour = rowColour(index.row());
        if (!colour.isValid())
            return QVariant();
        if (column == Ident && cell(index.row(), QStringLiteral("L1NAR")).toInt() >= 1)
            return FromList;
        return colour;
    }
    case Qt::ForegroundRole:
        return rowColour(index.row()).isValid() ? QVariant(QColor(Qt::black)) : QVariant();
    default:
        return QVariant();
    }
}

QVariant ItemGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section < m_titles.size() ? m_titles.at(section) : fieldOf(section);
}

Qt::ItemFlags ItemGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || m_summaryView)
        return f;
    const bool noCad = cell(index.row(), QStringLiteral("Status")).toString() == u"N";
    if (WorkbenchModel::isItemFieldEditable(fieldOf(index.column()), noCad))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ItemGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || m_summaryView)
        return false;
    QVariant stored = value;
    if (index.column() == Kol)
        stored = double(qRound64(value.toDouble())); // quantities are whole numbers
    m_editing = true;
    bool stored_ = false;
    try {
        stored_ = m_model.editItem(index.row() + 1, fieldOf(index.column()), stored);
    } catch (const TableError& e) {
        m_editing = false;
        emit editFailed(e.message());
        return false;
    }
    m_editing = false;
    if (stored_)
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return stored_;
}
