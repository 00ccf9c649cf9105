#pragma once

#include "BlockDrawing.h"

#include <QSizeF>
#include <QString>

#include <optional>

// The block drawings of the sample catalogue, by block name:
// "KS_<kind>" one-pole symbols and "KS3_<kind>" three-pole (or four-pole)
// symbols after IEC 60617 (FUSE, HVFUSE, FDISC fuse disconnector,
// FSD fuse switch disconnector, MCB, RCD, SPD surge arrester), and
// "KD_<product>" dimensioned outlines at real size in millimetres.
class DrawingMaker
{
public:
    // Empty when the name is not one of the sample's drawings.
    static std::optional<BlockDrawing> make(const QString& blockName);
    // Outline size (width along x, height along y) of a dimension drawing.
    static std::optional<QSizeF> outlineSize(const QString& blockName);

private:
    static void symbolPole(BlockDrawing& d, const QString& kind, double x);
    static BlockDrawing symbol(const QString& kind, int poles);
    static BlockDrawing outline(const QString& blockName, const QSizeF& size);
};
