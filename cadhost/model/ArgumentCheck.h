#pragma once

#include "DxfDrawing.h"

#include <QString>

// Checks of values that come from outside (automation clients, files, the person):
// each throws CadError(InvalidArgument) with a text naming the value, so that no
// NaN, absurd number or text that would break the DXF file gets into a drawing.
class ArgumentCheck
{
public:
    // Coordinates beyond this are a mistake, not a drawing.
    static constexpr double MaxCoordinate = 1e12;
    static constexpr double MinScale = 1e-6;
    static constexpr double MaxScale = 1e6;
    static constexpr int MaxNameLength = 255;
    static constexpr int MaxTextLength = 2048;

    static void point(const DxfPoint& p, const QString& what);
    static double finite(double value, const QString& what);
    static void scale(double value, const QString& what);
    static void positive(double value, const QString& what); // finite and > 0
    // Block and layer names as DXF allows them.
    static void name(const QString& value, const QString& what);
    // Attribute tags: no blanks either.
    static void tag(const QString& value);
    // Texts on one line, of limited length; empty allowed.
    static void text(const QString& value, const QString& what);
    // File paths given by clients.
    static void path(const QString& value);
};
