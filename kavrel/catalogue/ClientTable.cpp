#include "ClientTable.h"

#include "FieldValue.h"
#include "TableObserver.h"
#include "TableStore.h"
#include "WinPath.h"

#include <QFileInfo>
#include <algorithm>

ClientTable::ClientTable() = default;

ClientTable::~ClientTable()
{
    try {
        close();
    } catch (...) {
        // Nobody is left to tell; callers that care call close() themselves.
    }
    for (TableObserver* observer : std::vector<TableObserver*>(m_observers))
        observer->tableDestroyed();
}

void ClientTable::addObserver(TableObserver* observer)
{
    m_observers.push_back(observer);
}

void ClientTable::removeObserver(TableObserver* observer)
{
    std::erase(m_observers, observer);
}

bool ClientTable::fileExists() const
{
    return !m_native.isEmpty() && QFileInfo::exists(m_native);
}

void ClientTable::clearRows()
{
    m_cells.clear();
    m_alive.clear();
    m_fileRowId.clear();
    m_orders.clear();
    m_liveCount = 0;
}

namespace {

// The file must hold every expected field with the same type.
void checkAgainst(const QString& file, const TableSchema& actual, const TableSchema& expected)
{
    for (const FieldDef& want : expected.fields) {
        const int i = actual.fieldIndex(want.name);
        if (i < 0)
            throw TableError(file, QStringLiteral("the file has no field %1 (expected table %2)")
                                       .arg(want.name, expected.name));
        const FieldDef& have = actual.fields[size_t(i)];
        if (have.type != want.type)
            throw TableError(file, QStringLiteral("field %1 is %2 in the file, expected %3")
                                       .arg(want.name, TableSchema::typeName(have.type),
                                            TableSchema::typeName(want.type)));
    }
}

} // namespace

void ClientTable::open(const QString& path, OpenMode mode, const TableSchema* expected)
{
    if (m_open)
        close();
    const QString native = WinPath::toNative(path);
    if (!QFileInfo::exists(native)) {
        if (mode == OpenMode::ReadWrite && expected) {
            expected->validate();
            clearRows();
            m_schema = *expected;
            m_path = path;
            m_native = native;
            m_mode = mode;
            m_fileIsNew = true;
            m_modified = false;
            m_open = true;
            notifyOpened();
            return;
        }
        throw TableError(native, QStringLiteral("the file does not exist"));
    }
    load(native, expected, mode);
    if (mode == OpenMode::ReadWrite) {
        // Unique keys are checked at every post; their orders are built now
        // rather than inside the first post.
        for (const IndexDef& idx : m_schema.indexes) {
            if (!idx.unique)
                continue;
            std::vector<int> fields;
            for (const QString& name : idx.fields)
                fields.push_back(m_schema.fieldIndex(name));
            orderBy(fields);
        }
    }
    m_path = path;
    m_native = native;
    m_mode = mode;
    m_fileIsNew = false;
    m_modified = false;
    m_open = true;
    notifyOpened();
}

// Every view learns of the open; the first view that cannot bind its order
// or filter is reported after all have been told.
void ClientTable::notifyOpened()
{
    QString error;
    for (TableObserver* observer : std::vector<TableObserver*>(m_observers)) {
        try {
            observer->tableOpened();
        } catch (const TableError& e) {
            if (error.isEmpty())
                error = e.message();
        }
    }
    if (!error.isEmpty())
        throw TableError(error);
}

void ClientTable::load(const QString& native, const TableSchema* expected, OpenMode mode)
{
    auto store = std::make_unique<TableStore>();
    store->open(native, mode == OpenMode::ReadOnly);
    TableSchema schema = store->readSchema();
    if (expected) {
        checkAgainst(native, schema, *expected);
        for (const IndexDef& idx : expected->indexes) {
            if (!schema.index(idx.name))
                schema.indexes.push_back(idx);
        }
    }
    std::vector<QVariant> cells;
    std::vector<qint64> ids;
    store->loadRows(schema, cells, ids, mode == OpenMode::ReadWrite);
    clearRows();
    m_schema = std::move(schema);
    m_cells = std::move(cells);
    m_fileRowId = std::move(ids);
    m_alive.assign(m_fileRowId.size(), 1);
    m_liveCount = int(m_fileRowId.size());
    if (mode == OpenMode::ReadOnly)
        store->close(); // everything is in memory; the file is never touched again
    m_store = std::move(store);
}

