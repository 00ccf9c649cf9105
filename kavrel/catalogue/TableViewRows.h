#pragma once

// Row ids inside a view beside the table's own (0 and up): -1 is "no row",
// -2 and below are rows waiting in the change buffer.

#include <QtGlobal>
#include <climits>

namespace {

// Row id that stands for the edit buffer (so that calculated fields can be
// read while a row is edited) and the edit row id of a row being inserted.
constexpr int kEditRow = INT_MIN;
constexpr int kNewRow = INT_MIN + 1;

inline int pendingIndex(int rowId)
{
    return -2 - rowId;
}

// Pending inserts sort after every stored row with the same key.
inline qint64 tieKey(int rowId)
{
    return rowId >= 0 ? qint64(rowId) : qint64(INT_MAX) + pendingIndex(rowId);
}

} // namespace
