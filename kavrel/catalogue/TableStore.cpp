#include "TableStore.h"

#include "ColumnStore.h"
#include "TableError.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const char kFormat[] = "kavrel-table";
const char kVersion[] = "1";

QString quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString columnList(const TableSchema& schema)
{
    QStringList cols;
    for (const FieldDef& f : schema.fields)
        cols << quoted(f.name);
    return cols.join(QLatin1Char(','));
}

const char* sqlType(FieldType type)
{
    switch (type) {
    case FieldType::Int32:
    case FieldType::Int16:
    case FieldType::Date:
        return "INTEGER";
    case FieldType::Float:
        return "REAL";
    default:
        return "TEXT";
    }
}

// One-character strings (codes such as "A", "P", "T") are shared instead of
// allocated once per row: the catalogue tables are full of them.
const QString& sharedChar(unsigned char c)
{
    static const std::vector<QString> table = [] {
        std::vector<QString> t(128);
        for (int i = 0; i < 128; ++i)
            t[size_t(i)] = QString(QChar(i));
        return t;
    }();
    return table[c];
}

int bindValue(sqlite3_stmt* st, int col, FieldType type, const QVariant& v)
{
    if (!v.isValid())
        return sqlite3_bind_null(st, col);
    switch (type) {
    case FieldType::Int32:
    case FieldType::Int16:
        return sqlite3_bind_int64(st, col, v.toLongLong());
    case FieldType::Float:
        return sqlite3_bind_double(st, col, v.toDouble());
    case FieldType::Date:
        return sqlite3_bind_int64(st, col, v.toDate().toJulianDay());
    case FieldType::DateTime: {
        const QByteArray text =
            v.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")).toUtf8();
        return sqlite3_bind_text(st, col, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    case FieldType::String: {
        const QByteArray text = v.toString().toUtf8();
        return sqlite3_bind_text(st, col, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
    return SQLITE_MISUSE;
}

QString columnText(sqlite3_stmt* st, int col)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    const int n = sqlite3_column_bytes(st, col);
    if (n == 1 && static_cast<unsigned char>(p[0]) < 128)
        return sharedChar(static_cast<unsigned char>(p[0]));
    return QString::fromUtf8(p, n);
}

// Reads one stored value into its column; an unusable one is reported by
// the caller.
bool readCell(sqlite3_stmt* st, int col, int field, FieldType type, ColumnStore& cells)
{
    const int kind = sqlite3_column_type(st, col);
    if (kind == SQLITE_NULL) {
        cells.putNull(field);
        return true;
    }
    switch (type) {
    case FieldType::Int32:
    case FieldType::Int16: {
        if (kind != SQLITE_INTEGER)
            return false;
        const sqlite3_int64 v = sqlite3_column_int64(st, col);
        if (v < -2147483648LL || v > 2147483647LL)
            return false;
        cells.putInt(field, int(v));
        return true;
    }
    case FieldType::Float:
        if (kind != SQLITE_INTEGER && kind != SQLITE_FLOAT)
            return false;
        cells.putFloat(field, sqlite3_column_double(st, col));
        return true;
    case FieldType::String: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        cells.putUtf8(field, p, sqlite3_column_bytes(st, col));
        return true;
    }
    case FieldType::Date: {
        const QDate d = kind == SQLITE_INTEGER
                            ? QDate::fromJulianDay(sqlite3_column_int64(st, col))
                            : QDate::fromString(columnText(st, col), Qt::ISODate);
        if (!d.isValid())
            return false;
        cells.putDay(field, d.toJulianDay());
        return true;
    }
    case FieldType::DateTime: {
        const QDateTime dt = QDateTime::fromString(columnText(st, col), Qt::ISODateWithMs);
        if (!dt.isValid())
            return false;
        cells.putDateTime(field, dt);
        return true;
    }
    }
    return false;
}

// Rows given as arrays of values.
class PointerRows : public TableStore::Rows
{
public:
    PointerRows(const std::vector<const QVariant*>& rows, size_t fields)
        : m_rows(rows), m_fields(fields)
    {
    }
    size_t count() const override { return m_rows.size(); }
    void read(size_t row, std::vector<QVariant>& values) const override
    {
        values.assign(m_rows[row], m_rows[row] + m_fields);
    }

private:
    const std::vector<const QVariant*>& m_rows;
    size_t m_fields;
};

// SQLite replays a write-ahead log it finds beside a database file onto it,
// whatever file that is now. A program killed while it wrote leaves its log
// behind: before a new file takes the name, the log is folded into the file
// it belongs to (or dropped when that file is no database at all).
void settleLeftoverLog(const QString& nativePath)
{
    const QString wal = nativePath + QStringLiteral("-wal");
    if (!QFileInfo::exists(wal))
        return;
    sqlite3* db = nullptr;
    bool inUse = false;
    if (QFileInfo::exists(nativePath) &&
        sqlite3_open_v2(QFile::encodeName(nativePath).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK) {
        char* error = nullptr;
        const int rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, &error);
        sqlite3_free(error);
        inUse = rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
    }
    sqlite3_close_v2(db);
    if (inUse)
        throw TableError(nativePath, QStringLiteral("the file is in use by another program"));
    QFile::remove(wal);
    QFile::remove(nativePath + QStringLiteral("-shm"));
}

void syncPath(const QByteArray& path, bool directory)
{
    const int fd = ::open(path.constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

TableStore::~TableStore()
{
    close();
}

void TableStore::fail(const QString& what) const
{
    const QString reason = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
    throw TableError(m_path, reason.isEmpty() ? what : what + QStringLiteral(" (") + reason + ')');
}

void TableStore::exec(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(error ? error : "unknown error");
        sqlite3_free(error);
        throw TableError(m_path, reason);
    }
}

sqlite3_stmt* TableStore::prepare(const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        fail(QStringLiteral("the file is not a valid table file"));
    }
    return st;
}

void TableStore::open(const QString& nativePath, bool readOnly)
{
    close();
    m_path = nativePath;
    m_readOnly = readOnly;
    const QFileInfo info(nativePath);
    if (!info.exists())
        throw TableError(nativePath, QStringLiteral("the file does not exist"));
    if (!info.isFile())
        throw TableError(nativePath, QStringLiteral("not a file"));
    if (!info.isReadable())
        throw TableError(nativePath, QStringLiteral("the file cannot be read (no permission)"));
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(nativePath).constData(), &m_db, flags, nullptr) !=
        SQLITE_OK) {
        const QString reason = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : "cannot open");
        close();
        throw TableError(nativePath, reason);
    }
    sqlite3_busy_timeout(m_db, 3000);
    try {
        // Files that are only read are mapped rather than copied page by
        // page into SQLite's cache.
        if (readOnly)
            exec("PRAGMA mmap_size=1073741824");
        if (!readOnly) {
            // Write-through commits go to the write-ahead log: a killed
            // program keeps every committed row, a crash keeps old or new.
            exec("PRAGMA journal_mode=WAL");
            exec("PRAGMA synchronous=NORMAL");
        }
    } catch (const TableError& e) {
        close();
        throw TableError(nativePath, e.reason());
    }
}

