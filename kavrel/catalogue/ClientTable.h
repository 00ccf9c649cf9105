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

#include "ColumnStore.h"
#include "OrderedKeys.h"
#include "TableError.h"
#include "TableSchema.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
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

    // ---- Loading in stages (large read-only tables, so that a window can
    // show what it needs first). openStaged() opens and checks the file
    // without reading rows; loadSubset() reads the rows whose integer field
    // holds one of the values; loadMore() reads the whole table a slice at
    // a time and then puts it in place of the subset. Until then views treat
    // the rows as incomplete: a lookup or restriction on a key the subset
    // covers is exact, anything else reads the rest first. A file that
    // turns out damaged while the rest is read closes the table and calls
    // the load-error handler (there is no caller to throw to).
    void openStaged(const QString& path, const TableSchema* expected = nullptr);
    void loadSubset(const QString& field, std::vector<int> values);
    bool loadMore(int budgetMs); // true once the whole table is in place
    void finishLoading();        // reads the rest now
    bool isComplete() const { return !m_staged; }
    // Every row whose field holds the value is loaded.
    bool covers(int field, int value) const;
    // So are the rows with the lowest and the highest value of the field.
    bool coversEnds(int field) const { return !m_staged || field == stagedField(); }
    void setLoadErrorHandler(std::function<void(const QString& message)> handler)
    {
        m_onLoadError = std::move(handler);
    }

    // Live rows (not deleted). Reads the rest of a table loading in stages.
    int rowCount() const;

    // ---- Row storage, read by the views (and tools); row ids are stable
    // while the table is open and follow file order. rowSlots() reads the
    // rest of a table loading in stages, so that iterating from 0 to
    // rowSlots() sees every row.
    int rowSlots() const;
    bool isLive(int rowId) const { return rowId >= 0 && rowId < loadedSlots() && m_alive[rowId] == 1; }
    // The rows loaded so far, without waiting for the rest (for views).
    int loadedRowCount() const { return m_liveCount; }
    int loadedSlots() const { return int(m_alive.size()); }
    // The canonical value of a cell (an invalid QVariant for no value).
    QVariant cell(int rowId, int field) const { return m_cells.value(rowId, field); }
    // The typed cells themselves, for comparisons without QVariants.
    const ColumnStore& columns() const { return m_cells; }
    int fieldCount() const { return int(m_schema.fields.size()); }
    // Bytes held by the rows and the orders built so far.
    size_t memoryUsed() const;

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
    // The leading key fields of that order for keyed searches, built on
    // first use and again after a change.
    const OrderedKeys& orderedKeys(const std::vector<int>& fields) const;

    // Views (and anything else that follows the rows) register themselves
    // and are told of opening, closing and every row change.
    void addObserver(TableObserver* observer);
    void removeObserver(TableObserver* observer);

private:
    struct StagedLoad;

    TableSchema readCheckedSchema(TableStore& store, const QString& native,
                                  const TableSchema* expected) const;
    void load(const QString& native, const TableSchema* expected, OpenMode mode);
    void showArrivedRows();
    int stagedField() const;
    void failStaged(const QString& message);
    class LiveRows;
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
        OrderedKeys keys;
    };

    bool m_open = false;
    OpenMode m_mode = OpenMode::ReadOnly;
    bool m_modified = false;
    bool m_fileIsNew = false;
    StringOverflow m_overflow = StringOverflow::Error;
    QString m_path;
    QString m_native;
    TableSchema m_schema;
    ColumnStore m_cells;
    std::vector<quint8> m_alive;     // 1 live, 0 deleted or unused, 2 read but not yet shown
    std::vector<qint64> m_fileRowId; // read-write: rowid in the file, 0 when not yet written
    int m_liveCount = 0;
    mutable std::vector<std::unique_ptr<Order>> m_orders;
    std::vector<TableObserver*> m_observers;
    std::unique_ptr<TableStore> m_store;
    std::unique_ptr<StagedLoad> m_staged;
    std::function<void(const QString&)> m_onLoadError;
};
