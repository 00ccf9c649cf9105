#include "TableView.h"

#include "ClientTable.h"
#include "FieldValue.h"
#include "FilterExpr.h"
#include "TableViewRows.h"

#include <algorithm>

// Filters read rows through the view, so that they see buffered changes and
// calculated fields.
class TableView::FilterSource : public FilterExpr::Source
{
public:
    explicit FilterSource(const TableView& view) : m_view(view) {}
    const QVariant& value(int rowId, int field, QVariant& scratch) const override
    {
        return m_view.valueRef(rowId, field, scratch);
    }
    bool compareField(int rowId, int field, const QVariant& constant, int* result) const override
    {
        // Stored cells compare in place; buffered and calculated values
        // through value().
        if (field >= m_view.m_table->fieldCount() || m_view.bufferedRow(rowId))
            return false;
        *result = m_view.m_table->columns().compare(field, rowId, constant);
        return true;
    }

private:
    const TableView& m_view;
};

// ---------------------------------------------------------------- records

QVariant TableRecord::value(const QString& field) const
{
    const int f = m_view->fieldIndex(field);
    if (f < 0)
        throw TableError(m_view->file(), QStringLiteral("no such field: %1").arg(field));
    return m_view->rowValue(m_row, f);
}

QVariant TableRecord::value(int field) const
{
    return m_view->rowValue(m_row, field);
}

// ------------------------------------------------------------- life cycle

TableView::TableView(ClientTable& table, const QString& name) : m_table(&table), m_name(name)
{
    table.addObserver(this);
    if (table.isOpen())
        tableOpened();
}

TableView::~TableView()
{
    if (m_table)
        m_table->removeObserver(this);
    if (m_master)
        std::erase(m_master->m_details, this);
    for (TableView* detail : m_details) {
        detail->m_master = nullptr;
        detail->m_rows.clear();
        detail->m_pos = -1;
    }
}

const QString& TableView::file() const
{
    static const QString none;
    return m_table ? m_table->nativePath() : none;
}

TableView::State TableView::state() const
{
    if (!m_table || !m_table->isOpen())
        return State::Inactive;
    switch (m_edit.mode()) {
    case EditBuffer::Mode::Edit:
        return State::Edit;
    case EditBuffer::Mode::Insert:
        return State::Insert;
    case EditBuffer::Mode::None:
        break;
    }
    return State::Browse;
}

void TableView::tableOpened()
{
    m_edit.clear();
    m_changes.clear();
    m_rows.clear();
    m_pos = -1;
    QString error;
    try {
        m_order.resolve(m_table->schema(), file());
    } catch (const TableError& e) {
        m_order.clearResolved();
        error = e.message();
    }
    try {
        if (m_filterExpr)
            bindFilter(m_filterExpr);
    } catch (const TableError& e) {
        m_filterExpr.reset(); // the view stays empty rather than unfiltered
        m_filterText.clear();
        if (error.isEmpty())
            error = e.message();
        rebuild(false);
        m_rows.clear();
        m_pos = -1;
        throw TableError(error);
    }
    rebuild(false);
    scrolled();
    if (!error.isEmpty())
        throw TableError(error);
}

void TableView::tableClosing()
{
    m_rows.clear();
    m_pos = -1;
    m_bof = m_eof = true;
    m_edit.clear();
    m_changes.clear();
    for (TableView* detail : std::vector<TableView*>(m_details))
        detail->masterMoved();
}

void TableView::tableRowsArrived()
{
    const int current = currentRowId();
    rebuild(current != -1); // an empty view starts on its first row
    if (currentRowId() != current)
        scrolled();
    dataChanged();
}

bool TableView::endsCovered() const
{
    const bool filtered = m_filtered && m_filterExpr && !m_filterExpr->isEmpty();
    return !filtered && !m_order.isFileOrder() && !m_cached &&
           m_table->coversEnds(m_order.field(0));
}

bool TableView::keyCovered(const std::vector<QVariant>& key) const
{
    if (key.empty() || m_order.isFileOrder() || key[0].metaType() != QMetaType::fromType<int>())
        return false;
    return m_table->covers(m_order.field(0), *static_cast<const int*>(key[0].constData()));
}

