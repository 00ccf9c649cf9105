#include "ChangeBuffer.h"

#include "TableViewRows.h"

#include <algorithm>

int ChangeBuffer::count() const
{
    int n = int(m_edits.size() + m_deletes.size());
    for (const auto& row : m_inserts)
        n += row.empty() ? 0 : 1;
    return n;
}

bool ChangeBuffer::touches(int rowId) const
{
    if (rowId < 0)
        return true;
    return m_edits.count(rowId) > 0 || isDeleted(rowId);
}

bool ChangeBuffer::isDeleted(int rowId) const
{
    return std::find(m_deletes.begin(), m_deletes.end(), rowId) != m_deletes.end();
}

const std::vector<QVariant>& ChangeBuffer::inserted(int rowId) const
{
    return m_inserts[size_t(pendingIndex(rowId))];
}

bool ChangeBuffer::hasInsert(int rowId) const
{
    const int i = pendingIndex(rowId);
    return i >= 0 && i < int(m_inserts.size()) && !m_inserts[size_t(i)].empty();
}

int ChangeBuffer::store(int rowId, std::vector<QVariant> values)
{
    if (rowId == kNewRow) {
        m_inserts.push_back(std::move(values));
        return pendingRowId(int(m_inserts.size()) - 1);
    }
    if (rowId < 0)
        m_inserts[size_t(pendingIndex(rowId))] = std::move(values);
    else
        m_edits[rowId] = std::move(values);
    return rowId;
}

void ChangeBuffer::remove(int rowId, bool liveInTable)
{
    if (rowId < 0) {
        m_inserts[size_t(pendingIndex(rowId))].clear();
    } else if (liveInTable) {
        m_edits.erase(rowId);
        m_deletes.push_back(rowId);
    }
}

void ChangeBuffer::forget(int rowId)
{
    m_edits.erase(rowId);
    std::erase(m_deletes, rowId);
}

std::vector<int> ChangeBuffer::overlayRows() const
{
    std::vector<int> rows;
    for (const auto& entry : m_edits)
        rows.push_back(entry.first);
    for (size_t i = 0; i < m_inserts.size(); ++i)
        rows.push_back(pendingRowId(int(i)));
    return rows;
}

std::vector<ClientTable::Change>
ChangeBuffer::changes(const ClientTable& table, std::vector<std::pair<int, size_t>>* inserts) const
{
    std::vector<ClientTable::Change> batch;
    for (const auto& [row, values] : m_edits) {
        if (table.isLive(row))
            batch.push_back({ClientTable::Change::Update, row, values});
    }
    for (int row : m_deletes) {
        if (table.isLive(row))
            batch.push_back({ClientTable::Change::Delete, row, {}});
    }
    for (size_t i = 0; i < m_inserts.size(); ++i) {
        if (m_inserts[i].empty())
            continue;
        if (inserts)
            inserts->push_back({pendingRowId(int(i)), batch.size()});
        batch.push_back({ClientTable::Change::Insert, -1, m_inserts[i]});
    }
    return batch;
}

void ChangeBuffer::clear()
{
    m_edits.clear();
    m_deletes.clear();
    m_inserts.clear();
}
