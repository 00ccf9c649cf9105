#include "DrawingView.h"

#include "CadApplication.h"
#include "CadCommands.h"
#include "CadDocument.h"
#include "CadError.h"
#include "MessageBoxService.h"
#include "PickRequest.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>

DrawingView::DrawingView(CadApplication& app, CadCommands& commands, CadDocument* document,
                         QWidget* parent)
    : QWidget(parent), m_app(app), m_commands(commands), m_document(document)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    m_repaint.setSingleShot(true);
    m_repaint.setInterval(40);
    connect(&m_repaint, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    connect(document, &CadDocument::contentChanged, this, &DrawingView::markStale);
    connect(document, &CadDocument::regenRequested, this, &DrawingView::markStale);
    connect(&app, &CadApplication::pickStarted, this, qOverload<>(&QWidget::update));
    connect(&app, &CadApplication::pickFinished, this, qOverload<>(&QWidget::update));
}

// A script inserts a block in a dozen calls, each a change; the geometry is
// built again only when it is next looked at, and the window repaints a few
// times a second while changes stream in, not once per call.
void DrawingView::markStale()
{
    m_stale = true;
    if (!m_repaint.isActive())
        m_repaint.start();
}

const QVector<DrawingGeometry::Item>& DrawingView::items()
{
    if (m_stale && m_document) {
        m_items = DrawingGeometry::build(m_document->content());
        m_stale = false;
    }
    return m_items;
}

QPointF DrawingView::toDrawing(const QPointF& w) const
{
    return {m_centre.x() + (w.x() - width() / 2.0) / m_scale,
            m_centre.y() - (w.y() - height() / 2.0) / m_scale};
}

QPointF DrawingView::toWidget(const QPointF& d) const
{
    return {width() / 2.0 + (d.x() - m_centre.x()) * m_scale,
            height() / 2.0 - (d.y() - m_centre.y()) * m_scale};
}

void DrawingView::zoomExtents()
{
    const QRectF box = DrawingGeometry::extents(items());
    if (box.isNull() || width() < 10 || height() < 10) {
        m_fitPending = box.isNull() ? m_fitPending : true;
        update();
        return;
    }
    m_fitPending = false;
    m_centre = box.center();
    const double w = std::max(box.width(), 1e-9), h = std::max(box.height(), 1e-9);
    m_scale = std::clamp(std::min((width() - 40) / w, (height() - 40) / h), 1e-9, 1e9);
    update();
}

void DrawingView::zoomBy(double factor)
{
    m_scale = std::clamp(m_scale * factor, 1e-9, 1e9);
    update();
}

void DrawingView::resizeEvent(QResizeEvent*)
{
    if (m_fitPending && !items().isEmpty())
        zoomExtents();
}

void DrawingView::drawText(QPainter& p, const DrawingGeometry::Text& t) const
{
    const double px = t.height * m_scale;
    if (px < 2 || px > 2000 || t.text.isEmpty())
        return; // too small to read or absurdly large
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, int(std::lround(px))));
    p.save();
    p.setFont(font);
    p.translate(toWidget(t.position));
    p.rotate(-t.rotation);
    const double w = QFontMetricsF(font).horizontalAdvance(t.text);
    const double x = t.hAlign == 1 ? -w / 2 : (t.hAlign == 2 ? -w : 0);
    p.drawText(QPointF(x, 0), t.text);
    p.restore();
}

void DrawingView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(33, 40, 48));
    p.setRenderHint(QPainter::Antialiasing);
    if (!m_document)
        return;
    const QSet<qint64>& selected = m_document->selection();
    const QRectF visible(toDrawing(QPointF(0, height())), toDrawing(QPointF(width(), 0)));
    for (const DrawingGeometry::Item& item : items()) {
        if (!item.bounds.isNull() && !item.bounds.intersects(visible.adjusted(-1, -1, 1, 1)))
            continue;
        const bool sel = selected.contains(item.id);
        // Cosmetic pens: one pixel at any zoom.
        QPen pen(sel ? QColor(90, 170, 255) : QColor(235, 235, 235), sel ? 2 : 1);
        pen.setCosmetic(true);
        p.setPen(pen);
        for (const QPolygonF& poly : item.paths) {
            QPolygonF w;
            w.reserve(poly.size());
            for (const QPointF& q : poly)
                w << toWidget(q);
            p.drawPolyline(w);
        }
        p.setPen(sel ? QColor(90, 170, 255) : QColor(250, 220, 120));
        for (const DrawingGeometry::Text& t : item.texts)
            drawText(p, t);
    }
    PickRequest* pick = m_app.pendingPick();
    if (pick && pick->document() == m_document) {
        p.setPen(QPen(QColor(120, 220, 120), 1, Qt::DashLine));
        if (pick->kind() == PickRequest::Distance)
            p.drawLine(toWidget({pick->base().x, pick->base().y}), m_mouse);
        p.setPen(QColor(120, 220, 120));
        p.drawText(QRectF(8, 4, width() - 16, 24), Qt::AlignLeft | Qt::AlignVCenter, pick->prompt());
    }
}

void DrawingView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    m_dragFrom = event->position().toPoint();
    m_dragging = event->button() == Qt::MiddleButton;
    if (event->button() != Qt::LeftButton || !m_document)
        return;
    m_app.activate(m_document);
    PickRequest* pick = m_app.pendingPick();
    if (pick && pick->document() == m_document) {
        const QPointF d = toDrawing(event->position());
        pick->pick({d.x(), d.y(), 0});
        return;
    }
    const qint64 id = DrawingGeometry::hit(items(), toDrawing(event->position()), 4 / m_scale);
    if (!(event->modifiers() & Qt::ControlModifier))
        m_document->clearSelection();
    if (id)
        m_document->select(id);
    else
        m_dragging = true; // dragging empty space pans
}

void DrawingView::mouseMoveEvent(QMouseEvent* event)
{
    m_mouse = event->position();
    if (m_dragging) {
        const QPointF delta = event->position() - m_dragFrom;
        m_centre -= QPointF(delta.x() / m_scale, -delta.y() / m_scale);
        m_dragFrom = event->position().toPoint();
        m_fitPending = false;
    }
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

void DrawingView::wheelEvent(QWheelEvent* event)
{
    const QPointF anchor = toDrawing(event->position());
    zoomBy(std::pow(1.0015, event->angleDelta().y()));
    // Keep the point under the cursor where it was.
    const QPointF moved = toDrawing(event->position());
    m_centre += anchor - moved;
    m_fitPending = false;
    update();
}

void DrawingView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (PickRequest* pick = m_app.pendingPick())
            pick->cancel();
        else if (m_document)
            m_document->clearSelection();
        return;
    }
    if (event->key() == Qt::Key_Delete && m_document && !m_document->selection().isEmpty()) {
        try {
            m_commands.erase(m_document, m_document->selection().values().toVector());
        } catch (const CadError& e) {
            MessageBoxService::show(this, e.text(), QStringLiteral("cadhost"), MessageBoxService::Ok,
                                    MessageBoxService::Warning);
        }
        return;
    }
    QWidget::keyPressEvent(event);
}
