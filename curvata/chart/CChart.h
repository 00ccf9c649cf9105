#pragma once

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

// One coordinate system of the characteristic chart: it owns an area of the
// paint device, splits it into margins and a plot rectangle, maps values to
// device pixels and back, and draws frame, ticks, labels, grid, titles and
// the content primitives (polylines, markers, legend entries, texts).
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

    CChart();
    virtual ~CChart();
    CChart(const CChart&) = delete;
    CChart& operator=(const CChart&) = delete;

    // --- virtual operations, in slot order ---
    virtual bool SetRange(double xMin, double yMin, double xMax, double yMax) = 0;
    virtual void DrawXAxis();
    virtual void DrawYAxis();
    virtual void DrawGrid();
    virtual void DrawLegendEntry(const QColor& colour, int number, const QString& text);
    virtual void DrawTextAt(int x, int y, const QColor& colour, const QString& text);
    virtual QPoint ToDevice(float x, float y) = 0;
    virtual ChartValue ToValue(QPoint point) = 0;

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
    bool XLogarithmic() const { return axisType == AxisLogLin || axisType == AxisLogLog; }
    bool YLogarithmic() const { return axisType == AxisLinLog || axisType == AxisLogLog; }

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

    // --- fields ---
    bool doubleBuffering = true;
    bool printing = false;
    int printScale = 8;
    double xScale = 0.0, yScale = 0.0;
    // The stored range: values on a linear axis, decimal logarithms on a
    // logarithmic one.
    double xMin = 0.0, yMin = 0.0, xMax = 0.0, yMax = 0.0;
    double viewportLeft = 0.0, viewportTop = 0.0, viewportRight = 1.0, viewportBottom = 1.0;
    QColor backgroundColour = QColor(255, 255, 255);
    QColor gridColour = QColor(192, 192, 192);
    QColor frameColour = QColor(0, 0, 0);
    QColor tickLabelColour = QColor(0, 0, 0);
    QColor titleColour = QColor(0, 0, 0);
    int textSizeBase = 0;
    int xLabelDecimals = 5, yLabelDecimals = 5;
    bool legend = true;
    bool scientificLabels = false;
    int axisType = AxisLinLin;
    int xDecades = 0, yDecades = 0;
    int leftMargin = 0, topMargin = 0, rightMarginUnit = 0, bottomMargin = 0;
    int frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;
    QRect drawingArea;
    QRect clipBox;
    int currentX = 0, currentY = 0;
    int plotLeft = 0, plotRight = 0, plotTop = 0, plotBottom = 0, plotWidth = 0, plotHeight = 0;
    int xTicks = 50, yTicks = 50;
    int xGridLines = 10, yGridLines = 10;

    // Converts a device coordinate computed in double to whole pixels,
    // truncating toward zero; NaN gives 0 and huge values are clamped so
    // that degenerate ranges cannot produce undefined conversions.
    static int TruncToInt(double value);

protected:
    // Device point for axis coordinates (logarithms already taken).
    QPoint DeviceFromAxis(double X, double Y);
    ChartValue AxisFromDevice(QPoint point, bool xLog, bool yLog) const;
    // Decades between two logarithms, tolerant of rounding noise.
    static int WholeDecades(double logMin, double logMax);
    static bool WarnBelowMinimum(bool xAxis);

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

private:
    void SelectFont(const QFont& base, bool symbol, double k, int weight, double rotation);
    void DrawRightScale();

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
