// Navigation, lookup, editing and the change buffer of TableView.
#include "ClientTable.h"
#include "FieldValue.h"
#include "TableView.h"
#include "TableViewRows.h"

#include <algorithm>

// ------------------------------------------------------------- navigation

int TableView::recordCount() const
{
    return isActive() ? int(m_rows.size()) : 0;
}

int TableView::recNo() const
{
    return m_pos + 1;
}

int TableView::currentRowId() const
{
    if (m_pos < 0 || m_pos >= int(m_rows.size()))
        return -1;
    return m_rows[size_t(m_pos)];
}

int TableView::rowIdAt(int recNo) const
{
    if (!isActive() || recNo < 1 || recNo > int(m_rows.size()))
        return -1;
    return m_rows[size_t(recNo - 1)];
}

void TableView::moveTo(int position)
{
    m_pos = m_rows.empty() ? -1 : std::clamp(position, 0, int(m_rows.size()) - 1);
}

void TableView::scrolled()
{
    for (TableView* detail : std::vector<TableView*>(m_details))
        detail->masterMoved();
    if (m_afterScroll && isActive())
        m_afterScroll(*this);
}

void TableView::dataChanged()
{
    if (m_onDataChange && isActive())
        m_onDataChange(*this);
}

void TableView::checkBrowse()
{
    if (m_editState == State::Edit || m_editState == State::Insert)
        post();
}

void TableView::setRecNo(int recNo)
{
    if (!isActive() || m_rows.empty())
        return;
    checkBrowse();
    moveTo(recNo - 1);
    m_bof = m_eof = false;
    scrolled();
}

void TableView::first()
{
    if (!isActive())
        return;
    checkBrowse();
    moveTo(0);
    m_bof = true;
    m_eof = m_rows.empty();
    scrolled();
}