// A restriction to a key the loaded rows do not cover waits for the rest.
void TableView::completeIfUncovered()
{
    std::vector<QVariant> key;
    bool restricted = false;
    if (rangeKey(&key, &restricted) && restricted && !keyCovered(key))
        m_table->finishLoading();
}

void TableView::tableDestroyed()
{
    tableClosing();
    m_table = nullptr;
}

void TableView::tableFlushing()
{
    if (m_edit.isActive())
        post();
    if (pendingUpdates() > 0)
        applyUpdates();
}

void TableView::tableRowChanged(int rowId)
{
    if (!isActive())
        return;
    if (m_cached && rowId >= 0 && m_changes.touches(rowId)) {
        if (!m_table->isLive(rowId)) { // deleted underneath: the buffered change is void
            m_changes.forget(rowId);
            updateRow(rowId);
        }
        return;
    }
    updateRow(rowId);
}

// ----------------------------------------------------------------- fields

int TableView::fieldCount() const
{
    return (m_table ? m_table->fieldCount() : 0) + int(m_calc.size());
}

int TableView::fieldIndex(const QString& name) const
{
    const int stored = m_table ? m_table->schema().fieldIndex(name) : -1;
    if (stored >= 0)
        return stored;
    for (size_t i = 0; i < m_calc.size(); ++i) {
        if (m_calc[i].def.name.compare(name, Qt::CaseInsensitive) == 0)
            return (m_table ? m_table->fieldCount() : 0) + int(i);
    }
    return -1;
}

int TableView::requireField(const QString& name) const
{
    const int f = fieldIndex(name);
    if (f < 0)
        throw TableError(file(), QStringLiteral("no such field: %1").arg(name));
    return f;
}

FieldDef TableView::fieldDef(int field) const
{
    const int stored = m_table ? m_table->fieldCount() : 0;
    if (field >= 0 && field < stored)
        return m_table->schema().fields[size_t(field)];
    if (field >= stored && field < stored + int(m_calc.size()))
        return m_calc[size_t(field - stored)].def;
    return FieldDef();
}

void TableView::addCalculatedField(const FieldDef& def, CalcFunction function)
{
    m_calc.push_back({def, std::move(function)});
}

void TableView::setAutoCalcFields(bool on)
{
    m_autoCalc = on;
    if (isActive() && m_filterExpr) {
        rebuild(true);
        dataChanged();
    }
}

QVariant TableView::storedValue(int rowId, int field) const
{
    if (const std::vector<QVariant>* buffered = bufferedRow(rowId))
        return (*buffered)[size_t(field)];
    return m_table->cell(rowId, field);
}

const QVariant& TableView::valueRef(int rowId, int field, QVariant& scratch) const
{
    if (field < m_table->fieldCount()) {
        if (const std::vector<QVariant>* buffered = bufferedRow(rowId))
            return (*buffered)[size_t(field)];
        scratch = m_table->cell(rowId, field);
        return scratch;
    }
    scratch = rowValue(rowId, field);
    return scratch;
}

QVariant TableView::rowValue(int rowId, int field) const
{
    if (!isActive() || rowId == -1 || field < 0 || field >= fieldCount())
        return QVariant();
    const int stored = m_table->fieldCount();
    if (field < stored)
        return storedValue(rowId, field);
    if (!m_autoCalc)
        return QVariant();
    const CalcField& calc = m_calc[size_t(field - stored)];
    if (!calc.function)
        return QVariant();
    // Filters, sums and lookups compare canonical values only; a calculated
    // text longer than its display width is cut like a stored one would be.
    try {
        return FieldValue::coerce(calc.def, calc.function(TableRecord(*this, rowId)), true);
    } catch (const TableError&) {
        return QVariant();
    }
}

QVariant TableView::value(const QString& field) const
{
    return value(requireField(field));
}

QVariant TableView::value(int field) const
{
    if (m_edit.isActive())
        return rowValue(kEditRow, field);
    return rowValue(currentRowId(), field);
}

// ------------------------------------------------------ order and ranges

// A new order or restriction: the view starts again on its first row.
void TableView::reorder()
{
    if (!isActive())
        return;
    rebuild(false);
    scrolled();
    dataChanged();
}

