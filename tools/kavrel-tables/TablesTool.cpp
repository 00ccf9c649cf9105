#include "TablesTool.h"

#include "ClientTable.h"
#include "CsvFile.h"
#include "FieldValue.h"
#include "SchemaFile.h"
#include "StandardSchemas.h"
#include "TableStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <numeric>

namespace {

TableSchema schemaFor(const QString& name)
{
    TableSchema schema;
    if (StandardSchemas::byName(name, &schema))
        return schema;
    if (QFileInfo::exists(name))
        return SchemaFile::load(name);
    throw TableError(QStringLiteral("\"%1\" is neither a schema name (%2) nor a schema file")
                         .arg(name, StandardSchemas::names().join(QStringLiteral(", "))));
}

// Rows that share the whole key of a unique index are refused, naming both
// lines.
void checkUnique(const TableSchema& schema, const std::vector<std::vector<QVariant>>& rows,
                 const std::vector<int>& lines, const QString& csvPath)
{
    for (const IndexDef& idx : schema.indexes) {
        if (!idx.unique)
            continue;
        std::vector<int> fields;
        for (const QString& name : idx.fields)
            fields.push_back(schema.fieldIndex(name));
        auto cmp = [&](size_t a, size_t b) {
            for (int f : fields) {
                const int c = FieldValue::compare(schema.fields[size_t(f)].type, rows[a][size_t(f)],
                                                  rows[b][size_t(f)]);
                if (c != 0)
                    return c;
            }
            return 0;
        };
        std::vector<size_t> order(rows.size());
        std::iota(order.begin(), order.end(), size_t(0));
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return cmp(a, b) < 0; });
        for (size_t i = 1; i < order.size(); ++i) {
            if (cmp(order[i - 1], order[i]) == 0) {
                const size_t later = std::max(order[i - 1], order[i]);
                const size_t earlier = std::min(order[i - 1], order[i]);
                throw TableError(QStringLiteral("%1:%2: duplicate key of unique index %3 (same as "
                                                "line %4)")
                                     .arg(csvPath)
                                     .arg(lines[later])
                                     .arg(idx.name)
                                     .arg(lines[earlier]));
            }
        }
    }
}

} // namespace

void TablesTool::create(const QString& schemaName, const QString& csvPath, const QString& outPath)
{
    const TableSchema schema = schemaFor(schemaName);
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly))
        throw TableError(QStringLiteral("%1: %2").arg(csvPath, file.errorString()));
    std::vector<CsvFile::Record> records;
    try {
        records = CsvFile::parse(QString::fromUtf8(file.readAll()));
    } catch (const TableError& e) {
        throw TableError(QStringLiteral("%1:%2").arg(csvPath, e.reason().mid(5)));
    }
    if (records.empty())
        throw TableError(
            QStringLiteral("%1:1: the header line with the field names is missing").arg(csvPath));
    std::vector<int> columnField; // CSV column -> schema field
    for (const QString& raw : records.front().fields) {
        const QString name = raw.trimmed();
        const int f = schema.fieldIndex(name);
        if (f < 0)
            throw TableError(QStringLiteral("%1:%2: unknown field \"%3\" (table %4)")
                                 .arg(csvPath)
                                 .arg(records.front().line)
                                 .arg(name, schema.name));
        if (std::find(columnField.begin(), columnField.end(), f) != columnField.end())
            throw TableError(QStringLiteral("%1:%2: field %3 appears twice in the header")
                                 .arg(csvPath)
                                 .arg(records.front().line)
                                 .arg(name));
        columnField.push_back(f);
    }
    std::vector<std::vector<QVariant>> rows;
    std::vector<int> lines;
    rows.reserve(records.size());
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvFile::Record& rec = records[r];
        if (rec.fields.size() != qsizetype(columnField.size()))
            throw TableError(QStringLiteral("%1:%2: %3 values, the header has %4")
                                 .arg(csvPath)
                                 .arg(rec.line)
                                 .arg(rec.fields.size())
                                 .arg(columnField.size()));
        std::vector<QVariant> row(schema.fields.size());
        for (size_t f = 0; f < schema.fields.size(); ++f) {
            if (schema.fields[f].type == FieldType::String)
                row[f] = QString();
        }
        for (size_t c = 0; c < columnField.size(); ++c) {
            const FieldDef& def = schema.fields[size_t(columnField[c])];
            try {
                row[size_t(columnField[c])] = FieldValue::fromText(def, rec.fields[qsizetype(c)]);
            } catch (const TableError& e) {
                throw TableError(
                    QStringLiteral("%1:%2: %3").arg(csvPath).arg(rec.line).arg(e.reason()));
            }
        }
        rows.push_back(std::move(row));
        lines.push_back(rec.line);
    }
    checkUnique(schema, rows, lines, csvPath);
    std::vector<const QVariant*> pointers;
    for (const auto& row : rows)
        pointers.push_back(row.data());
    std::vector<qint64> ids;
    TableStore::writeNewFile(outPath, schema, pointers, ids);
}

