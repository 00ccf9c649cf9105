#include "ProjectListModel.h"

#include "WorkbenchModel.h"

#include <QDateTime>
#include <QLocale>

ProjectListModel::ProjectListModel(WorkbenchModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model)
{
    connect(&model, &WorkbenchModel::projectsChanged, this, [this] {
        if (m_editing)
            return;
        beginResetModel();
        endResetModel();
    });
}

int ProjectListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_model.tables().Projekt.recordCount();
}

int ProjectListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProjectListModel::field(int row, const char* name) const
{
    const TableView& v = m_model.tables().Projekt;
    return v.rowValue(v.rowIdAt(row + 1), v.fieldIndex(QLatin1String(name)));
}

int ProjectListModel::projectAt(int row) const
{
    return field(row, "L2").toInt();
}

QVariant ProjectListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    if (index.column() == Name)
        return field(index.row(), "Name").toString();
    const QDate date = field(index.row(), "DATUM").toDateTime().date();
    if (role == Qt::EditRole)
        return date;
    return QLocale().toString(date, QLocale::ShortFormat);
}

QVariant ProjectListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == Name ? QStringLiteral("Name") : QStringLiteral("DATUM");
}

Qt::ItemFlags ProjectListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

bool ProjectListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    TableView& p = m_model.tables().Projekt;
    try {
        if (!m_model.selectProject(projectAt(index.row())))
            return false;
    } catch (const TableError& e) {
        emit editFailed(e.message());
        return false;
    }
    m_editing = true;
    try {
        p.edit();
        if (index.column() == Name)
            p.setValue(QStringLiteral("Name"), value.toString());
        else
            p.setValue(QStringLiteral("DATUM"), QDateTime(value.toDate(), QTime(0, 0)));
        p.post();
    } catch (const TableError& e) {
        p.cancel();
        m_editing = false;
        emit editFailed(e.message());
        return false;
    }
    m_editing = false;
    // The order is by key, so an edit never moves the row.
    const int row = p.recNo() - 1;
    emit dataChanged(this->index(row, 0), this->index(row, ColumnCount - 1));
    return true;
}