void TableView::setIndexName(const QString& indexName)
{
    checkBrowse();
    m_order.selectIndex(indexName, isActive() ? &m_table->schema() : nullptr, file());
    reorder();
}

void TableView::setIndexFields(const QStringList& fieldNames)
{
    checkBrowse();
    m_order.selectFields(fieldNames, isActive() ? &m_table->schema() : nullptr, file());
    reorder();
}

QStringList TableView::orderFields() const
{
    return m_table ? m_order.fieldNames(m_table->schema()) : QStringList();
}

void TableView::setRange(const QVariantList& keyPrefix)
{
    checkBrowse();
    std::vector<QVariant> key;
    m_order.coerceKey(m_table->schema(), keyPrefix, key, m_name, file());
    m_order.setRange(std::move(key));
    rebuild(false);
    scrolled();
    dataChanged();
}

void TableView::cancelRange()
{
    m_order.cancelRange();
    rebuild(false);
    scrolled();
    dataChanged();
}

void TableView::setMasterSource(TableView* master, const QStringList& masterFields)
{
    clearMasterSource();
    if (!master)
        return;
    for (TableView* m = master; m; m = m->m_master) {
        if (m == this)
            throw TableError(QStringLiteral("view %1 cannot be its own master").arg(m_name));
    }
    m_master = master;
    m_masterFieldNames = masterFields;
    master->m_details.push_back(this);
    masterMoved();
}

void TableView::clearMasterSource()
{
    if (!m_master)
        return;
    std::erase(m_master->m_details, this);
    m_master = nullptr;
    m_masterFieldNames.clear();
    reorder();
}

void TableView::masterMoved()
{
    if (!isActive())
        return;
    if (m_edit.isActive())
        cancel();
    reorder();
}

// The key prefix the view is restricted to; false when it shows nothing.
bool TableView::rangeKey(std::vector<QVariant>* key, bool* restricted) const
{
    key->clear();
    *restricted = false;
    if (m_master) {
        *restricted = true;
        if (!m_master->isActive() || m_master->currentRowId() == -1 ||
            m_masterFieldNames.size() > qsizetype(m_order.size()))
            return false;
        for (qsizetype i = 0; i < m_masterFieldNames.size(); ++i) {
            const int mf = m_master->fieldIndex(m_masterFieldNames[i]);
            if (mf < 0)
                return false;
            FieldDef def = m_table->schema().fields[size_t(m_order.field(size_t(i)))];
            def.width = 0;
            try {
                key->push_back(FieldValue::coerce(def, m_master->value(mf)));
            } catch (const TableError&) {
                return false;
            }
        }
        return true;
    }
    if (m_order.hasRange()) {
        *restricted = true;
        if (m_order.range().size() > m_order.size())
            return false;
        *key = m_order.range();
    }
    return true;
}

int TableView::compareKey(int rowId, const std::vector<QVariant>& key, size_t from) const
{
    const ColumnStore& cells = m_table->columns();
    const std::vector<QVariant>* buffered = bufferedRow(rowId);
    for (size_t i = from; i < key.size(); ++i) {
        const int f = m_order.field(i);
        const int c = buffered ? FieldValue::compare(m_table->schema().fields[size_t(f)].type,
                                                     (*buffered)[size_t(f)], key[i])
                               : cells.compare(f, rowId, key[i]);
        if (c != 0)
            return c;
    }
    return 0;
}

int TableView::compareOrder(int a, int b) const
{
    const std::vector<QVariant>* bufferedA = bufferedRow(a);
    const std::vector<QVariant>* bufferedB = bufferedRow(b);
    for (int f : m_order.fields()) {
        int c;
        if (!bufferedA && !bufferedB)
            c = m_table->columns().compare(f, a, b);
        else if (!bufferedA)
            c = m_table->columns().compare(f, a, (*bufferedB)[size_t(f)]);
        else if (!bufferedB)
            c = -m_table->columns().compare(f, b, (*bufferedA)[size_t(f)]);
        else
            c = FieldValue::compare(m_table->schema().fields[size_t(f)].type,
                                    (*bufferedA)[size_t(f)], (*bufferedB)[size_t(f)]);
        if (c != 0)
            return c;
    }
    const qint64 ta = tieKey(a), tb = tieKey(b);
    return ta < tb ? -1 : (ta > tb ? 1 : 0);
}

