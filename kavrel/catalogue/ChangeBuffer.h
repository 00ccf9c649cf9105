#pragma once

#include "ClientTable.h"

#include <QVariant>
#include <map>
#include <utility>
#include <vector>

// The posts and deletes a view holds back while cached updates are on. Rows
// are addressed as in the view: stored rows by their table row id, pending
// inserts by the ids of TableViewRows.h. Only the view that owns the buffer
// sees these changes until they are handed to the table in one batch.
class ChangeBuffer
{
public:
    // Changes waiting (a dropped insert does not count).
    int count() const;
    // Nothing held at all, not even the place of a dropped insert.
    bool isEmpty() const { return m_edits.empty() && m_deletes.empty() && m_inserts.empty(); }

    // A pending insert, or a stored row that the buffer changes or deletes.
    bool touches(int rowId) const;
    bool isDeleted(int rowId) const;
    // The buffered values of a stored row; nullptr when it has none.
    const std::vector<QVariant>* edited(int rowId) const
    {
        if (m_edits.empty())
            return nullptr;
        const auto it = m_edits.find(rowId);
        return it == m_edits.end() ? nullptr : &it->second;
    }
    // A pending insert's values; empty once it was dropped.
    const std::vector<QVariant>& inserted(int rowId) const;
    bool hasInsert(int rowId) const;

    // Stores a posted row: a new one (kNewRow), a pending insert again, or a
    // stored row's new values. Returns the row's id in the view.
    int store(int rowId, std::vector<QVariant> values);
    // Deletes a row: a pending insert is dropped, a stored row (still live
    // in the table) is marked for deletion.
    void remove(int rowId, bool liveInTable);
    // The table deleted the row underneath: its buffered change is void.
    void forget(int rowId);

    // The rows the view must place by their buffered values.
    std::vector<int> overlayRows() const;
    // The batch for ClientTable::commit(): updates and deletes of rows still
    // live, then the inserts; `inserts` receives (pending row id, index of
    // its change) so that the caller can follow a pending row.
    std::vector<ClientTable::Change>
    changes(const ClientTable& table, std::vector<std::pair<int, size_t>>* inserts) const;

    void clear();

private:
    std::map<int, std::vector<QVariant>> m_edits; // row id -> values
    std::vector<int> m_deletes;
    std::vector<std::vector<QVariant>> m_inserts; // empty = dropped
};
