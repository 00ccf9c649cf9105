#pragma once

#include <QAbstractTableModel>

class WorkbenchModel;

// The projects of the workbench: name and creation date, both edited in
// place. The current row is the current project.
class ProjectListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Name,
        Date,
        ColumnCount
    };

    explicit ProjectListModel(WorkbenchModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edits the project of that row; it becomes current first, so the leave
    // routine may refuse.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // An edit the tables refused, with the engine's message; the window
    // shows it.
    void editFailed(const QString& message);

public:

    int projectAt(int row) const; // its L2, 0 when none

private:
    QVariant field(int row, const char* name) const;

    WorkbenchModel& m_model;
    bool m_editing = false;
};
