#pragma once

#include "DxfDrawing.h"

#include <QByteArray>
#include <QString>

// Writes a drawing as an ASCII DXF R2000 (AC1015) file that other CAD programs
// open without repairs: every table, block record and layout they expect, owner
// handles (group 330) on every object, handles kept as the drawing has them
// (objects without one get one), attributed references with their ATTRIBs and the
// SEQEND that closes them, and $HANDSEED above the highest handle.
class DxfWriter
{
public:
    static QByteArray write(const DxfDrawing& drawing);
    // Writes through a temporary file, so that a failed save leaves the old file
    // as it was. DxfError on failure.
    static void writeFile(const DxfDrawing& drawing, const QString& path);
};
