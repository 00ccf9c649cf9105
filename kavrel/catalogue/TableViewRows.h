#pragma once

// Row ids inside a view beside the table's own (0 and up): -1 is "no row",
// -2 and below are rows waiting in the change buffer.

#include <QtGlobal>
#include <climits>

// Row id that stands for the edit buffer (so that calculated fields can be
// read while a row is edited) and the edit row id of a row being inserted.
inline constexpr int kEditRow = INT_MIN;
inline constexpr int kNewRow = INT_MIN + 1;

// The index of a pending insert in the change buffer, and back.
inline int pendingIndex(int rowId)
{
    return -2 - rowId;
}
inline int pendingRowId(int index)
{
    return -2 - index;
}

// Pending inserts sort after every stored row with the same key.
inline qint64 tieKey(int rowId)
{
    return rowId >= 0 ? qint64(rowId) : qint64(INT_MAX) + pendingIndex(rowId);
}
