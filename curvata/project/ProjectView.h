#pragma once

#include "ConstLine.h"
#include "ConstLineTableTarget.h"

#include <QString>
#include <vector>

class CharacteristicType;
class Fuse;
class PointTableModel;

// What a project file reads from and puts into the chart view: the selected
// fuses, the characteristic type, the constant lines and the open table of
// points. The program's chart view implements it, and so does a chart
// without a window (the render tool, tests).
class ProjectView
{
public:
    virtual ~ProjectView() = default;

    virtual const std::vector<const Fuse*>& selectedFuses() const = 0;
    virtual void setFuses(const std::vector<const Fuse*>& fuses) = 0;
    virtual const CharacteristicType* characteristic() const = 0;
    // Also sets the axis range from the curves and redraws; none clears the
    // chart and closes the table of points.
    virtual void setCharacteristic(const CharacteristicType* type) = 0;

    virtual const ConstLineList& constLines(ConstLineKind kind) const = 0;
    virtual void removeConstLines(ConstLineKind kind) = 0;
    // Appends a line and completes it as the view does: it spans the
    // current range of the other axis and continues the colour cycle after
    // the curves.
    virtual void appendConstLine(ConstLineKind kind, const QString& name, float value) = 0;
    virtual void fitConstLinesToRange() = 0;

    // The open table of points, or null.
    virtual PointTableModel* table() const = 0;
    virtual void closeTable() = 0;
    // Opens the table of points for the current selection ("Draw table");
    // null when it cannot be opened.
    virtual PointTableModel* openTable() = 0;
};
