#pragma once

#include <QIcon>
#include <QImage>

// The program's artwork, drawn rather than shipped so that it needs no
// resource files: the picture of the splash window (also printed above the
// chart) and the window icon.
class CurvataPicture
{
public:
    // 108 x 90 pixels: a time-current curve on a logarithmic grid.
    static QImage Picture();
    static QIcon Icon();
};
