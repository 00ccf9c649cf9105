#pragma once

// The exported sheet of a BOM, cell by cell, before any file is written:
//   A1        one blank and the BOM's name;
//   rows 4, 5 the column headers of the language, a bottom border under
//             A5:M5;
//   from 6    one row per item of the current item view, in the grid's
//             order: name, code, quantity, unit "1", price, discount, net
//             price, value, block, block number, symbol drawing, dimension
//             drawing;
//   row n     after the items: a top border over A:M, "TOTAL" in F and in H
//             the live sum of H6:H(n-1), its value computed here for readers
//             that do not recalculate.
// Column widths are fitted to the shown contents.
//
// Display-free; knows nothing of the file format (BomWorkbookFile writes it).

#include <QString>
#include <array>
#include <optional>
#include <vector>

class WorkbenchModel;

class BomSheet
{
public:
    static constexpr int Columns = 13; // A to M
    static constexpr int FirstItemRow = 6;
    static constexpr int ItemsLine = 1975; // guard number of the item traversal

    enum class Kind
    {
        Text,
        Number,
        Formula // text is the formula, number its value
    };
    // Cell styles, combined.
    enum Style
    {
        Plain = 0,
        BorderBottom = 1,
        BorderTop = 2,
        Amount = 4, // two decimals with grouped thousands
    };
    struct Cell
    {
        int row = 1;    // 1-based, as the sheet counts
        int column = 0; // 0 = A
        Kind kind = Kind::Text;
        QString text;
        double number = 0.0;
        int style = Plain;
    };

    // The sheet of the model's current BOM. Nothing when the traversal of
    // the items overran its guard: the overrun is reported through the
    // model, and a sheet whose total leaves out items is not written.
    static std::optional<BomSheet> of(WorkbenchModel& model);

    const QString& bomName() const { return m_bomName; }
    const std::vector<Cell>& cells() const { return m_cells; }
    int totalRow() const { return m_totalRow; }
    // Width of each column in characters; 0 leaves the default width.
    const std::array<double, Columns>& widths() const { return m_widths; }

    // How a cell reads on screen; also what its column is fitted to.
    static QString shown(const Cell& cell);
    static QString columnName(int column) { return QString(QChar(u'A' + column)); }

private:
    void put(int row, int column, const QString& text, int style = Plain);
    void put(int row, int column, double number, int style = Plain);
    void addHeaders(const QString& language);
    void addTotal(double total);
    void borderRow(int row, int style);
    void fitWidths();

    QString m_bomName;
    std::vector<Cell> m_cells;
    int m_totalRow = FirstItemRow;
    std::array<double, Columns> m_widths{};
};