void ClientTable::create(const TableSchema& schema)
{
    if (m_open)
        close();
    schema.validate();
    clearRows();
    m_schema = schema;
    m_path.clear();
    m_native.clear();
    m_mode = OpenMode::ReadWrite;
    m_fileIsNew = true;
    m_modified = false;
    m_open = true;
    notifyOpened();
}

void ClientTable::close()
{
    if (!m_open)
        return;
    if (m_mode == OpenMode::ReadWrite) {
        // Nothing typed or buffered in a view may be lost by closing.
        for (TableObserver* observer : std::vector<TableObserver*>(m_observers))
            observer->tableFlushing();
        if (!m_native.isEmpty() && (m_modified || m_fileIsNew))
            save();
    }
    for (TableObserver* observer : std::vector<TableObserver*>(m_observers))
        observer->tableClosing();
    m_store.reset();
    clearRows();
    m_open = false;
    m_modified = false;
    m_fileIsNew = false;
}

std::vector<const QVariant*> ClientTable::liveRowPointers(std::vector<int>* rowIds) const
{
    std::vector<const QVariant*> rows;
    rows.reserve(size_t(m_liveCount));
    const size_t n = m_schema.fields.size();
    for (size_t id = 0; id < m_alive.size(); ++id) {
        if (m_alive[id]) {
            rows.push_back(m_cells.data() + id * n);
            if (rowIds)
                rowIds->push_back(int(id));
        }
    }
    return rows;
}

void ClientTable::save()
{
    if (!m_open)
        throw TableError(QStringLiteral("the table is not open"));
    if (m_mode == OpenMode::ReadOnly)
        throw TableError(m_native, QStringLiteral("the table is open read-only"));
    if (m_native.isEmpty())
        throw TableError(QStringLiteral("the table has no file"));
    if (!m_modified && !m_fileIsNew && m_store && m_store->isOpen())
        return; // write-through: the file already holds every change
    writeWhole(m_native);
}

void ClientTable::saveAs(const QString& path)
{
    if (!m_open)
        throw TableError(QStringLiteral("the table is not open"));
    const QString native = WinPath::toNative(path);
    const OpenMode previous = m_mode;
    m_mode = OpenMode::ReadWrite;
    try {
        m_store.reset();
        writeWhole(native);
    } catch (...) {
        m_mode = previous;
        throw;
    }
    m_path = path;
    m_native = native;
}

void ClientTable::writeWhole(const QString& native)
{
    std::vector<int> ids;
    const std::vector<const QVariant*> rows = liveRowPointers(&ids);
    std::vector<qint64> fileIds;
    if (m_store && m_store->isOpen() && native == m_native) {
        m_store->rewrite(m_schema, rows, fileIds); // one transaction in place
    } else {
        m_store.reset();
        TableStore::writeNewFile(native, m_schema, rows, fileIds);
        auto store = std::make_unique<TableStore>();
        store->open(native, false);
        m_store = std::move(store);
    }
    std::fill(m_fileRowId.begin(), m_fileRowId.end(), 0);
    for (size_t i = 0; i < ids.size(); ++i)
        m_fileRowId[size_t(ids[i])] = fileIds[i];
    m_modified = false;
    m_fileIsNew = false;
}

QVariant ClientTable::coerce(int field, const QVariant& value) const
{
    if (field < 0 || field >= fieldCount())
        throw TableError(m_native, QStringLiteral("no field number %1").arg(field));
    try {
        return FieldValue::coerce(m_schema.fields[size_t(field)], value,
                                  m_overflow == StringOverflow::Truncate);
    } catch (const TableError& e) {
        throw TableError(m_native, e.reason());
    }
}