void TableStore::finalizeAll()
{
    sqlite3_finalize(m_read);
    m_read = nullptr;
    sqlite3_finalize(m_insert);
    sqlite3_finalize(m_update);
    sqlite3_finalize(m_delete);
    m_insert = m_update = m_delete = nullptr;
}

void TableStore::close()
{
    finalizeAll();
    if (!m_db)
        return;
    if (m_snapshot)
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    m_snapshot = false;
    if (!m_readOnly) // back to a single file once the log is folded in
        sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

TableSchema TableStore::readSchema()
{
    TableSchema schema;
    {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, "SELECT key, value FROM kt_meta", -1, &st, nullptr) !=
            SQLITE_OK) {
            const int code = sqlite3_errcode(m_db);
            sqlite3_finalize(st);
            if (code == SQLITE_NOTADB)
                throw TableError(m_path, QStringLiteral("not a table file (not a database)"));
            fail(QStringLiteral("not a table file"));
        }
        QString format, version;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            const QString key = columnText(st, 0), value = columnText(st, 1);
            if (key == QLatin1String("format"))
                format = value;
            else if (key == QLatin1String("version"))
                version = value;
            else if (key == QLatin1String("schema"))
                schema.name = value;
        }
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            fail(QStringLiteral("the file is damaged"));
        if (format != QLatin1String(kFormat))
            throw TableError(m_path, QStringLiteral("not a table file"));
        if (version != QLatin1String(kVersion))
            throw TableError(m_path,
                             QStringLiteral("table file version %1 is not supported").arg(version));
    }
    sqlite3_stmt* st =
        prepare(QStringLiteral("SELECT name, type, width FROM kt_fields ORDER BY pos"));
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        FieldDef f;
        f.name = columnText(st, 0);
        if (!TableSchema::parseTypeName(columnText(st, 1), &f.type)) {
            sqlite3_finalize(st);
            throw TableError(m_path, QStringLiteral("field %1 has an unknown type").arg(f.name));
        }
        f.width = sqlite3_column_int(st, 2);
        schema.fields.push_back(f);
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("the field definitions are damaged"));
    st = prepare(
        QStringLiteral("SELECT name, fields, is_primary, is_unique FROM kt_indexes ORDER BY pos"));
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        IndexDef idx;
        idx.name = columnText(st, 0);
        idx.fields = columnText(st, 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        idx.primary = sqlite3_column_int(st, 2) != 0;
        idx.unique = sqlite3_column_int(st, 3) != 0;
        schema.indexes.push_back(idx);
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("the index definitions are damaged"));
    try {
        schema.validate();
    } catch (const TableError& e) {
        throw TableError(m_path, QStringLiteral("damaged definitions: ") + e.reason());
    }
    return schema;
}

