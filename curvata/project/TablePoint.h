#pragma once

#include <QList>

// A working point exported from the table of points onto the chart, in real
// axis units (not normalized curve positions).
struct TablePoint
{
    float x = 0.0f;
    float y = 0.0f;

    bool operator==(const TablePoint&) const = default;
};

using TablePointList = QList<TablePoint>;
