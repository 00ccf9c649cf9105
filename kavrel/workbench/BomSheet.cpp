#include "BomSheet.h"

#include "BomOutputTexts.h"
#include "LoopGuard.h"
#include "WorkbenchModel.h"

#include <QLocale>
#include <algorithm>

namespace {

double number(const QVariant& v)
{
    return v.isValid() ? v.toDouble() : 0.0;
}

} // namespace

void BomSheet::put(int row, int column, const QString& text, int style)
{
    if (!text.isEmpty() || style != Plain)
        m_cells.push_back({row, column, Kind::Text, text, 0.0, style});
}

void BomSheet::put(int row, int column, double value, int style)
{
    m_cells.push_back({row, column, Kind::Number, QString(), value, style});
}

std::optional<BomSheet> BomSheet::of(WorkbenchModel& model)
{
    BomSheet sheet;
    sheet.m_bomName = model.currentBomName();
    sheet.put(1, 0, QStringLiteral(" ") + sheet.m_bomName);
    sheet.addHeaders(model.language());

    const TableView& v = model.tables().TNar;
    const auto field = [&v](const char* name) { return v.fieldIndex(QLatin1String(name)); };
    const int fName = field("NAZIV"), fIdent = field("Ident"), fKol = field("Kol"),
              fCena = field("Cena"), fRabat = field("Rabat"), fNeto = field("Neto"),
              fVred = field("Vred"), fBlok = field("Blok"), fBlockNo = field("BlockNo"),
              fSym = field("SYMDWG"), fDim = field("DIMDWG");
    const int count = model.tables().itemsOpen() && v.isActive() ? v.recordCount() : 0;
    LoopGuard guard(ItemsLine, [&model](const QString& m) { emit model.overrun(m); });
    double total = 0.0;
    int row = FirstItemRow;
    for (int recNo = 1; recNo <= count; ++recNo, ++row) {
        if (!guard.pass())
            return std::nullopt;
        const int id = v.rowIdAt(recNo);
        const auto text = [&](int f) { return f < 0 ? QString() : v.rowValue(id, f).toString(); };
        const auto amount = [&](int f) { return f < 0 ? 0.0 : number(v.rowValue(id, f)); };
        sheet.put(row, 0, text(fName));
        sheet.put(row, 1, text(fIdent));
        sheet.put(row, 2, amount(fKol));
        sheet.put(row, 3, QStringLiteral("1"));
        sheet.put(row, 4, amount(fCena), Amount);
        sheet.put(row, 5, amount(fRabat), Amount);
        sheet.put(row, 6, amount(fNeto), Amount);
        sheet.put(row, 7, amount(fVred), Amount);
        sheet.put(row, 8, text(fBlok));
        sheet.put(row, 9, text(fBlockNo));
        // The drawing names as the grid shows them: none for a block that
        // was erased from its drawing.
        sheet.put(row, 10, text(fSym));
        sheet.put(row, 11, text(fDim));
        total += amount(fVred);
    }
    sheet.m_totalRow = row;
    sheet.addTotal(total);
    sheet.fitWidths();
    return sheet;
}

void BomSheet::addHeaders(const QString& language)
{
    const BomOutputTexts texts = BomOutputTexts::forLanguage(language);
    for (int c = 0; c < texts.headerRow4.size() && c < Columns; ++c)
        put(4, c, texts.headerRow4.at(c));
    for (int c = 0; c < texts.headerRow5.size() && c < Columns; ++c)
        put(5, c, texts.headerRow5.at(c));
    borderRow(5, BorderBottom);
}

void BomSheet::addTotal(double total)
{
    const int n = m_totalRow;
    put(n, 5, QStringLiteral("TOTAL"));
    if (n > FirstItemRow) {
        m_cells.push_back({n, 7, Kind::Formula,
                           QStringLiteral("=SUM(H%1:H%2)").arg(FirstItemRow).arg(n - 1), total,
                           Amount});
    } else {
        // Without items a range H6:H5 would take in the total's own cell: a
        // circular reference that spreadsheets show as an error.
        put(n, 7, 0.0, Amount);
    }
    borderRow(n, BorderTop);
}

// Every cell of A:M in `row` gets the border, an empty one too.
void BomSheet::borderRow(int row, int style)
{
    std::array<bool, Columns> present{};
    for (Cell& c : m_cells) {
        if (c.row == row) {
            c.style |= style;
            present[size_t(c.column)] = true;
        }
    }
    for (int c = 0; c < Columns; ++c) {
        if (!present[size_t(c)])
            m_cells.push_back({row, c, Kind::Text, QString(), 0.0, style});
    }
}

QString BomSheet::shown(const Cell& cell)
{
    if (cell.kind == Kind::Text)
        return cell.text;
    if (cell.style & Amount)
        return QLocale::c().toString(cell.number, 'f', 2);
    return QString::number(cell.number, 'g', 11);
}

void BomSheet::fitWidths()
{
    std::array<int, Columns> longest{};
    for (const Cell& c : m_cells)
        longest[size_t(c.column)] = std::max(longest[size_t(c.column)], int(shown(c).size()));
    for (int c = 0; c < Columns; ++c) {
        const int chars = longest[size_t(c)];
        // A little room beside the text, as a spreadsheet's own fitting
        // leaves; never wider than a sheet allows.
        m_widths[size_t(c)] = chars == 0 ? 0.0 : std::min(255.0, chars * 1.1 + 2.0);
    }
}