void TableStore::loadRows(const TableSchema& schema, ColumnStore& cells,
                          std::vector<qint64>* fileRowIds, bool roomToGrow)
{
    startReading(schema, cells, fileRowIds, roomToGrow);
    while (readRows(schema, cells, fileRowIds, 1 << 30)) {
    }
}

void TableStore::holdSnapshot()
{
    if (!m_snapshot) {
        exec("BEGIN");
        m_snapshot = true;
    }
}

void TableStore::rowIdRange(qint64* count, qint64* maxRowId)
{
    sqlite3_stmt* st = prepare(QStringLiteral("SELECT count(*), max(rid) FROM kt_rows"));
    *count = *maxRowId = 0;
    if (sqlite3_step(st) == SQLITE_ROW) {
        *count = sqlite3_column_int64(st, 0);
        *maxRowId = sqlite3_column_int64(st, 1);
    }
    sqlite3_finalize(st);
}

void TableStore::startReading(const TableSchema& schema, ColumnStore& cells,
                              std::vector<qint64>* fileRowIds, bool roomToGrow, bool bySlot)
{
    sqlite3_finalize(m_read);
    m_read = nullptr;
    if (!bySlot) {
        cells.reset(schema);
        // Row ids are dense unless rows were deleted: a cheap upper bound.
        sqlite3_stmt* count = prepare(QStringLiteral("SELECT max(rid) FROM kt_rows"));
        if (sqlite3_step(count) == SQLITE_ROW) {
            qint64 rows = std::clamp<qint64>(sqlite3_column_int64(count, 0), 0, 50000000);
            // Tables that are edited get room for new rows.
            if (roomToGrow)
                rows += rows / 8 + 64;
            cells.reserve(size_t(rows));
            if (fileRowIds)
                fileRowIds->reserve(size_t(rows));
        }
        sqlite3_finalize(count);
    }
    m_read =
        prepare(QStringLiteral("SELECT rid,%1 FROM kt_rows ORDER BY rid").arg(columnList(schema)));
}

bool TableStore::readRows(const TableSchema& schema, ColumnStore& cells,
                          std::vector<qint64>* fileRowIds, int maxRows, std::vector<quint8>* marks)
{
    if (!m_read)
        return false;
    bool done = false;
    readInto(m_read, schema, cells, fileRowIds, maxRows, marks, &done);
    if (done) {
        sqlite3_finalize(m_read);
        m_read = nullptr;
    }
    return !done;
}

