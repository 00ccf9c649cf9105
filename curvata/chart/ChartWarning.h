#pragma once

#include <QString>
#include <functional>

// A warning of the drawing code for the user (a range the chart cannot
// show). The chart has no windows: whoever shows the chart decides how to
// tell the user, a window with a message box, a tool on its error output.
struct ChartWarning
{
    enum Kind
    {
        Exclamation, // with the exclamation icon
        Plain        // without an icon
    };
    QString text;
    QString caption;
    Kind kind = Plain;
};

using ChartWarningHandler = std::function<void(const ChartWarning&)>;
