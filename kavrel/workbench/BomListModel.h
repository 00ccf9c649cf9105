#pragma once

#include <QAbstractTableModel>
#include <QColor>

class WorkbenchModel;

// The BOM list of the current project: the Type (painted as its icon), the
// name and the date. Rows are coloured by Type; the name of the BOM of the
// drawing that is current in the CAD is pink. Only a list's name is edited
// in place.
class BomListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        TypeIcon,
        Name,
        Date,
        ColumnCount
    };
    static constexpr int TypeRole = Qt::UserRole + 1;

    static const QColor Schematic;      // "S"
    static const QColor Layout;         // "D"
    static const QColor CurrentDrawing; // the Name cell of the current drawing's BOM

    explicit BomListModel(WorkbenchModel& model, QObject* parent = nullptr);

    void setTitles(const QString& name, const QString& date);
    // The Name of the drawing current in the CAD; empty while none.
    void setCurrentDrawingName(const QString& name);
    const QString& currentDrawingName() const { return m_drawing; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // An edit the tables refused, with the engine's message; the window
    // shows it.
    void editFailed(const QString& message);

public:

private:
    QVariant field(int row, const char* name) const;

    WorkbenchModel& m_model;
    QString m_nameTitle, m_dateTitle;
    QString m_drawing;
    bool m_editing = false;
};
