#pragma once

#include "DxfDrawing.h"

#include <QByteArray>
#include <QString>

// Reads ASCII DXF drawings of any release into DxfDrawing: the layers, the block
// definitions and the model space with handles, attribute definitions, block
// references with their attributes, lines, polylines (both kinds), circles, arcs,
// texts (MTEXT as plain text) and dimensions (as the lines and texts of their
// geometry block). Paper space, other entities and objects are left out.
// Files come from anywhere: anything malformed is a DxfError, never a crash, and
// no number read is NaN or infinite.
class DxfReader
{
public:
    static constexpr qint64 MaxFileSize = 256LL * 1024 * 1024;
    static constexpr int MaxEntities = 2'000'000;

    static DxfDrawing readFile(const QString& path);
    static DxfDrawing read(const QByteArray& data);
};
