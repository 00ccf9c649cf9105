#include "BomWorkbookFile.h"

#include "BomSheet.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <map>
#include <xlsxwriter.h>

namespace {

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

QString xlsxReason(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

// The formats of the style combinations a sheet uses, made once each.
class Formats
{
public:
    explicit Formats(lxw_workbook* book) : m_book(book) {}
    lxw_format* operator()(int style)
    {
        if (style == BomSheet::Plain)
            return nullptr;
        auto it = m_made.find(style);
        if (it != m_made.end())
            return it->second;
        lxw_format* f = workbook_add_format(m_book);
        if (style & BomSheet::BorderBottom)
            format_set_bottom(f, LXW_BORDER_THIN);
        if (style & BomSheet::BorderTop)
            format_set_top(f, LXW_BORDER_THIN);
        if (style & BomSheet::Amount)
            format_set_num_format(f, "#,##0.00");
        m_made.emplace(style, f);
        return f;
    }

private:
    lxw_workbook* m_book;
    std::map<int, lxw_format*> m_made;
};

lxw_error writeCell(lxw_worksheet* sheet, const BomSheet::Cell& c, lxw_format* format)
{
    const auto row = lxw_row_t(c.row - 1);
    const auto col = lxw_col_t(c.column);
    switch (c.kind) {
    case BomSheet::Kind::Number:
        return worksheet_write_number(sheet, row, col, c.number, format);
    case BomSheet::Kind::Formula:
        return worksheet_write_formula_num(sheet, row, col, c.text.toUtf8().constData(), format,
                                           c.number);
    case BomSheet::Kind::Text:
        break;
    }
    if (c.text.isEmpty())
        return worksheet_write_blank(sheet, row, col, format);
    // Always a string cell: a name that begins with "=" stays text.
    return worksheet_write_string(sheet, row, col, c.text.toUtf8().constData(), format);
}

// Builds the workbook at `file`; the library writes the file on closing.
bool build(const BomSheet& sheet, const QString& file, const QString& scratch, QString* error)
{
    QByteArray scratchDir = scratch.toUtf8();
    lxw_workbook_options options{};
    options.tmpdir = scratchDir.data();
    lxw_workbook* book = workbook_new_opt(file.toUtf8().constData(), &options);
    if (!book)
        return fail(error, QStringLiteral("the workbook could not be created"));
    lxw_worksheet* ws = workbook_add_worksheet(book, nullptr);
    if (!ws) {
        workbook_close(book);
        return fail(error, QStringLiteral("the sheet could not be added"));
    }
    Formats formats(book);
    lxw_error status = LXW_NO_ERROR;
    for (const BomSheet::Cell& c : sheet.cells()) {
        status = writeCell(ws, c, formats(c.style));
        if (status != LXW_NO_ERROR)
            break;
    }
    for (int col = 0; col < BomSheet::Columns && status == LXW_NO_ERROR; ++col) {
        const double width = sheet.widths()[size_t(col)];
        if (width > 0)
            status = worksheet_set_column(ws, lxw_col_t(col), lxw_col_t(col), width, nullptr);
    }
    const lxw_error closed = workbook_close(book); // frees the workbook in every case
    if (status != LXW_NO_ERROR)
        return fail(error, xlsxReason(status));
    if (closed != LXW_NO_ERROR)
        return fail(error, xlsxReason(closed));
    return true;
}

} // namespace

bool BomWorkbookFile::save(const BomSheet& sheet, const QString& path, QString* error)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(error, scratch.errorString());
    const QString built = scratch.filePath(QStringLiteral("bom.xlsx"));
    if (!build(sheet, built, scratch.path(), error))
        return false;
    QFile in(built);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error, in.errorString());
    const QByteArray bytes = in.readAll();
    // QSaveFile writes beside the target and renames over it on commit; it
    // removes its own file when anything fails.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return fail(error, path + QStringLiteral(": ") + out.errorString());
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return fail(error, path + QStringLiteral(": ") + out.errorString());
    }
    if (!out.commit())
        return fail(error, path + QStringLiteral(": ") + out.errorString());
    return true;
}
