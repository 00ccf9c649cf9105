#pragma once

#include "DrawingGeometry.h"

#include <QPointer>
#include <QTransform>
#include <QTimer>
#include <QWidget>

class CadApplication;
class CadCommands;
#include "CadDocument.h"

// The window of one drawing: draws what DrawingGeometry gives (lines one pixel
// wide whatever the drawing's line weights, as a symbol a few units wide would
// otherwise turn into a blob), pans with the middle button or by dragging empty
// space, zooms with the wheel, selects with clicks, erases with Delete and
// answers point picks with a click (Escape cancels).
class DrawingView : public QWidget
{
    Q_OBJECT
public:
    DrawingView(CadApplication& app, CadCommands& commands, CadDocument* document,
                QWidget* parent = nullptr);

    CadDocument* document() const { return m_document; }
    void zoomExtents();
    void zoomBy(double factor);
    // Drawing coordinates of a widget position, and back.
    QPointF toDrawing(const QPointF& widget) const;
    QPointF toWidget(const QPointF& drawing) const;
    double scale() const { return m_scale; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void markStale();
    const QVector<DrawingGeometry::Item>& items();
    void drawText(QPainter& p, const DrawingGeometry::Text& t) const;

    CadApplication& m_app;
    CadCommands& m_commands;
    QPointer<CadDocument> m_document;
    QVector<DrawingGeometry::Item> m_items;
    bool m_stale = true;   // m_items no longer match the drawing
    QTimer m_repaint;
    QPointF m_centre;      // drawing point at the widget's centre
    double m_scale = 20;   // pixels per drawing unit
    bool m_fitPending = true;
    QPoint m_dragFrom;
    bool m_dragging = false;
    QPointF m_mouse;       // last mouse position, for the rubber band of a pick
};
