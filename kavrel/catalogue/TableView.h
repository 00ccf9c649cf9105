#pragma once

// A view (cursor) over one ClientTable. All views of a table share its rows:
// a change posted through any view is seen by every other at once. A view has
// its own order (a named index or a field list; file order by default), an
// optional range on a prefix of that order (set directly or by a master
// view), an optional filter, calculated fields, and a current row addressed
// by a 1-based record number within the restricted, ordered view.
//
// With cached updates on, posts and deletes go into the view's change buffer
// (seen through this view only) until applyUpdates() hands them to the table.

#include "TableError.h"
#include "TableSchema.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class ClientTable;
class FilterExpr;
class TableView;

// Read access to one row of a view, stored and calculated fields alike; what
// calculated-field functions receive.
class TableRecord
{
public:
    TableRecord(const TableView& view, int rowId) : m_view(&view), m_row(rowId) {}
    QVariant value(const QString& field) const; // throws "no such field"
    QVariant value(int field) const;            // view field position
    QString asString(const QString& field) const { return value(field).toString(); }
    qint64 asInt(const QString& field) const { return value(field).toLongLong(); }
    double asFloat(const QString& field) const { return value(field).toDouble(); }
    int rowId() const { return m_row; }

private:
    const TableView* m_view;
    int m_row;
};

class TableView
{
public:
    enum class State
    {
        Inactive, // table not open
        Browse,
        Edit,
        Insert
    };

    using Hook = std::function<void(TableView&)>;
    using CalcFunction = std::function<QVariant(const TableRecord& row)>;

    explicit TableView(ClientTable& table, const QString& name = QString());
    ~TableView();
    TableView(const TableView&) = delete;
    TableView& operator=(const TableView&) = delete;

    const QString& name() const { return m_name; }
    ClientTable& table() const { return *m_table; }
    State state() const;
    bool isActive() const { return state() != State::Inactive; }

    // ---- Fields: the table's stored fields, then the calculated ones.
    int fieldCount() const;
    int fieldIndex(const QString& name) const; // without regard to case; -1
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    FieldDef fieldDef(int field) const;
    // A field computed from the row whenever it is read (and when a filter
    // or aggregate reads it). Computed only while autoCalc is on (default).
    void addCalculatedField(const FieldDef& def, CalcFunction function);
    void setAutoCalcFields(bool on);

    // ---- Order and restriction. Each change rebuilds the view and moves to
    // the first row.
    void setIndexName(const QString& indexName);        // "" = file order
    void setIndexFields(const QStringList& fieldNames); // ad hoc order
    QStringList orderFields() const;
    // Only rows whose leading order fields equal `keyPrefix`.
    void setRange(const QVariantList& keyPrefix);
    void cancelRange();
    // Master-detail: the range follows `master`'s current row at once; the
    // leading fields of this view's order take the master's `masterFields`.
    // A master without a current row gives an empty detail.
    void setMasterSource(TableView* master, const QStringList& masterFields);
    void clearMasterSource();
    // Filter text: comparisons (=, <>, <, >, <=, >=) of fields, quoted strings
    // and numbers, joined by AND, OR, NOT and parentheses; field names
    // without regard to case. A text that does not parse or names an unknown
    // field throws TableError and leaves the previous filter in force. The
    // filter applies while filtered is on (the default). Add calculated
    // fields before a filter that names them.
    void setFilter(const QString& text);
    const QString& filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }
    // Re-evaluates filter and calculated fields (after the data behind a
    // calculated field changed).
    void refresh();

    // ---- Navigation.
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const; // 1-based; 0 when empty
    void setRecNo(int recNo);
    void first();
    void last();
    void next();  // sets eof() at the end
    void prior(); // sets bof() at the start
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    int currentRowId() const; // -1 when empty
    // The row at `recNo` (1-based) without moving the cursor, for grids
    // that paint rows the cursor is not on; -1 when out of range.
    int rowIdAt(int recNo) const;

    // ---- Current row.
    QVariant value(const QString& field) const; // throws "no such field"
    QVariant value(int field) const;
    QString asString(const QString& field) const { return value(field).toString(); }
    qint64 asInt(const QString& field) const { return value(field).toLongLong(); }
    double asFloat(const QString& field) const { return value(field).toDouble(); }
    QDate asDate(const QString& field) const { return value(field).toDate(); }
    QDateTime asDateTime(const QString& field) const { return value(field).toDateTime(); }
    TableRecord record() const { return TableRecord(*this, currentRowId()); }

    // ---- Lookup.
    // Keyed lookup on a prefix of the order's key (binary search); positions
    // on the first matching row and returns true, else stays and returns false.
    bool findKey(const QVariantList& keyPrefix);
    // First row at or after the key prefix (last row when none).
    void findNearest(const QVariantList& keyPrefix);
    // First row in view order whose fields equal the values; strings exactly
    // (case-sensitive) unless caseInsensitive. Positions and returns true.
    bool locate(const QStringList& fields, const QVariantList& values,
                bool caseInsensitive = false);
    // Sum of a numeric field over the rows of the view; 0 when empty.
    double sum(const QString& field) const;

    // ---- Editing.
    void append(); // Insert state with an empty row; runs the new-record hook
    void edit();   // Edit state on the current row
    void setValue(const QString& field, const QVariant& value); // Edit/Insert
    void post();   // before-post hook, then store; back to Browse
    void cancel(); // drops the edit
    void remove(); // before-delete hook, then deletes the current row
    bool isModifiedRecord() const { return m_editDirty; }

    // ---- Change buffer.
    void setCachedUpdates(bool on); // turning it off applies pending changes
    bool cachedUpdates() const { return m_cached; }
    int pendingUpdates() const;
    void applyUpdates();  // one transaction; on failure the buffer is kept
    void cancelUpdates(); // drops pending changes

    // ---- Hooks.
    void setOnNewRecord(Hook hook) { m_onNewRecord = std::move(hook); }
    void setBeforePost(Hook hook) { m_beforePost = std::move(hook); }
    void setAfterPost(Hook hook) { m_afterPost = std::move(hook); }
    void setBeforeDelete(Hook hook) { m_beforeDelete = std::move(hook); }
    void setAfterDelete(Hook hook) { m_afterDelete = std::move(hook); }
    void setAfterScroll(Hook hook) { m_afterScroll = std::move(hook); }
    // Any change of the rows the view shows (posts and deletes through any
    // view, filter, range or master changes).
    void setOnDataChange(Hook hook) { m_onDataChange = std::move(hook); }

    // ---- Used by ClientTable and FilterExpr.
    QVariant rowValue(int rowId, int field) const;
    const QVariant& valueRef(int rowId, int field, QVariant& scratch) const;
    void tableOpened();
    void tableClosing();
    void rowChanged(int rowId); // row inserted, updated or deleted in the table
    void tableDestroyed();
    void flushForClose(); // posts an open edit and applies the change buffer

