#pragma once

#include "ConstLineTableTarget.h"
#include "WorkingPointCalculator.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <vector>

class CharacteristicType;
class Fuse;

// The table of points without its window: one row per selected fuse, the
// fixed columns "Selected Fuse" and "Catalogue Number", then value columns
// in pairs (x, y). The user enters a value into one column of a pair and the
// table computes the other from the fuse's curve.
//
// Two coordinate systems: the grid's, in which row 0 is the header row and
// rows 1..n hold the fuses (all the table's own operations use it), and Qt's
// item model, whose rows are the fuse rows (grid row - 1) and whose
// horizontal header is grid row 0.
class PointTableModel : public QAbstractTableModel, public ConstLineTableTarget
{
    Q_OBJECT
public:
    static const QString NoValue; // "-": an editable cell without a value
    static const QString SelectedFuseHeader;
    static const QString CatalogueNumberHeader;
    static constexpr int FixedColumns = 2;
    static constexpr int InitialColumns = 4;

    enum Role
    {
        UserEnteredRole = Qt::UserRole + 1,
        ModifiedRole,
        ReadOnlyRole,
    };

    explicit PointTableModel(QObject* parent = nullptr);

    // A new table for the view's fuses and characteristic type (none gives
    // a table in which nothing is defined): 1 + n rows, one column pair.
    void open(const std::vector<const Fuse*>& fuses, const CharacteristicType* type,
              bool scientific);

    // --- grid ---
    int gridRowCount() const { return int(m_rows.size()); }
    int gridColumnCount() const { return m_columns; }
    // Empty text outside the grid.
    QString text(int row, int column) const;
    bool isUserEntered(int row, int column) const;
    bool isReadOnly(int row, int column) const;
    bool isModified(int row, int column) const;
    QColor background(int row, int column) const; // invalid: the grid's normal colour
    // A cell of a value column in a fuse row.
    bool isValueCell(int row, int column) const;
    // The grid gets `count` columns (at least the fixed ones, always whole
    // pairs); new cells stay empty until fillAll().
    void setGridColumnCount(int count);
    // Every cell anew from the fuse list: headers, names, catalogue numbers,
    // and "-" (or "NotDef." for a fuse without a curve of the type) in every
    // value cell. Entered values are lost.
    void fillAll();
    // The user (or a constant line, or a project file) enters `text` into a
    // value cell: the cell becomes a user-entered value and its partner in
    // the pair is computed from it; "-" (or nothing) takes the value away
    // from both. Returns false when nothing changed (not a value cell,
    // read-only, or the same text).
    bool enterValue(int row, int column, const QString& text);

    // --- commands ---
    void addPair();
    // True when `selection` (grid coordinates) is exactly one value column
    // from the first to the last fuse row: what Remove needs.
    bool isWholeValueColumn(const QRect& selection) const;
    // Deletes the pair that `column` belongs to and renumbers the headers.
    bool removePair(int column);
    // One column pair, a row per fuse, every entered value gone.
    void clear();
    // The view's selection changed: rows of fuses that left go, new fuses
    // get rows, rows of fuses that stay keep their values.
    void setFuses(const std::vector<const Fuse*>& fuses);
    // Takes a type with another name and clears the table; true when it did.
    bool setCharacteristicType(const CharacteristicType* type);
    void setScientific(bool on);
    // A constant line's value, in the table's number format, in a new
    // column pair: into every fuse row's new x column (X line) or y column
    // (Y line).
    void addConstLineValue(float value, ConstLineKind kind) override;
    // Text copied from a spreadsheet (cells separated by tabs, rows by line
    // breaks), entered from the top-left cell of `selection`; a selection of
    // more than one cell takes only what falls inside it.
    void paste(const QRect& selection, const QString& block);
    // Every value cell in `selection` loses its value ("-").
    void clearCells(const QRect& selection);

    const WorkingPointCalculator& calculator() const { return m_calculator; }
    const std::vector<const Fuse*>& fuses() const { return m_calculator.fuses(); }
    const CharacteristicType* characteristicType() const { return m_type; }
    bool scientific() const { return m_calculator.scientific(); }
    int initialRowCount() const { return m_initialRowCount; }
    // The colour of fixed and read-only cells (the window's button colour).
    void setFixedCellColour(const QColor& colour) { m_fixedColour = colour; }

    // --- QAbstractTableModel ---
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Cell
    {
        QString text;
        bool readOnly = true;
        bool fixed = true; // drawn in the fixed cells' colour
        bool modified = false;
        bool userEntered = false;
    };
    struct Row
    {
        const Fuse* fuse = nullptr;
        QList<Cell> cells;
    };

    const Cell* cell(int row, int column) const;
    QString headerText(int column) const;
    void fillAll(int columns);
    void fillHeader();
    void fillRow(Row& row, int fromColumn) const;
    Row makeRow(const Fuse* fuse) const;
    bool hasCurve(const Fuse* fuse) const;
    void cellChanged(int row, int column);

    std::vector<Row> m_rows; // m_rows[0] is the header row
    int m_columns = InitialColumns;
    int m_initialRowCount = 1;
    const CharacteristicType* m_type = nullptr;
    WorkingPointCalculator m_calculator;
    QColor m_fixedColour = QColor(240, 240, 240);
};
