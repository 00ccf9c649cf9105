#pragma once

#include <QColor>
#include <QList>
#include <QString>

// A named constant line over the chart. An X line is vertical
// (x1 == x2 == its value, y1/y2 the y range), a Y line horizontal
// (y1 == y2 == its value, x1/x2 the x range). Values are real axis units,
// kept in single precision because project files and the table of points
// store them that way.
struct ConstLine
{
    QString name;
    float x1 = 0.0f;
    float x2 = 0.0f;
    float y1 = 0.0f;
    float y2 = 0.0f;
    // Set only while the user drags the line with the mouse.
    bool moving = false;
    QColor colour = QColor(0, 0, 0);

    static ConstLine xLine(const QString& name, float x, float yMin, float yMax, QColor colour)
    {
        return ConstLine{name, x, x, yMin, yMax, false, colour};
    }
    static ConstLine yLine(const QString& name, float y, float xMin, float xMax, QColor colour)
    {
        return ConstLine{name, xMin, xMax, y, y, false, colour};
    }

    bool operator==(const ConstLine&) const = default;
};

using ConstLineList = QList<ConstLine>;
