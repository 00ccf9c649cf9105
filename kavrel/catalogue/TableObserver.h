#pragma once

// What a ClientTable tells the views built on it. The table knows its views
// only through this interface, so that it needs nothing of how a view
// orders, filters or buffers rows.
class TableObserver
{
public:
    // The table has (re)loaded its rows. An observer that cannot bind to the
    // new rows (an order or filter naming a field the file lacks) updates
    // itself as far as it can and throws TableError; the table reports the
    // first such error after telling every observer.
    virtual void tableOpened() = 0;
    // A read-write table is about to write itself back before it closes:
    // anything typed or buffered in the observer is handed to the table now.
    virtual void tableFlushing() = 0;
    // Rows of a table loading in stages joined it; the rows it had keep
    // their ids.
    virtual void tableRowsArrived() = 0;
    // The rows are about to go.
    virtual void tableClosing() = 0;
    // One row was inserted, updated or deleted.
    virtual void tableRowChanged(int rowId) = 0;
    // The table object itself is being destroyed.
    virtual void tableDestroyed() = 0;

protected:
    ~TableObserver() = default;
};
