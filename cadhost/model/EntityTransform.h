#pragma once

#include "DxfDrawing.h"

// The placement of a block's content by a reference: scale about the block's
// origin, rotate, move to the insertion point. Used to place attributes on a new
// reference and to copy a drawing file into a block definition.
class EntityTransform
{
public:
    EntityTransform() = default;
    // rotation in degrees, as DXF stores it.
    EntityTransform(const DxfPoint& origin, const DxfPoint& insertion, double xScale,
                    double yScale, double zScale, double rotationDegrees);

    DxfPoint map(const DxfPoint& p) const;
    // Whether x and y scale alike (circles stay circles).
    bool isUniform() const;
    double textScale() const; // how heights grow: |y scale|
    double rotationDegrees() const { return m_rotation; }

    // The entity placed by this transform. Circles and arcs under unequal scales
    // become polylines, the only shape that can follow them.
    DxfEntity apply(const DxfEntity& e) const;
    DxfAttribute apply(const DxfAttribute& a) const;

private:
    DxfPoint m_origin, m_insertion;
    double m_xs = 1, m_ys = 1, m_zs = 1;
    double m_rotation = 0, m_cos = 1, m_sin = 0;
};
