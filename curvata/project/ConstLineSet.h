#pragma once

#include "ConstLine.h"
#include "ConstLineTableTarget.h"

#include <QColor>
#include <QList>
#include <QString>
#include <optional>

// The Const Lines window's own copy of the chart's constant lines and what
// the user does to it: create, remove, edit values in place, follow a line
// moved on the chart, copy values into the table of points. Nothing here
// reaches the chart until the window applies the copy. Rows of the window's
// lists are indexes into these lists.
class ConstLineSet
{
public:
    // The chart's axis range in real units.
    struct Range
    {
        double xMin = 1.0;
        double yMin = 1.0;
        double xMax = 100.0;
        double yMax = 100.0;
    };

    // The problems reported to the user.
    static const QString NameMissing;
    static const QString ValueMissing;
    static const QString ValueNotNumber;
    static const QString NameTaken;
    static const QString TableNotOpen;
    static const QString SelectXLine;
    static const QString SelectYLine;

    ConstLineSet(ConstLineList xLines, ConstLineList yLines);

    const ConstLineList& lines(ConstLineKind kind) const;
    const ConstLineList& xLines() const { return m_x; }
    const ConstLineList& yLines() const { return m_y; }

    // The value a line stands for: x1 of an X line, y1 of a Y line.
    static float value(const ConstLine& line, ConstLineKind kind);
    // How the lists show a value ("%g").
    static QString formatValue(float value);

    // Checks a new line's name and value text in the order the user is
    // told about them; the value (as stored, in single precision) or the
    // problem. Blanks around the value are ignored.
    struct Check
    {
        std::optional<float> value;
        QString problem;
    };
    Check check(const QString& name, const QString& valueText, ConstLineKind kind) const;
    // Appends a line at `value` held within the range, across the whole
    // other axis, in `colour`.
    const ConstLine& create(const QString& name, float value, ConstLineKind kind,
                            const Range& range, const QColor& colour);
    // The palette entry of a new line: the chart's lines of its kind and
    // the selected fuses' curves come before it in the colour cycle. The
    // chart's count does not change until the copy is applied.
    static int paletteIndex(int chartLinesOfKind, int fuseCount, int paletteSize);

    // Removes the lines at these rows.
    void remove(ConstLineKind kind, QList<int> rows);
    // The value typed over a row's value: counted only when, without its
    // surrounding blanks, it is a number; it is not held to the range.
    // True when the line took it.
    bool commitValue(ConstLineKind kind, int row, const QString& text);
    // A line dragged on the chart: the first line of the kind with this
    // name takes the value. False when there is none.
    bool moveLine(ConstLineKind kind, const QString& name, float value);

    // Why the chosen rows cannot go to the table, or nothing.
    static std::optional<QString> addToTableProblem(bool tableOpen, ConstLineKind kind,
                                                    const QList<int>& rows);
    // Sends the lines at these rows, in row order, to the table.
    void addToTable(ConstLineKind kind, QList<int> rows, ConstLineTableTarget& table) const;

private:
    ConstLineList& list(ConstLineKind kind) { return kind == ConstLineKind::X ? m_x : m_y; }

    ConstLineList m_x;
    ConstLineList m_y;
};