private:
    struct CalcField
    {
        FieldDef def;
        CalcFunction function;
    };

    void rebuild(bool keepPosition);
    void resolveOrder();
    void bindFilter(const std::shared_ptr<FilterExpr>& expr) const;
    bool rangeKey(std::vector<QVariant>* key, bool* restricted) const;
    bool passes(int rowId) const;
    bool isVisibleRow(int rowId, bool restricted, const std::vector<QVariant>& key) const;
    int compareOrder(int a, int b) const;
    int compareKey(int rowId, const std::vector<QVariant>& key, size_t from = 0) const;
    std::vector<QVariant> coerceKey(const QVariantList& keyPrefix) const;
    void coerceKeyInto(const QVariantList& keyPrefix, std::vector<QVariant>& key) const;
    void moveTo(int position);
    void scrolled();
    void dataChanged();
    void masterMoved();
    void checkBrowse();
    void requireWritable() const;
    void updateRow(int rowId);
    void storeCached(std::vector<QVariant> values);
    int findPosition(int rowId) const;
    const QVariant& storedValue(int rowId, int field) const;
    int requireField(const QString& name) const;
    bool isPendingRow(int rowId) const;
    bool leadUsable() const;
    int leadValue(int rowId) const;
    void rebuildLead();

    ClientTable* m_table;
    QString m_name;
    std::vector<CalcField> m_calc;
    bool m_autoCalc = true;
    std::vector<int> m_order; // field positions
    QString m_indexName;
    QStringList m_orderNames; // ad hoc order when no index name
    bool m_hasRange = false;
    std::vector<QVariant> m_range;
    TableView* m_master = nullptr;
    QStringList m_masterFieldNames;
    std::vector<TableView*> m_details;
    QString m_filterText;
    std::shared_ptr<FilterExpr> m_filterExpr;
    bool m_filtered = true;

    std::vector<int> m_rows;            // row ids in view order
    std::vector<int> m_lead;            // leading integer order field of m_rows, when usable
    std::vector<QVariant> m_keyScratch; // findKey's key, kept to spare allocations
    int m_pos = -1;                     // index into m_rows
    bool m_bof = true;
    bool m_eof = true;

    State m_editState = State::Browse;
    std::vector<QVariant> m_editBuffer;
    bool m_editDirty = false;
    int m_editRow = -1;

    bool m_cached = false;
    std::map<int, std::vector<QVariant>> m_pendingEdits; // row id -> values
    std::vector<int> m_pendingDeletes;
    std::vector<std::vector<QVariant>> m_pendingInserts; // row id -2 - index; empty = dropped

    Hook m_onNewRecord, m_beforePost, m_afterPost, m_beforeDelete, m_afterDelete, m_afterScroll,
        m_onDataChange;
};
