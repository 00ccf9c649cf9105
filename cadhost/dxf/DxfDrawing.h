#pragma once

#include <QString>
#include <QVector>

#include <cstdint>
#include <optional>

// The content of a DXF drawing as this program keeps it: layers, block definitions
// and the entities of model space, each entity with its persistent handle (DXF
// group 5; 0 until one is given). Plain data: the reader fills it, the writer
// writes it, the drawing host edits it.
struct DxfPoint
{
    double x = 0, y = 0, z = 0;
    friend bool operator==(const DxfPoint&, const DxfPoint&) = default;
};

// An attribute of a block reference (ATTRIB).
struct DxfAttribute
{
    std::uint64_t handle = 0;
    QString layer = QStringLiteral("0");
    QString tag;
    QString text;
    DxfPoint position;
    double height = 1;
    double rotation = 0; // degrees
    int flags = 0;       // 1 invisible, 2 constant, 4 verify, 8 preset
    bool invisible() const { return flags & 1; }
};

enum class DxfEntityKind { Line, Polyline, Circle, Arc, Text, AttributeDefinition, Insert };

struct DxfEntity
{
    DxfEntityKind kind = DxfEntityKind::Line;
    std::uint64_t handle = 0;
    QString layer = QStringLiteral("0");
    int colour = 256;     // 256 by layer, 0 by block, 1..255 the colour index
    int lineweight = -1;  // hundredths of a millimetre; -1 by layer, -2 by block, -3 default

    // Line: two points; polyline: its vertices; the others: the position (circle and
    // arc centre, text and attribute definition insertion point, block insertion point).
    QVector<DxfPoint> points;
    bool closed = false;                          // polyline
    double radius = 0;                            // circle, arc
    double startAngle = 0, endAngle = 0;          // arc, degrees counter-clockwise
    QString text;                                 // text; default value of an attribute definition
    double height = 1;                            // text, attribute definition
    double rotation = 0;                          // text, attribute definition, insert: degrees
    int hAlign = 0, vAlign = 0;                   // DXF groups 72 and 73/74
    DxfPoint alignPoint;                          // used when an alignment is set
    QString tag, prompt;                          // attribute definition
    int flags = 0;                                // attribute definition flags
    QString blockName;                            // insert
    double xScale = 1, yScale = 1, zScale = 1;    // insert
    QVector<DxfAttribute> attributes;             // insert

    DxfPoint position() const { return points.isEmpty() ? DxfPoint{} : points.first(); }
};

struct DxfBlock
{
    QString name;
    DxfPoint origin;
    std::uint64_t handle = 0; // of the BLOCK record; kept so that it survives a save
    QVector<DxfEntity> entities;
    bool hasAttributeDefinitions() const;
};

struct DxfLayer
{
    QString name;
    int colour = 7;
    int lineweight = -3;
    QString linetype = QStringLiteral("Continuous");
};

struct DxfDrawing
{
    int insunits = 0;                            // $INSUNITS: 0 unitless, 4 mm, ...
    QString currentLinetype = QStringLiteral("ByLayer"); // $CELTYPE
    std::uint64_t handseed = 0;                  // $HANDSEED as read; the next free handle
    QVector<DxfLayer> layers;                    // layer "0" is always written
    QVector<DxfBlock> blocks;                    // user block definitions
    QVector<DxfEntity> entities;                 // model space
    // Entities of the file this program does not keep (other kinds, paper space):
    // writing the drawing again would lose them.
    int skippedEntities = 0;
    // $EXTMIN / $EXTMAX, written when known.
    std::optional<std::pair<DxfPoint, DxfPoint>> extents;

    // Index of the block of that name (case-insensitive, as CAD programs compare
    // block names), or -1.
    int blockIndex(const QString& name) const;
    int layerIndex(const QString& name) const;
    // The highest handle used by any entity, attribute or block.
    std::uint64_t highestHandle() const;
};

// Handles as DXF writes them: upper-case hexadecimal without leading zeros.
QString dxfHandleText(std::uint64_t handle);
// 0 for text that is not a handle (empty, not hexadecimal, above 64 bits).
std::uint64_t dxfHandleValue(const QString& text);