int ClientTable::compareRows(const std::vector<int>& fields, int a, int b) const
{
    for (int f : fields) {
        const int c =
            FieldValue::compareInline(m_schema.fields[size_t(f)].type, cell(a, f), cell(b, f));
        if (c != 0)
            return c;
    }
    return a < b ? -1 : (a > b ? 1 : 0);
}

const std::vector<int>& ClientTable::orderBy(const std::vector<int>& fields) const
{
    for (const auto& order : m_orders) {
        if (order->fields == fields)
            return order->rows;
    }
    auto order = std::make_unique<Order>();
    order->fields = fields;
    order->rows.reserve(size_t(m_liveCount));
    for (size_t id = 0; id < m_alive.size(); ++id) {
        if (m_alive[id])
            order->rows.push_back(int(id));
    }
    std::sort(order->rows.begin(), order->rows.end(),
              [&](int a, int b) { return compareRows(fields, a, b) < 0; });
    m_orders.push_back(std::move(order));
    return m_orders.back()->rows;
}

void ClientTable::validate(const std::vector<Change>& changes) const
{
    if (!m_open)
        throw TableError(QStringLiteral("the table is not open"));
    if (m_mode == OpenMode::ReadOnly)
        throw TableError(m_native, QStringLiteral("the table is open read-only"));
    for (const Change& c : changes) {
        if (c.kind != Change::Insert && !isLive(c.rowId))
            throw TableError(m_native, QStringLiteral("the row no longer exists"));
        if (c.kind != Change::Delete && c.values.size() != m_schema.fields.size())
            throw TableError(m_native, QStringLiteral("a row needs a value for every field"));
    }
    // Keys are compared in canonical form, whatever the caller passed.
    std::vector<Change> canonical = changes;
    for (Change& c : canonical) {
        if (c.kind != Change::Delete) {
            for (int f = 0; f < fieldCount(); ++f)
                c.values[size_t(f)] = coerce(f, c.values[size_t(f)]);
        }
    }
    checkUnique(canonical);
}

namespace {
bool sameKey(const TableSchema& s, const std::vector<int>& fields, const std::vector<QVariant>& x,
             const std::vector<QVariant>& y)
{
    for (int f : fields) {
        if (FieldValue::compare(s.fields[size_t(f)].type, x[size_t(f)], y[size_t(f)]) != 0)
            return false;
    }
    return true;
}
} // namespace

void ClientTable::checkUnique(const std::vector<Change>& changes) const
{
    for (const IndexDef& idx : m_schema.indexes) {
        if (!idx.unique)
            continue;
        std::vector<int> fields;
        for (const QString& name : idx.fields)
            fields.push_back(m_schema.fieldIndex(name));
        const std::vector<int>& rows = orderBy(fields);
        for (size_t i = 0; i < changes.size(); ++i) {
            const Change& c = changes[i];
            if (c.kind == Change::Delete)
                continue;
            // Rows of the table with this key, other than the row itself and
            // rows that this batch deletes or rewrites.
            auto keyLess = [&](int row, const std::vector<QVariant>& key) {
                for (int f : fields) {
                    const int r = FieldValue::compareInline(m_schema.fields[size_t(f)].type,
                                                            cell(row, f), key[size_t(f)]);
                    if (r != 0)
                        return r < 0;
                }
                return false;
            };
            auto it = std::lower_bound(rows.begin(), rows.end(), c.values, keyLess);
            bool clash = false;
            for (; it != rows.end() && !clash; ++it) {
                std::vector<QVariant> rowValues(m_schema.fields.size());
                for (int f : fields)
                    rowValues[size_t(f)] = cell(*it, f);
                if (!sameKey(m_schema, fields, rowValues, c.values))
                    break;
                bool replaced = *it == c.rowId;
                for (const Change& other : changes)
                    replaced = replaced || (other.kind != Change::Insert && other.rowId == *it);
                clash = !replaced;
            }
            for (size_t j = 0; j < i && !clash; ++j) {
                clash = changes[j].kind != Change::Delete &&
                        sameKey(m_schema, fields, changes[j].values, c.values);
            }
            if (clash) {
                QStringList key;
                for (int f : fields)
                    key << FieldValue::toText(m_schema.fields[size_t(f)].type, c.values[size_t(f)]);
                throw TableError(m_native, QStringLiteral("key violation: index %1 already holds "
                                                          "the key (%2)")
                                               .arg(idx.name, key.join(QStringLiteral(", "))));
            }
        }
    }
}

