#include "CertGridModel.h"

#include "TableView.h"

namespace {

const char* const Fields[3] = {"SIFRAAT", "ST_ATESTA", "ST_POROC"};
const char* const Titles[3] = {"Certificate", "Certificate No.", "Report No."};

} // namespace

CertGridModel::CertGridModel(TableView& cert, QObject* parent)
    : QAbstractTableModel(parent), m_cert(cert)
{
}

void CertGridModel::refresh()
{
    beginResetModel();
    m_rows.clear();
    if (m_cert.isActive()) {
        const int current = m_cert.recNo();
        const int count = m_cert.recordCount();
        m_rows.reserve(size_t(count));
        for (int rec = 1; rec <= count; ++rec) {
            m_cert.setRecNo(rec);
            Row row;
            for (int c = 0; c < 3; ++c)
                row.cells[c] = m_cert.asString(QString::fromLatin1(Fields[c]));
            row.files = m_cert.asString(QStringLiteral("Files"));
            m_rows.push_back(std::move(row));
        }
        if (current > 0)
            m_cert.setRecNo(current);
    }
    endResetModel();
}

QString CertGridModel::files(int row) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return QString();
    return m_rows[size_t(row)].files;
}

int CertGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CertGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant CertGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()) || index.column() >= 3)
        return {};
    if (role == Qt::DisplayRole)
        return m_rows[size_t(index.row())].cells[index.column()];
    return {};
}

QVariant CertGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < 3)
        return QString::fromLatin1(Titles[section]);
    if (orientation == Qt::Vertical)
        return section + 1;
    return {};
}

Qt::ItemFlags CertGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
