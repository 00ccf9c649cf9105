#pragma once

#include "ChartAxis.h"
#include "ChartWarning.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

class QPainter;

// A value pair in real axis units, single precision like the curve data.
struct ChartValue
{
    float x = 0.0f;
    float y = 0.0f;
};

// Where Layout put the parts of the chart, in device pixels, and the axis
// units per pixel.
struct ChartGeometry
{
    // The drawing area with the viewport applied.
    int frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;
    int leftMargin = 0, topMargin = 0, rightMarginUnit = 0, bottomMargin = 0;
    int plotLeft = 0, plotRight = 0, plotTop = 0, plotBottom = 0;
    int plotWidth = 0, plotHeight = 0;
    // Stored range per pixel (logarithms on a logarithmic axis).
    double xScale = 0.0, yScale = 0.0;
    // The smaller of plot width and height: every text height derives from it.
    int textSizeBase = 0;
};

// One coordinate system of the characteristic chart: it owns an area of the
// paint device, splits it into margins and a plot rectangle, maps values to
// device pixels and back through its two axes, and draws frame, ticks,
// labels, grid, titles and the content primitives (polylines, markers,
// legend entries, texts). The derived classes only choose the axes.
//
// Device coordinates are whole pixels with y growing downward. Conversions
// to device coordinates truncate toward zero, and rectangles are kept as
// left/top/right/bottom with right and bottom exclusive, so the layout
// arithmetic gives the same pixels on every device.
//
// Drawing goes to the QPainter handed to BeginDraw; on the screen it goes
// through an off-screen image of the painter's clip box only.
class CChart
{
public:
    enum AxisType
    {
        AxisLinLin = 0,
        AxisLogLin = 1,
        AxisLinLog = 2,
        AxisLogLog = 3
    };
    enum HorizontalAnchor
    {
        AnchorLeft = 0,
        AnchorCentre = 1,
        AnchorRight = 2
    };
    enum VerticalAnchor
    {
        AnchorTop = 0,
        AnchorMiddle = 1,
        AnchorBottom = 2
    };
    enum MarkerSymbol
    {
        MarkerFilledCircle = 0
    };

    virtual ~CChart();
    CChart(const CChart&) = delete;
    CChart& operator=(const CChart&) = delete;

    // --- virtual operations, in slot order ---
    // Takes a range in real units. A logarithmic axis refuses an end below
    // 0.000001 (x is checked first) with a warning; a range end that is not
    // finite is refused silently. A refused range leaves the stored one.
    virtual bool SetRange(double xMin, double yMin, double xMax, double yMax);
    virtual void DrawXAxis();
    virtual void DrawYAxis();
    virtual void DrawGrid();
    virtual void DrawLegendEntry(const QColor& colour, int number, const QString& text);
    virtual void DrawTextAt(int x, int y, const QColor& colour, const QString& text);
    virtual QPoint ToDevice(float x, float y);
    virtual ChartValue ToValue(QPoint point);

    // --- layout and conversion ---
    // `area` is the drawing area in device pixels (its right and bottom edge
    // are x + width and y + height).
    void Layout(const QRect& area);
    void SetViewport(double left, double top, double right, double bottom);
    void MoveToValue(float x, float y);
    void LineToValue(float x, float y);

    // --- one paint ---
    void BeginDraw(QPainter& target);
    void EndDraw(QPainter& target);

    // --- drawing ---
    void DrawAxes();
    void DrawBoundary(const QColor& colour, int width);
    void DrawTitle(const QString& text);
    void DrawXTitle(const QString& text);
    void DrawYTitle(const QString& text);
    void PutText(int x, int y, double angleDegrees, const QString& text);
    void DrawPolyline(const float* xs, const float* ys, int count, const QColor& colour,
                      int legendNumber, const QString& label, int penWidth, Qt::PenStyle style,
                      int labelMode);
    void DrawMarker(float x, float y, MarkerSymbol symbol, int size);

    QString FormatTickLabel(int decimals, double value) const;

    // Whether a value pair has a place on this chart's axes (finite, and
    // positive on a logarithmic axis).
    bool CanPlace(float x, float y) const;
    const ChartAxis& XAxis() const { return m_x; }
    const ChartAxis& YAxis() const { return m_y; }
    bool XLogarithmic() const { return m_x.IsLogarithmic(); }
    bool YLogarithmic() const { return m_y.IsLogarithmic(); }
    AxisType GetAxisType() const
    {
        return AxisType((XLogarithmic() ? AxisLogLin : AxisLinLin) |
                        (YLogarithmic() ? AxisLinLog : AxisLinLin));
    }

    // Refused ranges are told here; without a handler nobody hears of them.
    void SetWarningHandler(ChartWarningHandler handler) { m_warn = std::move(handler); }

    // The negative character height (pixels) for height factor k: never
    // smaller than 10 pixels.
    int FontHeight(double k) const;