void TableView::last()
{
    if (!isActive())
        return;
    checkBrowse();
    moveTo(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.empty();
    scrolled();
}

void TableView::next()
{
    if (!isActive())
        return;
    checkBrowse();
    if (m_pos + 1 < int(m_rows.size())) {
        ++m_pos;
        m_bof = m_eof = false;
        scrolled();
    } else {
        m_eof = true;
        m_bof = m_rows.empty();
    }
}

void TableView::prior()
{
    if (!isActive())
        return;
    checkBrowse();
    if (m_pos > 0) {
        --m_pos;
        m_bof = m_eof = false;
        scrolled();
    } else {
        m_bof = true;
        m_eof = m_rows.empty();
    }
}

// ----------------------------------------------------------------- lookup

bool TableView::findKey(const QVariantList& keyPrefix)
{
    if (!isActive())
        return false;
    checkBrowse();
    coerceKeyInto(keyPrefix, m_keyScratch);
    const std::vector<QVariant>& key = m_keyScratch;
    auto lo = m_rows.begin(), hi = m_rows.end();
    size_t from = 0; // key fields already matched through the lead array
    if (!key.empty() && m_lead.size() != m_rows.size())
        rebuildLead();
    if (!key.empty() && leadUsable()) {
        from = 1;
        const int first = key[0].isValid() ? *static_cast<const int*>(key[0].constData()) : 0;
        const auto range = std::equal_range(m_lead.begin(), m_lead.end(), first);
        lo = m_rows.begin() + (range.first - m_lead.begin());
        hi = m_rows.begin() + (range.second - m_lead.begin());
    }
    auto it = std::partition_point(lo, hi, [&](int row) { return compareKey(row, key, from) < 0; });
    if (it == hi || compareKey(*it, key, from) != 0)
        return false;
    moveTo(int(it - m_rows.begin()));
    m_bof = m_eof = false;
    scrolled();
    return true;
}

void TableView::findNearest(const QVariantList& keyPrefix)
{
    if (!isActive() || m_rows.empty())
        return;
    checkBrowse();
    const std::vector<QVariant> key = coerceKey(keyPrefix);
    auto it = std::partition_point(m_rows.begin(), m_rows.end(),
                                   [&](int row) { return compareKey(row, key) < 0; });
    moveTo(it == m_rows.end() ? int(m_rows.size()) - 1 : int(it - m_rows.begin()));
    m_bof = m_eof = false;
    scrolled();
}

bool TableView::locate(const QStringList& fields, const QVariantList& values, bool caseInsensitive)
{
    if (fields.size() != values.size())
        throw TableError(QStringLiteral("locate needs one value per field"));
    std::vector<int> positions;
    for (const QString& name : fields)
        positions.push_back(requireField(name));
    if (!isActive())
        return false;
    checkBrowse();
    std::vector<QVariant> wanted;
    for (size_t i = 0; i < positions.size(); ++i) {
        FieldDef def = fieldDef(positions[i]);
        def.width = 0;
        try {
            wanted.push_back(FieldValue::coerce(def, values[qsizetype(i)]));
        } catch (const TableError&) {
            return false; // a value the field cannot hold matches no row
        }
    }
    // Exact values on the leading order fields: a binary search.
    bool keyed = !caseInsensitive && positions.size() <= m_order.size();
    for (size_t i = 0; keyed && i < positions.size(); ++i)
        keyed = positions[i] == m_order[i];
    if (keyed) {
        QVariantList key;
        for (const QVariant& v : wanted)
            key << v;
        return findKey(key);
    }
    QVariant scratch;
    for (size_t p = 0; p < m_rows.size(); ++p) {
        bool match = true;
        for (size_t i = 0; i < positions.size() && match; ++i) {
            const QVariant& v = valueRef(m_rows[p], positions[i], scratch);
            const FieldDef def = fieldDef(positions[i]);
            if (caseInsensitive && def.type == FieldType::String)
                match =
                    QString::compare(v.toString(), wanted[i].toString(), Qt::CaseInsensitive) == 0;
            else
                match = FieldValue::compare(def.type, v, wanted[i]) == 0;
        }
        if (match) {
            moveTo(int(p));
            m_bof = m_eof = false;
            scrolled();
            return true;
        }
    }
    return false;
}

double TableView::sum(const QString& field) const
{
    const int f = requireField(field);
    const FieldDef def = fieldDef(f);
    if (!FieldValue::isNumeric(def.type))
        throw TableError(QStringLiteral("field %1 is not numeric and cannot be summed").arg(field));
    if (!isActive())
        return 0.0;
    double total = 0.0;
    QVariant scratch;
    for (int row : m_rows)
        total += valueRef(row, f, scratch).toDouble();
    return total;
}

// ---------------------------------------------------------------- editing

void TableView::requireWritable() const
{
    if (!isActive())
        throw TableError(QStringLiteral("view %1 is not open").arg(m_name));
    if (m_table->isReadOnly())
        throw TableError(m_table->nativePath(), QStringLiteral("the table is open read-only"));
}

void TableView::append()
{
    requireWritable();
    checkBrowse();
    m_editBuffer.assign(size_t(m_table->fieldCount()), QVariant());
    m_editRow = kNewRow;
    m_editState = State::Insert;
    m_editDirty = false;
    if (m_onNewRecord) {
        try {
            m_onNewRecord(*this);
        } catch (...) {
            cancel();
            throw;
        }
    }
}

void TableView::edit()
{
    requireWritable();
    if (m_editState == State::Edit || m_editState == State::Insert)
        return;
    const int row = currentRowId();
    if (row == -1)
        throw TableError(m_table->nativePath(), QStringLiteral("there is no row to edit"));
    m_editBuffer.clear();
    for (int f = 0; f < m_table->fieldCount(); ++f)
        m_editBuffer.push_back(storedValue(row, f));
    m_editRow = row;
    m_editState = State::Edit;
    m_editDirty = false;
}

void TableView::setValue(const QString& field, const QVariant& value)
{
    const int f = requireField(field);
    if (f >= m_table->fieldCount())
        throw TableError(QStringLiteral("field %1 is calculated and cannot be set").arg(field));
    if (m_editState != State::Edit && m_editState != State::Insert)
        throw TableError(m_table->nativePath(),
                         QStringLiteral("cannot set %1: the row is not being edited").arg(field));
    m_editBuffer[size_t(f)] = m_table->coerce(f, value);
    m_editDirty = true;
}

void TableView::cancel()
{
    if (m_editState != State::Edit && m_editState != State::Insert)
        return;
    m_editState = State::Browse;
    m_editBuffer.clear();
    m_editDirty = false;
    m_editRow = -1;
}

void TableView::storeCached(std::vector<QVariant> values)
{
    int rowId = m_editRow;
    if (rowId == kNewRow) {
        m_pendingInserts.push_back(std::move(values));
        rowId = -2 - int(m_pendingInserts.size() - 1);
    } else if (rowId < 0) {
        m_pendingInserts[size_t(pendingIndex(rowId))] = std::move(values);
    } else {
        m_pendingEdits[rowId] = std::move(values);
    }
    cancel();
    updateRow(rowId);
    const int at = findPosition(rowId);
    if (at >= 0 && at != m_pos) {
        m_pos = at;
        scrolled();
    }
}

void TableView::post()
{
    if (m_editState != State::Edit && m_editState != State::Insert)
        return;
    if (m_beforePost)
        m_beforePost(*this); // may adjust values, or throw to refuse the post
    if (m_cached) {
        storeCached(m_editBuffer);
        if (m_afterPost)
            m_afterPost(*this);
        return;
    }
    std::vector<ClientTable::Change> changes(1);
    ClientTable::Change& change = changes.front();
    change.kind =
        m_editState == State::Insert ? ClientTable::Change::Insert : ClientTable::Change::Update;
    change.rowId = m_editState == State::Insert ? -1 : m_editRow;
    change.values = m_editBuffer;
    m_table->validate(changes); // a refused row stays in the editor
    const int before = currentRowId();
    cancel();
    QString failure;
    try {
        m_table->commit(changes);
    } catch (const TableError& e) {
        failure = e.message(); // kept in memory; the next save retries
    }
    const int at = findPosition(change.rowId);
    if (at >= 0 && at != m_pos) {
        m_pos = at;
        m_bof = m_eof = false;
    }
    if (currentRowId() != before)
        scrolled();
    if (!failure.isEmpty())
        throw TableError(failure);
    if (m_afterPost)
        m_afterPost(*this);
}

void TableView::remove()
{
    requireWritable();
    if (m_editState == State::Insert) {
        cancel();
        return;
    }
    cancel();
    const int row = currentRowId();
    if (row == -1)
        throw TableError(m_table->nativePath(), QStringLiteral("there is no row to delete"));
    if (m_beforeDelete)
        m_beforeDelete(*this); // may throw to keep the row
    if (m_cached) {
        if (row < 0) {
            m_pendingInserts[size_t(pendingIndex(row))].clear();
        } else if (m_table->isLive(row)) {
            m_pendingEdits.erase(row);
            m_pendingDeletes.push_back(row);
        }
        updateRow(row);
    } else if (m_table->isLive(row)) {
        std::vector<ClientTable::Change> changes(1);
        changes.front().kind = ClientTable::Change::Delete;
        changes.front().rowId = row;
        m_table->commit(changes);
    }
    if (m_afterDelete)
        m_afterDelete(*this);
}

// ---------------------------------------------------------- change buffer

void TableView::setCachedUpdates(bool on)
{
    if (m_cached && !on)
        applyUpdates();
    m_cached = on;
}

int TableView::pendingUpdates() const
{
    int count = int(m_pendingEdits.size() + m_pendingDeletes.size());
    for (const auto& row : m_pendingInserts)
        count += row.empty() ? 0 : 1;
    return count;
}

void TableView::applyUpdates()
{
    checkBrowse();
    if (pendingUpdates() == 0) {
        m_pendingInserts.clear();
        return;
    }
    std::vector<ClientTable::Change> changes;
    for (const auto& [row, values] : m_pendingEdits) {
        if (m_table->isLive(row))
            changes.push_back({ClientTable::Change::Update, row, values});
    }
    for (int row : m_pendingDeletes) {
        if (m_table->isLive(row))
            changes.push_back({ClientTable::Change::Delete, row, {}});
    }
    std::vector<std::pair<int, size_t>> inserted; // pending row id -> change
    for (size_t i = 0; i < m_pendingInserts.size(); ++i) {
        if (m_pendingInserts[i].empty())
            continue;
        inserted.push_back({-2 - int(i), changes.size()});
        changes.push_back({ClientTable::Change::Insert, -1, m_pendingInserts[i]});
    }
    m_table->validate(changes); // refused: the buffer stays as it is
    int current = currentRowId();
    m_pendingEdits.clear();
    m_pendingDeletes.clear();
    m_pendingInserts.clear();
    m_rows.clear(); // pending row ids are gone; rebuilt below
    m_pos = -1;
    QString failure;
    try {
        m_table->commit(changes);
    } catch (const TableError& e) {
        failure = e.message();
    }
    for (const auto& [pending, index] : inserted) {
        if (pending == current)
            current = changes[index].rowId;
    }
    rebuild(false);
    const int at = current == -1 ? -1 : findPosition(current);
    if (at >= 0) {
        m_pos = at;
        m_bof = m_eof = false;
    }
    dataChanged();
    if (!failure.isEmpty())
        throw TableError(failure);
}

void TableView::cancelUpdates()
{
    cancel();
    m_pendingEdits.clear();
    m_pendingDeletes.clear();
    m_pendingInserts.clear();
    if (isActive()) {
        rebuild(true);
        dataChanged();
    }
}