void TablesTool::exportCsv(const QString& tablePath, const QString& outPath, QTextStream& out)
{
    ClientTable table;
    table.open(tablePath, ClientTable::OpenMode::ReadOnly);
    const TableSchema& schema = table.schema();
    QString text;
    QStringList header;
    for (const FieldDef& f : schema.fields)
        header << f.name;
    text += CsvFile::formatRecord(header) + QLatin1Char('\n');
    for (int row = 0; row < table.rowSlots(); ++row) {
        if (!table.isLive(row))
            continue;
        QStringList cells;
        for (int f = 0; f < table.fieldCount(); ++f)
            cells << FieldValue::toText(schema.fields[size_t(f)].type, table.cell(row, f));
        text += CsvFile::formatRecord(cells) + QLatin1Char('\n');
    }
    if (outPath.isEmpty()) {
        out << text;
        out.flush();
        return;
    }
    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw TableError(QStringLiteral("%1: %2").arg(outPath, file.errorString()));
}

void TablesTool::info(const QString& tablePath, QTextStream& out)
{
    ClientTable table;
    table.open(tablePath, ClientTable::OpenMode::ReadOnly);
    const TableSchema& schema = table.schema();
    out << "File: " << table.nativePath() << '\n';
    out << "Schema: " << schema.name << '\n';
    out << "Fields:\n";
    for (const FieldDef& f : schema.fields)
        out << "  " << TableSchema::describe(f) << '\n';
    out << "Indexes:\n";
    for (const IndexDef& idx : schema.indexes) {
        out << "  " << idx.name << ' ' << idx.fields.join(QLatin1Char(';'));
        if (idx.primary)
            out << " primary";
        if (idx.unique)
            out << " unique";
        out << '\n';
    }
    out << "Rows: " << table.rowCount() << '\n';
    out.flush();
}

QString TablesTool::usage()
{
    return QStringLiteral(
               "Usage:\n"
               "  kavrel-tables create <schema> <input.csv> <output.cds>\n"
               "  kavrel-tables export <file.cds> [output.csv]\n"
               "  kavrel-tables info <file.cds>\n"
               "\n"
               "<schema> is one of: %1\n"
               "or the path of a schema file.\n"
               "\n"
               "CSV: UTF-8, the first line names the fields, comma separated, double quotes\n"
               "around values that hold commas, quotes or line breaks (a quote is doubled).\n"
               "Schema fields missing from the header are left empty. Dates are YYYY-MM-DD,\n"
               "date-times YYYY-MM-DDTHH:MM:SS. The output file is replaced atomically.\n"
               "\n")
               .arg(StandardSchemas::names().join(QStringLiteral(", "))) +
           SchemaFile::help();
}

int TablesTool::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString command = args.value(0);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out << usage();
        return 0;
    }
    try {
        if (command == QLatin1String("create") && args.size() == 4) {
            create(args[1], args[2], args[3]);
            return 0;
        }
        if (command == QLatin1String("export") && (args.size() == 2 || args.size() == 3)) {
            exportCsv(args[1], args.value(2), out);
            return 0;
        }
        if (command == QLatin1String("info") && args.size() == 2) {
            info(args[1], out);
            return 0;
        }
    } catch (const TableError& e) {
        err << "kavrel-tables: " << e.message() << '\n';
        return 1;
    }
    err << usage();
    return 2;
}
