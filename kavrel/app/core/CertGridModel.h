#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

class TableView;

// The rows of the certificate view Cert for the grid CertGrid1: certificate,
// certificate number and report number, read-only. The rows are read when
// refresh() is called (after Cert was opened, closed or refiltered), so that
// painting the grid never moves Cert's current row.
class CertGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CertGridModel(TableView& cert, QObject* parent = nullptr);

    // Reads Cert's rows anew; an inactive view gives no rows.
    void refresh();
    // The file name (field Files) of a row; empty when out of range.
    QString files(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Row
    {
        QString cells[3];
        QString files;
    };
    TableView& m_cert;
    std::vector<Row> m_rows;
};
