#include "ClientTable.h"

#include "FieldValue.h"
#include "TableObserver.h"
#include "TableStore.h"
#include "WinPath.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>

// A table loading in stages: the file stays open on one snapshot until the
// whole table is read.
// Rows take the slot of their file row id, so that a row keeps its id from
// the subset to the whole table; slots read but not yet shown are marked 2
// in m_alive.
struct ClientTable::StagedLoad
{
    std::unique_ptr<TableStore> store;
    int field = -1;           // the subset's field, -1 before loadSubset()
    std::vector<int> covered; // its values, sorted
    bool reading = false;     // the whole table is being read
};

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
    m_cells.reset(m_schema);
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
    if (m_open || m_staged)
        close();
    const QString native = WinPath::toNative(path);
    if (!QFileInfo::exists(native)) {
        if (mode == OpenMode::ReadWrite && expected) {
            expected->validate();
            clearRows();
            m_schema = *expected;
            m_cells.reset(m_schema);
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

TableSchema ClientTable::readCheckedSchema(TableStore& store, const QString& native,
                                           const TableSchema* expected) const
{
    TableSchema schema = store.readSchema();
    if (expected) {
        checkAgainst(native, schema, *expected);
        for (const IndexDef& idx : expected->indexes) {
            if (!schema.index(idx.name))
                schema.indexes.push_back(idx);
        }
    }
    return schema;
}

void ClientTable::load(const QString& native, const TableSchema* expected, OpenMode mode)
{
    auto store = std::make_unique<TableStore>();
    store->open(native, mode == OpenMode::ReadOnly);
    TableSchema schema = readCheckedSchema(*store, native, expected);
    ColumnStore cells;
    std::vector<qint64> ids;
    // Read-only tables are never written back: they need no file row ids.
    const bool writable = mode == OpenMode::ReadWrite;
    store->loadRows(schema, cells, writable ? &ids : nullptr, writable);
    clearRows();
    m_schema = std::move(schema);
    m_cells = std::move(cells);
    m_fileRowId = std::move(ids);
    m_alive.assign(size_t(m_cells.rowCount()), 1);
    m_liveCount = m_cells.rowCount();
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
    m_cells.reset(m_schema);
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
    m_staged.reset();
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

// The live rows in file order, as whole-table writes read them.
class ClientTable::LiveRows : public TableStore::Rows
{
public:
    explicit LiveRows(const ClientTable& table) : m_table(table)
    {
        m_ids.reserve(size_t(table.m_liveCount));
        for (size_t id = 0; id < table.m_alive.size(); ++id) {
            if (table.m_alive[id] == 1)
                m_ids.push_back(int(id));
        }
    }
    size_t count() const override { return m_ids.size(); }
    void read(size_t row, std::vector<QVariant>& values) const override
    {
        values.resize(size_t(m_table.fieldCount()));
        for (int f = 0; f < m_table.fieldCount(); ++f)
            values[size_t(f)] = m_table.m_cells.value(m_ids[row], f);
    }
    const std::vector<int>& ids() const { return m_ids; }

private:
    const ClientTable& m_table;
    std::vector<int> m_ids;
};

size_t ClientTable::memoryUsed() const
{
    size_t total = m_cells.memoryUsed() + m_alive.capacity() + m_fileRowId.capacity() * 8;
    for (const auto& order : m_orders)
        total += order->rows.capacity() * sizeof(int);
    return total;
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
    finishLoading();
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
    const LiveRows rows(*this);
    const std::vector<int>& ids = rows.ids();
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
    m_fileRowId.assign(m_alive.size(), 0);
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
        const int c = m_cells.compare(f, a, b);
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
        if (m_alive[id] == 1)
            order->rows.push_back(int(id));
    }
    std::sort(order->rows.begin(), order->rows.end(),
              [&](int a, int b) { return compareRows(fields, a, b) < 0; });
    m_orders.push_back(std::move(order));
    return m_orders.back()->rows;
}

const OrderedKeys& ClientTable::orderedKeys(const std::vector<int>& fields) const
{
    const std::vector<int>& rows = orderBy(fields);
    for (const auto& order : m_orders) {
        if (order->fields == fields) {
            if (!order->keys.isBuilt())
                order->keys.build(m_cells, fields, rows);
            return order->keys;
        }
    }
    static const OrderedKeys none;
    return none;
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
            auto compareToKey = [&](int row) {
                for (int f : fields) {
                    const int r = m_cells.compare(f, row, c.values[size_t(f)]);
                    if (r != 0)
                        return r;
                }
                return 0;
            };
            auto it = std::partition_point(rows.begin(), rows.end(),
                                           [&](int row) { return compareToKey(row) < 0; });
            bool clash = false;
            for (; it != rows.end() && !clash; ++it) {
                if (compareToKey(*it) != 0)
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
    for (auto& order : m_orders)
        order->keys.clear();
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
        change.rowId = m_cells.appendRow(change.values);
        m_alive.push_back(1);
        m_fileRowId.push_back(0);
        ++m_liveCount;
        index(change.rowId);
        break;
    case Change::Update:
        unindex(change.rowId);
        m_cells.setRow(change.rowId, change.values);
        index(change.rowId);
        break;
    case Change::Delete:
        unindex(change.rowId);
        m_alive[size_t(change.rowId)] = 0;
        m_cells.clearRow(change.rowId);
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

int ClientTable::rowCount() const
{
    if (m_staged)
        const_cast<ClientTable*>(this)->finishLoading(); // the rows, not a part of them
    return m_liveCount;
}

int ClientTable::rowSlots() const
{
    if (m_staged)
        const_cast<ClientTable*>(this)->finishLoading();
    return int(m_alive.size());
}

// ---------------------------------------------------------- staged loading

void ClientTable::openStaged(const QString& path, const TableSchema* expected)
{
    if (m_open || m_staged)
        close();
    const QString native = WinPath::toNative(path);
    if (!QFileInfo::exists(native))
        throw TableError(native, QStringLiteral("the file does not exist"));
    auto staged = std::make_unique<StagedLoad>();
    staged->store = std::make_unique<TableStore>();
    staged->store->open(native, true);
    staged->store->holdSnapshot();
    TableSchema schema = readCheckedSchema(*staged->store, native, expected);
    qint64 count = 0, maxRowId = 0;
    staged->store->rowIdRange(&count, &maxRowId);
    if (maxRowId > 2 * count + 1024 || maxRowId > 50000000) {
        // Row ids far apart (many rows deleted): slots would waste memory.
        staged.reset();
        open(path, OpenMode::ReadOnly, expected);
        return;
    }
    clearRows();
    m_schema = std::move(schema);
    m_cells.reset(m_schema);
    m_cells.resize(int(maxRowId));
    m_alive.assign(size_t(maxRowId), 0);
    m_staged = std::move(staged);
    m_path = path;
    m_native = native;
    m_mode = OpenMode::ReadOnly;
    m_fileIsNew = false;
    m_modified = false;
    m_open = true;
    notifyOpened();
}

void ClientTable::loadSubset(const QString& field, std::vector<int> values)
{
    if (!m_staged || m_staged->reading)
        return;
    const int f = m_schema.fieldIndex(field);
    if (f < 0 || (m_schema.fields[size_t(f)].type != FieldType::Int32 &&
                  m_schema.fields[size_t(f)].type != FieldType::Int16))
        throw TableError(m_native, QStringLiteral("no integer field %1 to load by").arg(field));
    // The rows of the lowest and highest value come too, so that first()
    // and last() are right before the rest arrives.
    m_staged->store->readSubset(m_schema, m_cells, m_schema.fields[size_t(f)].name, values,
                                &m_alive);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    m_staged->field = f;
    m_staged->covered = std::move(values);
    showArrivedRows();
}

int ClientTable::stagedField() const
{
    return m_staged ? m_staged->field : -1;
}

bool ClientTable::covers(int field, int value) const
{
    if (!m_staged)
        return m_open;
    return field == m_staged->field &&
           std::binary_search(m_staged->covered.begin(), m_staged->covered.end(), value);
}

bool ClientTable::loadMore(int budgetMs)
{
    if (!m_staged)
        return true;
    StagedLoad& s = *m_staged;
    QElapsedTimer clock;
    clock.start();
    try {
        if (!s.reading) {
            s.store->startReading(m_schema, m_cells, nullptr, false, true);
            s.reading = true;
        }
        while (s.store->readRows(m_schema, m_cells, nullptr, 1024, &m_alive)) {
            if (clock.elapsed() >= budgetMs)
                return false;
        }
    } catch (const TableError& e) {
        failStaged(e.message());
        return true;
    }
    m_staged.reset(); // the file is closed before anyone hears of the rows
    showArrivedRows();
    return true;
}

void ClientTable::finishLoading()
{
    while (m_staged && !loadMore(1 << 30)) {
    }
}

void ClientTable::failStaged(const QString& message)
{
    m_staged.reset();
    close();
    if (m_onLoadError)
        m_onLoadError(message);
}

// Rows read in the background join the table at once.
void ClientTable::showArrivedRows()
{
    int live = 0;
    for (quint8& slot : m_alive) {
        if (slot == 2)
            slot = 1;
        live += slot;
    }
    m_liveCount = live;
    m_orders.clear();
    for (TableObserver* observer : std::vector<TableObserver*>(m_observers))
        observer->tableRowsArrived();
}