// One pass over the field alone finds the rows; they are then read by id.
void TableStore::readSubset(const TableSchema& schema, ColumnStore& cells, const QString& field,
                            std::vector<int>& values, std::vector<quint8>* marks)
{
    std::sort(values.begin(), values.end());
    std::vector<qint64> wanted, lowRows, highRows;
    int low = 0, high = 0;
    bool any = false;
    sqlite3_stmt* st = prepare(QStringLiteral("SELECT rid,%1 FROM kt_rows").arg(quoted(field)));
    while (sqlite3_step(st) == SQLITE_ROW) {
        if (sqlite3_column_type(st, 1) != SQLITE_INTEGER)
            continue; // a damaged row is reported when the whole table is read
        const qint64 rid = sqlite3_column_int64(st, 0);
        const int v = sqlite3_column_int(st, 1);
        if (std::binary_search(values.begin(), values.end(), v))
            wanted.push_back(rid);
        if (!any || v < low)
            low = v, lowRows.clear();
        if (!any || v > high)
            high = v, highRows.clear();
        if (v == low)
            lowRows.push_back(rid);
        if (v == high)
            highRows.push_back(rid);
        any = true;
    }
    sqlite3_finalize(st);
    if (any) {
        values.push_back(low);
        values.push_back(high);
        wanted.insert(wanted.end(), lowRows.begin(), lowRows.end());
        wanted.insert(wanted.end(), highRows.begin(), highRows.end());
    }
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    st = prepare(
        QStringLiteral("SELECT rid,%1 FROM kt_rows WHERE rid=?").arg(columnList(schema)));
    try {
        for (qint64 rid : wanted) {
            sqlite3_reset(st);
            sqlite3_bind_int64(st, 1, rid);
            bool done = false;
            readInto(st, schema, cells, nullptr, 1, marks, &done);
        }
    } catch (...) {
        sqlite3_finalize(st);
        throw;
    }
    sqlite3_finalize(st);
}

// Reads up to maxRows rows of a running query; *done at its end.
void TableStore::readInto(sqlite3_stmt* st, const TableSchema& schema, ColumnStore& cells,
                          std::vector<qint64>* fileRowIds, int maxRows,
                          std::vector<quint8>* marks, bool* done)
{
    const int n = int(schema.fields.size());
    int rc = SQLITE_ROW;
    for (int count = 0; count < maxRows && (rc = sqlite3_step(st)) == SQLITE_ROW; ++count) {
        const qint64 rid = sqlite3_column_int64(st, 0);
        if (marks) {
            if (rid < 1 || rid > qint64(marks->size()))
                throw TableError(m_path, QStringLiteral("row %1 lies beyond the table").arg(rid));
            if ((*marks)[size_t(rid - 1)] != 0)
                continue; // read before
            cells.beginRowAt(int(rid - 1));
        } else {
            cells.beginRow();
        }
        if (fileRowIds)
            fileRowIds->push_back(rid);
        for (int f = 0; f < n; ++f) {
            if (!readCell(st, f + 1, f, schema.fields[size_t(f)].type, cells))
                throw TableError(m_path,
                                 QStringLiteral("row %1: field %2 holds no valid %3")
                                     .arg(rid)
                                     .arg(schema.fields[size_t(f)].name,
                                          TableSchema::typeName(schema.fields[size_t(f)].type)));
        }
        cells.endRow();
        if (marks)
            (*marks)[size_t(rid - 1)] = 2;
    }
    if (rc == SQLITE_ROW)
        return; // more to read
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("the rows cannot be read"));
    *done = true;
}

