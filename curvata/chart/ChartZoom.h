#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

// The zoom of the chart view without the window: the mode the user chose,
// the two zoom factors and the canvas (the logical drawing area the chart is
// laid out on, which the view scrolls over). Zooming never changes the axis
// range; it enlarges the canvas, so curves, texts and margins grow together.
//
// The client size is the view's area without scroll bars; the canvas follows
// it while the view is unzoomed and keeps its size while it is zoomed.
class ChartZoom
{
public:
    enum Mode
    {
        None = 0,
        In = 1,
        Rectangle = 2,
        Out = 3,
        Drag = 4
    };
    static constexpr float Step = 1.2f;
    // Zoom In stops once a factor reaches this; rectangles and Random cap
    // their factors at it.
    static constexpr float MaxFactor = 30.0f;
    // Scroll positions are 16-bit on some platforms and a canvas beyond this
    // could not be scrolled to its end: every zoom caps the canvas here.
    static constexpr int MaxCanvas = 32767;
    // The range the Random zooming dialog accepts, inclusive.
    static constexpr double MinRandomFactor = 0.3;
    static constexpr double MaxRandomFactor = 30.0;

    Mode GetMode() const { return m_mode; }
    // Rectangle and Drag only choose what the mouse does.
    void SetMode(Mode mode) { m_mode = mode; }
    float FactorX() const { return m_factorX; }
    float FactorY() const { return m_factorY; }
    QSize Canvas() const { return m_canvas; }
    QSize ClientSize() const { return m_client; }

    // Both factors within 0.000001 of 1.
    bool IsZoomed() const;
    // The window's size changed (or is first known): an unzoomed canvas
    // takes it, a zoomed one keeps its size.
    void SetClientSize(QSize client);
    // Where the chart is laid out: the client area when unzoomed, the whole
    // canvas when zoomed.
    QRect LayoutArea() const;

    // --- commands; each returns whether the canvas or a factor changed ---
    // Back to the window's size, unless the canvas is smaller than the
    // window (after Random below 1), which stays.
    bool ZoomNone();
    bool CanZoomIn() const;
    bool ZoomIn();
    bool CanZoomOut() const;
    bool ZoomOut();
    // Drag only makes sense while there is something to scroll.
    bool CanDrag() const { return IsZoomed(); }
    // Canvas = client size times the factors; the mode stays.
    void Random(float factorX, float factorY);
    // Reads a factor typed into the Random zooming dialog: a number filling
    // the whole text, from 0.3 to 30. Nothing when the text is refused.
    static std::optional<float> ParseRandomFactor(const QString& text);

    // Zooms so that the rectangle from `start` to `end` (logical points)
    // fills about the window of outer size `window`: each axis's factor is
    // multiplied by the whole number of times the rectangle fits. Returns
    // the scroll position that brings `start` to the window's top-left, or
    // nothing when the rectangle is flat, thinner than a thirtieth of the
    // window or larger than it.
    std::optional<QPoint> ZoomToRectangle(QPoint start, QPoint end, QSize window);

private:
    void Reset();

    Mode m_mode = None;
    float m_factorX = 1.0f;
    float m_factorY = 1.0f;
    QSize m_canvas;
    QSize m_client;
};
