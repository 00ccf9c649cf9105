#pragma once

// The client table: a named, typed table loaded whole from its file into
// memory, with any number of views (TableView.h) that share its rows. Each
// table file is one SQLite database holding the rows and the table's field
// and index definitions.
//
// Open modes:
//  - ReadOnly: catalogue tables; the file is opened read-only and never
//    written, editing through a view is refused.
//  - ReadWrite: workbench tables; every post and delete reaches the file at
//    once as one row-level transaction (write-through). A table whose file
//    does not exist yet is created from the given schema and written when it
//    is saved or closed (or at its first post).
//
// Every failure throws TableError; its message() names the file and reason.

#include "TableError.h"
#include "TableSchema.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class TableObserver;
class TableStore;

class ClientTable
{
public:
    enum class OpenMode
    {
        ReadOnly,
        ReadWrite
    };

    // What a too-long string value does when it is set into a field.
    enum class StringOverflow
    {
        Error,   // TableError naming field and width (the default)
        Truncate // cut to the field width
    };

    ClientTable();
    ~ClientTable(); // closes (write-back errors are swallowed: call close())
    ClientTable(const ClientTable&) = delete;
    ClientTable& operator=(const ClientTable&) = delete;

    // Loads the whole file. `path` is a program path ("dir" + "\T1.CDS"),
    // mapped through WinPath. With `expected` the file's fields must match it
    // (same names and types, in any order; the file may have more); in
    // ReadWrite mode a missing file is then created empty with that schema.
    void open(const QString& path, OpenMode mode, const TableSchema* expected = nullptr);

    // An empty in-memory table, no file until saveAs().
    void create(const TableSchema& schema);

    // Writes back when the table holds unsaved changes or its file does not
    // exist yet, then drops the rows. On a write failure the table stays open
    // with its data and TableError is thrown.
    void close();

    // Writes the whole table to its file (one transaction; a new file is
    // written beside and renamed over, so a crash leaves old or new).
    void save();
    // Writes to another file and makes it the table's file (ReadWrite).
    void saveAs(const QString& path);

    bool isOpen() const { return m_open; }
    bool isReadOnly() const { return m_mode == OpenMode::ReadOnly; }
    bool isModified() const { return m_modified; } // changes not yet in the file
    bool fileExists() const;
    const QString& path() const { return m_path; }         // as given
    const QString& nativePath() const { return m_native; } // as opened
    const TableSchema& schema() const { return m_schema; }

    void setStringOverflow(StringOverflow mode) { m_overflow = mode; }
    StringOverflow stringOverflow() const { return m_overflow; }

    // Live rows (not deleted).
    int rowCount() const { return m_liveCount; }

    // ---- Row storage, read by the views (and tools); row ids are stable
    // while the table is open and follow file order.
    int rowSlots() const { return int(m_alive.size()); }
    bool isLive(int rowId) const { return rowId >= 0 && rowId < rowSlots() && m_alive[rowId] == 1; }
    const QVariant& cell(int rowId, int field) const
    {
        return m_cells[size_t(rowId) * m_schema.fields.size() + size_t(field)];
    }
    int fieldCount() const { return int(m_schema.fields.size()); }

    // Converts a value to the canonical type of a field (throws TableError
    // when it does not convert or a string is too long).
    QVariant coerce(int field, const QVariant& value) const;

    // One change of a row; a batch is written in one transaction.
    struct Change
    {
        enum Kind
        {
            Insert,
            Update,
            Delete
        } kind = Insert;
        int rowId = -1;               // Update/Delete; filled in for Insert
        std::vector<QVariant> values; // Insert/Update: every stored field
    };
    // Applies changes to memory and (write-through) to the file. Unique keys
    // are checked first; a key violation changes nothing. A failing file
    // write keeps the change in memory, marks the table modified so that the
    // next save writes it, and throws.
    void commit(std::vector<Change>& changes);
    // The checks of commit() without changing anything (read-only table,
    // rows that no longer exist, key violations).
    void validate(const std::vector<Change>& changes) const;

    // Sorted row ids by the given fields (ascending, ties in file order).
    // Cached per field list and kept up to date across changes.
    const std::vector<int>& orderBy(const std::vector<int>& fields) const;

    // Views (and anything else that follows the rows) register themselves
    // and are told of opening, closing and every row change.
    void addObserver(TableObserver* observer);
    void removeObserver(TableObserver* observer);

private:
    void load(const QString& native, const TableSchema* expected, OpenMode mode);
    std::vector<const QVariant*> liveRowPointers(std::vector<int>* rowIds) const;
    void notifyOpened();
    void checkUnique(const std::vector<Change>& changes) const;
    void applyInMemory(Change& change);
    void writeWhole(const QString& native);
    void clearRows();
    int compareRows(const std::vector<int>& fields, int a, int b) const;

    struct Order
    {
        std::vector<int> fields;
        std::vector<int> rows;
    };

    bool m_open = false;
    OpenMode m_mode = OpenMode::ReadOnly;
    bool m_modified = false;
    bool m_fileIsNew = false;
    StringOverflow m_overflow = StringOverflow::Error;
    QString m_path;
    QString m_native;
    TableSchema m_schema;
    std::vector<QVariant> m_cells;   // row-major, fieldCount() per row
    std::vector<quint8> m_alive;     // 1 live, 0 deleted or unused
    std::vector<qint64> m_fileRowId; // rowid in the file, 0 when not yet written
    int m_liveCount = 0;
    mutable std::vector<std::unique_ptr<Order>> m_orders;
    std::vector<TableObserver*> m_observers;
    std::unique_ptr<TableStore> m_store;
};
