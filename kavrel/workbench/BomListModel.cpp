#include "BomListModel.h"

#include "WorkbenchModel.h"

#include <QDateTime>
#include <QLocale>

const QColor BomListModel::Schematic(237, 254, 225);
const QColor BomListModel::Layout(188, 236, 254);
const QColor BomListModel::CurrentDrawing(253, 200, 210);

BomListModel::BomListModel(WorkbenchModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model)
{
    const auto reset = [this] {
        if (m_editing)
            return; // a rename in place changes a value, never the rows
        beginResetModel();
        endResetModel();
    };
    connect(&model, &WorkbenchModel::bomsChanged, this, reset);
    connect(&model, &WorkbenchModel::projectChanged, this, reset);
}

void BomListModel::setTitles(const QString& name, const QString& date)
{
    m_nameTitle = name;
    m_dateTitle = date;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void BomListModel::setCurrentDrawingName(const QString& name)
{
    if (name == m_drawing)
        return;
    m_drawing = name;
    if (rowCount() > 0)
        emit dataChanged(index(0, Name), index(rowCount() - 1, Name), {Qt::BackgroundRole});
}

int BomListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_model.tables().Risba.recordCount();
}

int BomListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BomListModel::field(int row, const char* name) const
{
    const TableView& v = m_model.tables().Risba;
    return v.rowValue(v.rowIdAt(row + 1), v.fieldIndex(QLatin1String(name)));
}

QVariant BomListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const QString type = field(index.row(), "Type").toString();
    switch (role) {
    case TypeRole:
        return type;
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() == Name)
            return field(index.row(), "Name").toString();
        if (index.column() == Date) {
            const QDate date = field(index.row(), "DATUM").toDateTime().date();
            return role == Qt::EditRole ? QVariant(date)
                                        : QVariant(QLocale().toString(date, QLocale::ShortFormat));
        }
        return QVariant();
    case Qt::BackgroundRole:
        if (index.column() == Name && !m_drawing.isEmpty() &&
            field(index.row(), "Name").toString() == m_drawing)
            return CurrentDrawing;
        if (type == u"S")
            return Schematic;
        if (type == u"D")
            return Layout;
        return QColor(Qt::white);
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    default:
        return QVariant();
    }
}

QVariant BomListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == Name)
        return m_nameTitle;
    if (section == Date)
        return m_dateTitle;
    return QString();
}

Qt::ItemFlags BomListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Name &&
        WorkbenchModel::isNameEditable(field(index.row(), "Type").toString()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool BomListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != Name)
        return false;
    bool renamed = false;
    try {
        // Choosing the row may rebuild the item view but leaves this list.
        if (!m_model.selectBom(field(index.row(), "L2").toInt()))
            return false;
        m_editing = true;
        renamed = m_model.renameBom(value.toString());
    } catch (const TableError& e) {
        m_editing = false;
        emit editFailed(e.message());
        return false;
    }
    m_editing = false;
    if (renamed)
        emit dataChanged(index, index);
    return renamed;
}
