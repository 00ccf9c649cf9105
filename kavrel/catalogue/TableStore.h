#pragma once

#include "TableSchema.h"

#include <QString>
#include <QVariant>
#include <vector>

class ColumnStore;
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

    // Rows to write in whole-table writes: count() rows, each read as the
    // canonical values of every field.
    class Rows
    {
    public:
        virtual ~Rows() = default;
        virtual size_t count() const = 0;
        virtual void read(size_t row, std::vector<QVariant>& values) const = 0;
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
    // Reads every row straight into typed columns, in file order. With
    // `fileRowIds` the rows' file ids are kept too (tables that write back).
    void loadRows(const TableSchema& schema, ColumnStore& cells, std::vector<qint64>* fileRowIds,
                  bool roomToGrow = false);

    // Reading in steps from one snapshot of the file: holdSnapshot() starts
    // a read transaction that later reads share. With `marks` the rows go to
    // the slots of ColumnStore::resize() by file row id (slot = id - 1):
    // slots already marked in `marks` are skipped, those read are marked 2.
    // readSubset() reads the rows whose integer field holds one of `values`
    // and those with the field's lowest and highest value (which it adds to
    // `values`); startReading() and readRows() read every row, up to
    // `maxRows` per call (false once every row is read).
    void holdSnapshot();
    // Number of rows and the highest file row id.
    void rowIdRange(qint64* count, qint64* maxRowId);
    void readSubset(const TableSchema& schema, ColumnStore& cells, const QString& field,
                    std::vector<int>& values, std::vector<quint8>* marks);
    void startReading(const TableSchema& schema, ColumnStore& cells,
                      std::vector<qint64>* fileRowIds, bool roomToGrow, bool bySlot = false);
    bool readRows(const TableSchema& schema, ColumnStore& cells, std::vector<qint64>* fileRowIds,
                  int maxRows, std::vector<quint8>* marks = nullptr);

    // Applies row changes in one transaction (all or nothing).
    void writeChanges(const TableSchema& schema, std::vector<RowWrite>& writes);

    // Rewrites the whole table in one transaction; the new file row ids are
    // returned in order of the given rows.
    void rewrite(const TableSchema& schema, const Rows& rows, std::vector<qint64>& fileRowIds);

    // Writes a complete new file beside `nativePath` and renames it over, so
    // that the path holds the old file or the new one, never a part.
    static void writeNewFile(const QString& nativePath, const TableSchema& schema,
                             const Rows& rows, std::vector<qint64>& fileRowIds);
    // The same from rows of values (tools and generators).
    static void writeNewFile(const QString& nativePath, const TableSchema& schema,
                             const std::vector<const QVariant*>& rows,
                             std::vector<qint64>& fileRowIds);

private:
    [[noreturn]] void fail(const QString& what) const;
    void exec(const char* sql);
    sqlite3_stmt* prepare(const QString& sql);
    void createTables(const TableSchema& schema);
    void insertRows(const TableSchema& schema, const Rows& rows, std::vector<qint64>& fileRowIds);
    void finalizeAll();
    void readInto(sqlite3_stmt* st, const TableSchema& schema, ColumnStore& cells,
                  std::vector<qint64>* fileRowIds, int maxRows, std::vector<quint8>* marks,
                  bool* done);

    sqlite3* m_db = nullptr;
    QString m_path;
    bool m_readOnly = true;
    sqlite3_stmt* m_insert = nullptr;
    sqlite3_stmt* m_update = nullptr;
    sqlite3_stmt* m_delete = nullptr;
    sqlite3_stmt* m_read = nullptr; // reading in steps
    bool m_snapshot = false;
};
