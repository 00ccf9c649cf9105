#pragma once

#include "DxfDrawing.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

// A block drawing as plain geometry on named layers, written as a DXF file
// that CAD programs open. Symbols are drawn in symbol units with the upper
// connection at the origin; dimension drawings in millimetres with the lower
// left corner of the outline at the origin.
class BlockDrawing
{
public:
    static constexpr const char* OutlineLayer = "OUTLINE";
    static constexpr const char* DimensionLayer = "DIMENSIONS";
    static constexpr const char* SymbolLayer = "SYMBOL";

    struct Line
    {
        QString layer;
        QPointF a, b;
    };
    struct Circle
    {
        QString layer;
        QPointF centre;
        double radius;
    };
    struct Arc
    {
        QString layer;
        QPointF centre;
        double radius, startDegrees, endDegrees;
    };
    struct Text
    {
        QString layer;
        QPointF position; // centre of the text's base line
        double height;
        double angleDegrees;
        QString text;
    };

    void line(const QString& layer, QPointF a, QPointF b) { m_lines.append({layer, a, b}); }
    void rect(const QString& layer, const QRectF& r);
    void circle(const QString& layer, QPointF c, double r) { m_circles.append({layer, c, r}); }
    void arc(const QString& layer, QPointF c, double r, double from, double to)
    {
        m_arcs.append({layer, c, r, from, to});
    }
    void text(const QString& layer, QPointF at, double height, const QString& s, double angle = 0)
    {
        m_texts.append({layer, at, height, angle, s});
    }
    // An ellipse with axes along x and y, as a closed chain of line segments.
    void ellipse(const QString& layer, QPointF c, double rx, double ry);
    // A dashed line (a mechanical link between poles) as separate dashes, so that
    // it looks the same without a line type table.
    void dashed(const QString& layer, QPointF a, QPointF b, double dash);
    // A dimension between two points, its line offset from them by `offset`
    // (perpendicular, to the left of a->b), with extension lines, arrows and
    // the measured length as text.
    void dimension(QPointF a, QPointF b, double offset, double textHeight);

    // Extents of the geometry on one layer (all layers when empty); circles
    // and arcs count with their full circle, texts not at all.
    QRectF extents(const QString& layer = QString()) const;

    // Drawing units as the DXF header states them ($INSUNITS): 4 millimetres
    // (the default), 0 unitless for symbols, which are scaled by the user.
    void setUnits(int insunits) { m_units = insunits; }
    int units() const { return m_units; }

    // The drawing as DXF content, and written as a DXF R2000 file (false on failure).
    DxfDrawing toDxf() const;
    bool writeDxf(const QString& path) const;

    const QVector<Line>& lines() const { return m_lines; }
    const QVector<Text>& texts() const { return m_texts; }

private:
    QVector<Line> m_lines;
    QVector<Circle> m_circles;
    QVector<Arc> m_arcs;
    QVector<Text> m_texts;
    int m_units = 4;
};
