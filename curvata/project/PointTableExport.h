#pragma once

#include "TablePoint.h"

#include <QByteArray>

class PointTableModel;

// What the table of points gives away: the points "To Graph" draws on the
// chart, and the text "To File" writes.
class PointTableExport
{
public:
    // Each fuse row's column pairs, left to right: an x cell with several
    // values and a y value gives one point per x; one x value and several y
    // values one point per y. A pair counts only when the y cell ends in a
    // number.
    static TablePointList points(const PointTableModel& table);
    // Every row including the header: each cell followed by a tab, each row
    // by a line feed. UTF-8, so that fuse names keep their letters.
    static QByteArray text(const PointTableModel& table);
};