bool TableView::passes(int rowId) const
{
    if (!m_filtered || !m_filterExpr || m_filterExpr->isEmpty())
        return true;
    return m_filterExpr->matches(FilterSource(*this), rowId);
}

bool TableView::isVisibleRow(int rowId, bool restricted, const std::vector<QVariant>& key) const
{
    if (rowId < 0) {
        if (!m_changes.hasInsert(rowId))
            return false;
    } else if (!m_table->isLive(rowId) || m_changes.isDeleted(rowId)) {
        return false;
    }
    if (restricted && compareKey(rowId, key) != 0)
        return false;
    return passes(rowId);
}

// ---------------------------------------------------------------- rebuild

void TableView::rebuild(bool keepPosition)
{
    if (isActive() && !m_table->isComplete())
        completeIfUncovered(); // may reload the table, and this view with it
    const int oldRow = currentRowId();
    const int oldPos = m_pos;
    m_rows.clear();
    m_keys.clear(); // built again by the first keyed lookup that needs it
    m_wholeOrder = false;
    m_pos = -1;
    m_bof = m_eof = true;
    m_provisional = false;
    if (!isActive())
        return;
    std::vector<QVariant> key;
    bool restricted = false;
    if (!rangeKey(&key, &restricted))
        return;
    m_provisional = !m_table->isComplete() && !(restricted && keyCovered(key));
    if (!collectRows(key, restricted))
        return;
    const bool overlay = overlayPending(key, restricted);
    applyFilter(overlay);
    m_wholeOrder = !m_order.isFileOrder() && !restricted && !overlay &&
                   !(m_filtered && m_filterExpr && !m_filterExpr->isEmpty());
    placeCursor(keepPosition, oldRow, oldPos);
}

// The table's rows in view order, within the range; false when a range
// cannot apply (a key on a view in file order).
bool TableView::collectRows(const std::vector<QVariant>& key, bool restricted)
{
    if (m_order.isFileOrder()) {
        if (restricted && !key.empty())
            return false;
        m_rows.reserve(size_t(m_table->loadedRowCount()));
        for (int id = 0; id < m_table->loadedSlots(); ++id) {
            if (m_table->isLive(id))
                m_rows.push_back(id);
        }
        return true;
    }
    const std::vector<int>& ordered = m_table->orderBy(m_order.fields());
    auto lo = ordered.begin(), hi = ordered.end();
    if (restricted && !key.empty()) {
        const ColumnStore& cells = m_table->columns();
        auto baseCompare = [&](int row) {
            for (size_t i = 0; i < key.size(); ++i) {
                const int c = cells.compare(m_order.field(i), row, key[i]);
                if (c != 0)
                    return c;
            }
            return 0;
        };
        lo = std::partition_point(ordered.begin(), ordered.end(),
                                  [&](int row) { return baseCompare(row) < 0; });
        hi = std::partition_point(lo, ordered.end(),
                                  [&](int row) { return baseCompare(row) <= 0; });
    }
    m_rows.assign(lo, hi);
    return true;
}

// Rows of the change buffer replace or join the table's rows, placed by
// their buffered values. True when the buffer held anything.
bool TableView::overlayPending(const std::vector<QVariant>& key, bool restricted)
{
    if (!m_cached || m_changes.isEmpty())
        return false;
    std::erase_if(m_rows, [&](int row) { return m_changes.touches(row); });
    for (int row : m_changes.overlayRows()) {
        if (!isVisibleRow(row, restricted, key))
            continue;
        auto at = std::lower_bound(m_rows.begin(), m_rows.end(), row,
                                   [&](int a, int b) { return compareOrder(a, b) < 0; });
        m_rows.insert(at, row);
    }
    return true;
}

void TableView::applyFilter(bool overlay)
{
    if (!m_filtered || !m_filterExpr || m_filterExpr->isEmpty())
        return;
    const FilterSource source(*this);
    if (!overlay && m_rows.size() * 2 >= size_t(m_table->loadedRowCount())) {
        // Most of the table: evaluate in storage order, which reads the
        // rows' cells sequentially instead of jumping around memory.
        std::vector<char> pass(size_t(m_table->loadedSlots()), 0);
        for (int id = 0; id < m_table->loadedSlots(); ++id)
            pass[size_t(id)] = m_table->isLive(id) && m_filterExpr->matches(source, id);
        std::erase_if(m_rows, [&](int row) { return !pass[size_t(row)]; });
    } else {
        // Buffered rows were filtered when they were placed.
        std::erase_if(m_rows, [&](int row) {
            return (!overlay || !m_changes.touches(row)) && !m_filterExpr->matches(source, row);
        });
    }
}

