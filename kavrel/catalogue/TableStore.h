#pragma once

#include "TableSchema.h"

#include <QString>
#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The SQLite container of one table file: a metadata table (format, schema
// name), the field and index definitions, and the rows with their file row
// ids. Every write is one transaction.
class TableStore
{
public:
    // One row-level change for writeChanges(): fileRowId 0 inserts (and
    // receives the new id), values empty deletes, otherwise updates.
    struct RowWrite
    {
        qint64 fileRowId = 0;
        const std::vector<QVariant>* values = nullptr;
        bool remove = false;
    };

    TableStore() = default;
    ~TableStore();
    TableStore(const TableStore&) = delete;
    TableStore& operator=(const TableStore&) = delete;

    // Opens an existing file; read-only never writes it (nor a journal).
    // Throws TableError naming the file and the reason.
    void open(const QString& nativePath, bool readOnly);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    TableSchema readSchema();
    void loadRows(const TableSchema& schema, std::vector<QVariant>& cells,
                  std::vector<qint64>& fileRowIds, bool roomToGrow = false);

    // Applies row changes in one transaction (all or nothing).
    void writeChanges(const TableSchema& schema, std::vector<RowWrite>& writes);

    // Rewrites the whole table in one transaction; the new file row ids are
    // returned in order of the given rows.
    void rewrite(const TableSchema& schema, const std::vector<const QVariant*>& rows,
                 std::vector<qint64>& fileRowIds);

    // Writes a complete new file beside `nativePath` and renames it over, so
    // that the path holds the old file or the new one, never a part.
    static void writeNewFile(const QString& nativePath, const TableSchema& schema,
                             const std::vector<const QVariant*>& rows,
                             std::vector<qint64>& fileRowIds);

private:
    [[noreturn]] void fail(const QString& what) const;
    void exec(const char* sql);
    sqlite3_stmt* prepare(const QString& sql);
    void createTables(const TableSchema& schema);
    void insertRows(const TableSchema& schema, const std::vector<const QVariant*>& rows,
                    std::vector<qint64>& fileRowIds);
    void finalizeAll();

    sqlite3* m_db = nullptr;
    QString m_path;
    bool m_readOnly = true;
    sqlite3_stmt* m_insert = nullptr;
    sqlite3_stmt* m_update = nullptr;
    sqlite3_stmt* m_delete = nullptr;
};