    // --- painter state used by the content drawing (the "selected" tools) ---
    QPainter* Painter() const { return m_dc; }
    void SetPen(const QPen& pen);
    QPen Pen() const;
    void SetBrush(const QBrush& brush);
    void SetTextColour(const QColor& colour) { m_textColour = colour; }
    void SetTransparentBackground(bool transparent) { m_bkTransparent = transparent; }
    bool TransparentBackground() const { return m_bkTransparent; }
    // Selects the text or symbol font with a height factor, weight and
    // rotation (degrees, counter-clockwise).
    void SelectTextFont(double k, int weight, double rotationDegrees = 0.0);
    void SelectSymbolFont(double k, int weight, double rotationDegrees = 0.0);
    const QFont& SelectedFont() const { return m_selectedFont; }
    void SetTextAnchor(int horizontal, int vertical)
    {
        m_hAnchor = horizontal;
        m_vAnchor = vertical;
    }

    // Sees every text as it is written (top-left corner, text): lets tools
    // and tests find labels without reading pixels.
    using TextRecorder = std::function<void(QPoint topLeft, const QString& text)>;
    void SetTextRecorder(TextRecorder recorder) { m_textRecorder = std::move(recorder); }

    // --- state ---
    // Screen paints go through an off-screen image (on at construction).
    bool DoubleBuffering() const { return m_doubleBuffering; }
    void SetDoubleBuffering(bool on) { m_doubleBuffering = on; }
    // True while a printed page is drawn; EndDraw clears it.
    bool Printing() const { return m_printing; }
    void SetPrinting(bool on) { m_printing = on; }
    // Multiplies pen widths, the boundary inset and marker radii while
    // printing; 8 at construction.
    int PrintScale() const { return m_printScale; }
    void SetPrintScale(int scale) { m_printScale = scale; }
    QColor BackgroundColour() const { return m_backgroundColour; }
    void SetBackgroundColour(const QColor& colour) { m_backgroundColour = colour; }
    // With the legend the right margin is doubled for it; without it a
    // second y scale is drawn on the right.
    bool Legend() const { return m_legend; }
    void SetLegend(bool on) { m_legend = on; }
    // Tick labels in exponential notation.
    bool ScientificLabels() const { return m_scientificLabels; }
    void SetScientificLabels(bool on) { m_scientificLabels = on; }

    const ChartGeometry& Geometry() const { return m_g; }
    // The rectangle last given to Layout.
    QRect DrawingArea() const { return m_drawingArea; }
    // The clip box of the current (or last) buffered paint.
    QRect ClipBox() const { return m_clipBox; }
    // The result of the last ToDevice.
    QPoint CurrentPoint() const { return QPoint(m_currentX, m_currentY); }

    // Converts a device coordinate computed in double to whole pixels,
    // truncating toward zero; NaN gives 0 and huge values are clamped so
    // that degenerate ranges cannot produce undefined conversions.
    static int TruncToInt(double value);

protected:
    CChart(ChartAxis::Scale x, ChartAxis::Scale y);

private:
    bool WarnBelowMinimum(bool xAxis);
    void DrawLinearXAxis();
    void DrawLogXAxis();
    void DrawLogYAxis(bool rightSide);
    void DrawLinearYAxis(bool rightSide);
    void DrawLinearXGrid();
    void DrawLinearYGrid();
    void DrawLogXGrid();
    void DrawLogYGrid();
    int LogYPosition(int decade, int k) const;

    void Line(int x1, int y1, int x2, int y2);
    void TextOut(int x, int y, const QString& text);
    void SelectFont(const QFont& base, bool symbol, double k, int weight, double rotation);
    void DrawRightScale();

    ChartAxis m_x;
    ChartAxis m_y;
    ChartGeometry m_g;
    bool m_doubleBuffering = true;
    bool m_printing = false;
    int m_printScale = 8;
    double m_viewportLeft = 0.0, m_viewportTop = 0.0, m_viewportRight = 1.0, m_viewportBottom = 1.0;
    QColor m_backgroundColour = QColor(255, 255, 255);
    const QColor m_gridColour = QColor(192, 192, 192);
    const QColor m_frameColour = QColor(0, 0, 0);
    const QColor m_tickLabelColour = QColor(0, 0, 0);
    const QColor m_titleColour = QColor(0, 0, 0);
    const int m_xLabelDecimals = 5, m_yLabelDecimals = 5;
    bool m_legend = true;
    bool m_scientificLabels = false;
    QRect m_drawingArea;
    QRect m_clipBox;
    int m_currentX = 0, m_currentY = 0;
    // Linear axes: tick subdivisions and grid divisions.
    const int m_xTicks = 50, m_yTicks = 50;
    const int m_xGridLines = 10, m_yGridLines = 10;

    ChartWarningHandler m_warn;
    QPainter* m_dc = nullptr;
    std::unique_ptr<QPainter> m_offscreenPainter;
    QImage m_offscreen;
    QFont m_textFont;
    QFont m_symbolFont;
    QFont m_selectedFont;
    bool m_selectedSymbol = false;
    double m_fontRotation = 0.0;
    QColor m_textColour = QColor(0, 0, 0);
    bool m_bkTransparent = false;
    int m_hAnchor = AnchorLeft;
    int m_vAnchor = AnchorTop;
    QPoint m_penPosition;
    TextRecorder m_textRecorder;
};
