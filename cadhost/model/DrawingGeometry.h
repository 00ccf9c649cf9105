#pragma once

#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QVector>

class DrawingContent;
struct DxfEntity;
class QTransform;

// What a drawing window draws, in drawing coordinates: for every entity of model
// space its polylines (lines, arcs and circles as short segments) and texts, with
// block references expanded through their definitions (nested ones too, cycles
// and absurd nesting cut off) and the visible attributes. Display-free, so that
// zoom extents and hit tests work without a window.
class DrawingGeometry
{
public:
    struct Text
    {
        QPointF position;      // insertion point
        double height = 1;
        double rotation = 0;   // degrees counter-clockwise
        QString text;
        int hAlign = 0;        // 0 left, 1 centre, 2 right
    };
    struct Item
    {
        qint64 id = 0;
        QVector<QPolygonF> paths;
        QVector<Text> texts;
        QRectF bounds;
    };

    static constexpr int MaxNesting = 8;

    static QVector<Item> build(const DrawingContent& content);
    // Union of the items' bounds; empty when there is nothing.
    static QRectF extents(const QVector<Item>& items);
    // The item nearest to `point` within `tolerance` (drawing units); 0 for none.
    static qint64 hit(const QVector<Item>& items, const QPointF& point, double tolerance);

private:
    static void add(const DrawingContent& content, const DxfEntity& e, const QTransform& t,
                    int depth, QVector<int>& path, Item& out);
};