void TableView::placeCursor(bool keepPosition, int oldRow, int oldPos)
{
    if (m_rows.empty())
        return;
    m_bof = m_eof = false;
    m_pos = 0;
    if (keepPosition) {
        const int found = oldRow == -1 ? -1 : findPosition(oldRow);
        m_pos = found >= 0 ? found : std::clamp(oldPos, 0, int(m_rows.size()) - 1);
    } else {
        m_bof = true;
    }
}

const OrderedKeys* TableView::keysForLookup()
{
    if (m_order.isFileOrder() || !isActive() || !m_changes.isEmpty())
        return nullptr;
    if (m_wholeOrder) {
        const OrderedKeys& keys = m_table->orderedKeys(m_order.fields());
        if (keys.size() == m_rows.size())
            return &keys;
    }
    if (!m_keys.isBuilt())
        m_keys.build(m_table->columns(), m_order.fields(), m_rows);
    return &m_keys;
}

int TableView::findPosition(int rowId) const
{
    auto it = std::find(m_rows.begin(), m_rows.end(), rowId);
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}

// A row changed in the table (or in this view's change buffer): take it out
// of the view and put it back where its values now belong.
void TableView::updateRow(int rowId)
{
    const int current = currentRowId();
    const int oldPos = m_pos;
    const int at = findPosition(rowId);
    m_keys.clear();
    if (at >= 0)
        m_rows.erase(m_rows.begin() + at);
    std::vector<QVariant> key;
    bool restricted = false;
    const bool visible = rangeKey(&key, &restricted) &&
                         (!m_order.isFileOrder() || !restricted || key.empty()) &&
                         isVisibleRow(rowId, restricted, key);
    if (visible) {
        auto pos = std::lower_bound(m_rows.begin(), m_rows.end(), rowId,
                                    [&](int a, int b) { return compareOrder(a, b) < 0; });
        m_rows.insert(pos, rowId);
    }
    if (at < 0 && !visible)
        return;
    repositionAfterUpdate(rowId, current, oldPos, visible);
}

// After updateRow(): the cursor stays on its row, or on the place of the row
// that left; details and hooks hear of a move.
void TableView::repositionAfterUpdate(int rowId, int current, int oldPos, bool visible)
{
    if (m_rows.empty()) {
        m_pos = -1;
        m_bof = m_eof = true;
    } else if (current == rowId) {
        const int found = visible ? findPosition(rowId) : -1;
        m_pos = found >= 0 ? found : std::clamp(oldPos, 0, int(m_rows.size()) - 1);
    } else {
        const int found = current == -1 ? -1 : findPosition(current);
        m_pos = found >= 0 ? found : 0;
    }
    if (!m_rows.empty())
        m_bof = m_eof = false;
    if (currentRowId() != current || current == rowId) {
        if (currentRowId() != current && m_afterScroll)
            m_afterScroll(*this);
        for (TableView* detail : std::vector<TableView*>(m_details))
            detail->masterMoved();
    }
    dataChanged();
}

void TableView::refresh()
{
    rebuild(true);
    dataChanged();
}

// ---------------------------------------------------------------- filters

void TableView::bindFilter(const std::shared_ptr<FilterExpr>& expr) const
{
    expr->bind([this](const QString& name, int* field, FieldDef* def) {
        const int f = fieldIndex(name);
        if (f < 0)
            return false;
        *field = f;
        *def = fieldDef(f);
        return true;
    });
}

void TableView::setFilter(const QString& text)
{
    std::shared_ptr<FilterExpr> expr = FilterExpr::parse(text);
    if (isActive())
        bindFilter(expr);
    checkBrowse();
    m_filterExpr = expr;
    m_filterText = text;
    reorder();
}

void TableView::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    checkBrowse();
    m_filtered = on;
    reorder();
}