void TableStore::createTables(const TableSchema& schema)
{
    exec("CREATE TABLE kt_meta(key TEXT PRIMARY KEY, value TEXT)");
    exec("CREATE TABLE kt_fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL, type TEXT NOT NULL,"
         " width INTEGER NOT NULL)");
    exec("CREATE TABLE kt_indexes(pos INTEGER PRIMARY KEY, name TEXT NOT NULL, fields TEXT NOT "
         "NULL, is_primary INTEGER NOT NULL, is_unique INTEGER NOT NULL)");
    QStringList cols;
    for (const FieldDef& f : schema.fields)
        cols << quoted(f.name) + QLatin1Char(' ') + QLatin1String(sqlType(f.type));
    const QByteArray create = QStringLiteral("CREATE TABLE kt_rows(rid INTEGER PRIMARY KEY, %1)")
                                  .arg(cols.join(','))
                                  .toUtf8();
    exec(create.constData());

    sqlite3_stmt* st = prepare(QStringLiteral("INSERT INTO kt_meta VALUES(?,?)"));
    const QByteArray pairs[][2] = {
        {"format", kFormat}, {"version", kVersion}, {"schema", schema.name.toUtf8()}};
    for (const auto& pair : pairs) {
        sqlite3_bind_text(st, 1, pair[0].constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, pair[1].constData(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(st) != SQLITE_DONE) {
            sqlite3_finalize(st);
            fail(QStringLiteral("cannot write the definitions"));
        }
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    st = prepare(QStringLiteral("INSERT INTO kt_fields VALUES(?,?,?,?)"));
    for (size_t i = 0; i < schema.fields.size(); ++i) {
        const FieldDef& f = schema.fields[i];
        sqlite3_bind_int64(st, 1, qint64(i));
        sqlite3_bind_text(st, 2, f.name.toUtf8().constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, TableSchema::typeName(f.type).toUtf8().constData(), -1,
                          SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 4, f.width);
        if (sqlite3_step(st) != SQLITE_DONE) {
            sqlite3_finalize(st);
            fail(QStringLiteral("cannot write the definitions"));
        }
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    st = prepare(QStringLiteral("INSERT INTO kt_indexes VALUES(?,?,?,?,?)"));
    for (size_t i = 0; i < schema.indexes.size(); ++i) {
        const IndexDef& idx = schema.indexes[i];
        sqlite3_bind_int64(st, 1, qint64(i));
        sqlite3_bind_text(st, 2, idx.name.toUtf8().constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, idx.fields.join(QLatin1Char(';')).toUtf8().constData(), -1,
                          SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 4, idx.primary ? 1 : 0);
        sqlite3_bind_int(st, 5, idx.unique ? 1 : 0);
        if (sqlite3_step(st) != SQLITE_DONE) {
            sqlite3_finalize(st);
            fail(QStringLiteral("cannot write the definitions"));
        }
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

void TableStore::insertRows(const TableSchema& schema, const Rows& rows,
                            std::vector<qint64>& fileRowIds)
{
    const int n = int(schema.fields.size());
    QStringList marks;
    for (int i = 0; i < n; ++i)
        marks << QStringLiteral("?");
    sqlite3_stmt* st = prepare(QStringLiteral("INSERT INTO kt_rows(%1) VALUES(%2)")
                                   .arg(columnList(schema), marks.join(',')));
    fileRowIds.clear();
    fileRowIds.reserve(rows.count());
    std::vector<QVariant> values;
    for (size_t r = 0; r < rows.count(); ++r) {
        rows.read(r, values);
        for (int f = 0; f < n; ++f)
            bindValue(st, f + 1, schema.fields[size_t(f)].type, values[size_t(f)]);
        if (sqlite3_step(st) != SQLITE_DONE) {
            sqlite3_finalize(st);
            fail(QStringLiteral("cannot write the rows"));
        }
        sqlite3_reset(st);
        fileRowIds.push_back(sqlite3_last_insert_rowid(m_db));
    }
    sqlite3_finalize(st);
}

void TableStore::writeChanges(const TableSchema& schema, std::vector<RowWrite>& writes)
{
    const int n = int(schema.fields.size());
    if (!m_insert) {
        QStringList marks, sets;
        for (const FieldDef& f : schema.fields) {
            marks << QStringLiteral("?");
            sets << quoted(f.name) + QStringLiteral("=?");
        }
        m_insert = prepare(QStringLiteral("INSERT INTO kt_rows(%1) VALUES(%2)")
                               .arg(columnList(schema), marks.join(',')));
        m_update = prepare(QStringLiteral("UPDATE kt_rows SET %1 WHERE rid=?").arg(sets.join(',')));
        m_delete = prepare(QStringLiteral("DELETE FROM kt_rows WHERE rid=?"));
    }
    exec("BEGIN IMMEDIATE");
    std::vector<qint64> newIds(writes.size(), 0);
    try {
        for (size_t i = 0; i < writes.size(); ++i) {
            RowWrite& w = writes[i];
            sqlite3_stmt* st = w.remove ? m_delete : (w.fileRowId == 0 ? m_insert : m_update);
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
            if (!w.remove) {
                for (int f = 0; f < n; ++f)
                    bindValue(st, f + 1, schema.fields[size_t(f)].type, (*w.values)[size_t(f)]);
            }
            if (w.remove)
                sqlite3_bind_int64(st, 1, w.fileRowId);
            else if (w.fileRowId != 0)
                sqlite3_bind_int64(st, n + 1, w.fileRowId);
            if (sqlite3_step(st) != SQLITE_DONE)
                fail(QStringLiteral("cannot write the row"));
            sqlite3_reset(st);
            if (!w.remove && w.fileRowId == 0)
                newIds[i] = sqlite3_last_insert_rowid(m_db);
        }
        exec("COMMIT");
    } catch (const TableError&) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    for (size_t i = 0; i < writes.size(); ++i) {
        if (newIds[i] != 0)
            writes[i].fileRowId = newIds[i];
    }
}

void TableStore::rewrite(const TableSchema& schema, const Rows& rows,
                         std::vector<qint64>& fileRowIds)
{
    finalizeAll();
    exec("BEGIN IMMEDIATE");
    try {
        exec("DROP TABLE IF EXISTS kt_rows");
        exec("DROP TABLE IF EXISTS kt_fields");
        exec("DROP TABLE IF EXISTS kt_indexes");
        exec("DROP TABLE IF EXISTS kt_meta");
        createTables(schema);
        insertRows(schema, rows, fileRowIds);
        exec("COMMIT");
    } catch (const TableError&) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void TableStore::writeNewFile(const QString& nativePath, const TableSchema& schema,
                              const std::vector<const QVariant*>& rows,
                              std::vector<qint64>& fileRowIds)
{
    writeNewFile(nativePath, schema, PointerRows(rows, schema.fields.size()), fileRowIds);
}

void TableStore::writeNewFile(const QString& nativePath, const TableSchema& schema,
                              const Rows& rows, std::vector<qint64>& fileRowIds)
{
    const QString temp = nativePath + QStringLiteral(".part");
    const QByteArray tempName = QFile::encodeName(temp);
    QFile::remove(temp);
    TableStore store;
    store.m_path = nativePath;
    store.m_readOnly = true; // nothing to fold back at close
    if (sqlite3_open_v2(tempName.constData(), &store.m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const QString reason =
            QString::fromUtf8(store.m_db ? sqlite3_errmsg(store.m_db) : "cannot create");
        store.close();
        throw TableError(nativePath, QStringLiteral("cannot create the file: ") + reason);
    }
    try {
        // The file is not in place until renamed, so no journal is needed;
        // it is synced before it replaces the old one.
        store.exec("PRAGMA journal_mode=OFF");
        store.exec("PRAGMA synchronous=OFF");
        store.exec("BEGIN");
        store.createTables(schema);
        store.insertRows(schema, rows, fileRowIds);
        store.exec("COMMIT");
        store.close();
    } catch (const TableError&) {
        store.close();
        QFile::remove(temp);
        throw;
    }
    syncPath(tempName, false);
    try {
        settleLeftoverLog(nativePath);
    } catch (const TableError&) {
        QFile::remove(temp);
        throw;
    }
    if (::rename(tempName.constData(), QFile::encodeName(nativePath).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(strerror(errno));
        QFile::remove(temp);
        throw TableError(nativePath, QStringLiteral("cannot replace the file: ") + reason);
    }
    syncPath(QFile::encodeName(QFileInfo(nativePath).absolutePath()), true);
}