void ClientTable::applyInMemory(Change& change)
{
    const size_t n = m_schema.fields.size();
    auto unindex = [&](int rowId) {
        for (auto& order : m_orders) {
            auto it = std::find(order->rows.begin(), order->rows.end(), rowId);
            if (it != order->rows.end())
                order->rows.erase(it);
        }
    };
    auto index = [&](int rowId) {
        for (auto& order : m_orders) {
            auto it =
                std::lower_bound(order->rows.begin(), order->rows.end(), rowId, [&](int a, int b) {
                    return compareRows(order->fields, a, b) < 0;
                });
            order->rows.insert(it, rowId);
        }
    };
    switch (change.kind) {
    case Change::Insert:
        change.rowId = int(m_alive.size());
        for (size_t f = 0; f < n; ++f)
            m_cells.push_back(change.values[f]);
        m_alive.push_back(1);
        m_fileRowId.push_back(0);
        ++m_liveCount;
        index(change.rowId);
        break;
    case Change::Update:
        unindex(change.rowId);
        std::copy(change.values.begin(), change.values.end(),
                  m_cells.begin() + ptrdiff_t(size_t(change.rowId) * n));
        index(change.rowId);
        break;
    case Change::Delete:
        unindex(change.rowId);
        m_alive[size_t(change.rowId)] = 0;
        for (size_t f = 0; f < n; ++f)
            m_cells[size_t(change.rowId) * n + f] = QVariant();
        --m_liveCount;
        break;
    }
}

void ClientTable::commit(std::vector<Change>& changes)
{
    for (Change& c : changes) {
        if (c.kind != Change::Delete && c.values.size() == m_schema.fields.size()) {
            for (int f = 0; f < fieldCount(); ++f)
                c.values[size_t(f)] = coerce(f, c.values[size_t(f)]);
        }
    }
    validate(changes);
    // The file first: a row-level write of exactly these changes.
    QString writeError;
    const bool writeThrough = m_store && m_store->isOpen() && !m_modified && !m_fileIsNew;
    std::vector<TableStore::RowWrite> writes;
    if (writeThrough) {
        for (const Change& c : changes) {
            TableStore::RowWrite w;
            w.remove = c.kind == Change::Delete;
            w.fileRowId = c.kind == Change::Insert ? 0 : m_fileRowId[size_t(c.rowId)];
            w.values = &c.values;
            writes.push_back(w);
        }
        try {
            m_store->writeChanges(m_schema, writes);
        } catch (const TableError& e) {
            writeError = e.reason();
        }
    }
    for (size_t i = 0; i < changes.size(); ++i) {
        applyInMemory(changes[i]);
        if (writeThrough && writeError.isEmpty() && changes[i].kind == Change::Insert)
            m_fileRowId[size_t(changes[i].rowId)] = writes[i].fileRowId;
    }
    if (!writeThrough)
        m_modified = true;
    for (const Change& c : changes) {
        for (TableObserver* observer : std::vector<TableObserver*>(m_observers))
            observer->tableRowChanged(c.rowId);
    }
    if (!m_native.isEmpty() && m_fileIsNew && writeError.isEmpty()) {
        // The first change of a table without a file creates the file.
        try {
            writeWhole(m_native);
        } catch (const TableError& e) {
            writeError = e.reason();
        }
    }
    if (!writeError.isEmpty()) {
        m_modified = true;
        throw TableError(m_native, QStringLiteral("the change is kept in memory but could not be "
                                                  "written: ") +
                                       writeError);
    }
}
