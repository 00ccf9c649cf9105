#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

class TableView;

class WorkbenchModel;

// The item grid over the item view of the current BOM: 13 columns (code,
// name, quantity, summed quantity, price, discount, net price, value,
// summed value, block, block number, symbol drawing, dimension drawing).
// Rows follow the view's order; the cursor of the view is not moved by
// painting. Price, discount and, for items added without the CAD, the
// quantity are edited in place; storing recomputes the derived prices.
// In the summary view the rows are the product summary's (TNarUN) instead,
// read-only and drawn without the item colours.
class ItemGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Ident,
        Naziv,
        Kol,
        SumKol,
        Cena,
        Rabat,
        Neto,
        Vred,
        SumVred,
        Blok,
        BlockNo,
        SymDwg,
        DimDwg,
        ColumnCount
    };

    static const QColor NoSymbol;    // lacks the symbol the BOM takes
    static const QColor NoDimension; // lacks the dimension drawing the BOM takes
    static const QColor FromList;    // its code cell when it came from a list

    explicit ItemGridModel(WorkbenchModel& model, QObject* parent = nullptr);

    void setTitles(const QStringList& titles);
    // Rows from the product summary (on) or the item view (off).
    void setSummaryView(bool on);
    bool summaryView() const { return m_summaryView; }
    // The rows behind the grid changed outside the model's signals (the
    // summary was recomputed).
    void reload();
    static QString fieldOf(int column);
    static bool isRightAligned(int column);

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

    // The row colour by the item's links and the BOM's permissions; an
    // invalid colour for a row drawn normally.
    QColor rowColour(int row) const;

private:
    const TableView& rows() const;
    QVariant cell(int row, const QString& field) const;
    QString display(int column, const QVariant& value) const;

    WorkbenchModel& m_model;
    QStringList m_titles;
    bool m_editing = false;
    bool m_summaryView = false;
};
