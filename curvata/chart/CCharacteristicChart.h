#pragma once

#include "CChartLinLin.h"
#include "CChartLinLog.h"
#include "CChartLogLin.h"
#include "CChartLogLog.h"
#include "ConstLine.h"
#include "TablePoint.h"

#include <QColor>
#include <QImage>
#include <QPen>
#include <QRect>
#include <array>
#include <functional>
#include <vector>

class CharacteristicType;
class Fuse;
class QPainter;

// Everything the chart view shows, without the window: the four coordinate
// systems and the active one, the selected fuses and characteristic type,
// the axis range, the display settings, the constant lines and the table
// points, and the drawing of one chart. The view widget, the render tool and
// the printed page all draw through here, so they give the same picture.
class CCharacteristicChart
{
public:
    static constexpr int PaletteSize = 14;
    // The characteristic type whose charts carry the peak-current lines.
    static const QString CutOffCurrentName;
    // Caption of the chart's own warnings.
    static const QString ApplicationTitle;

    CCharacteristicChart();

    // Where the warnings of a refused range go (the coordinate system's
    // own, then "Setting Range failed"); without a handler they are dropped.
    void SetWarningHandler(const ChartWarningHandler& handler);

    // --- coordinate systems ---
    CChart& ActiveChart() const { return *m_active; }
    CChartLinLin& LinLin() { return m_linLin; }
    CChartLogLin& LogLin() { return m_logLin; }
    CChartLinLog& LinLog() { return m_linLog; }
    CChartLogLog& LogLog() { return m_logLog; }
    bool IsChartReady() const { return m_chartReady; }

    // --- selection ---
    void SetFuses(const std::vector<const Fuse*>& fuses);
    const std::vector<const Fuse*>& Fuses() const { return m_fuses; }
    const CharacteristicType* CurrentCharacteristic() const { return m_type; }
    // Makes the type current (none clears the chart), activates the
    // coordinate system its axes call for and derives the range.
    void SetCharacteristic(const CharacteristicType* type);
    // Decade-rounded range from the curves of the current type. A type
    // whose positions stand for no values, or curves beyond what a double
    // holds, are told through the warning handler and leave the chart not
    // ready.
    void AutoRange();
    // Drops constant lines outside the range and stretches the others over
    // it. Returns the lines dropped, in list order, for whoever wants to
    // tell about them.
    struct RemovedConstLines
    {
        ConstLineList xLines;
        ConstLineList yLines;
    };
    RemovedConstLines FitConstLinesToRange();

    // --- range (real units) ---
    double XMin() const { return m_xMin; }
    double YMin() const { return m_yMin; }
    double XMax() const { return m_xMax; }
    double YMax() const { return m_yMax; }

    // --- display settings; the active chart follows them ---
    bool Legend() const { return m_legend; }
    void SetLegend(bool on);
    bool ScientificScale() const { return m_scientific; }
    void SetScientificScale(bool on);
    QColor BackgroundColour() const { return m_background; }
    void SetBackgroundColour(const QColor& colour);
    bool Grid() const { return m_grid; }
    void SetGrid(bool on) { m_grid = on; }
    bool Boundary() const { return m_boundary; }
    void SetBoundary(bool on) { m_boundary = on; }
    bool Titles() const { return m_titles; }
    bool TablePointsShown() const { return m_tablePointsShown; }
    void SetTablePointsShown(bool on) { m_tablePointsShown = on; }

    const std::array<QColor, PaletteSize>& Palette() const { return m_palette; }
    QColor PaletteColour(int index) const;

    ConstLineList& XLines() { return m_xLines; }
    ConstLineList& YLines() { return m_yLines; }
    TablePointList& TablePoints() { return m_tablePoints; }
    const ConstLineList& XLines() const { return m_xLines; }
    const ConstLineList& YLines() const { return m_yLines; }
    const TablePointList& TablePoints() const { return m_tablePoints; }

    // Ends of the peak-current line i = k * x for the current range, cut
    // where it leaves the range.
    struct Segment
    {
        ChartValue from;
        ChartValue to;
    };
    Segment PeakCurrentLine(double k) const;

    // The cursor readout for a device point of the laid-out chart: "(x, y)"
    // in axis units, each "%8.3f". Empty while the chart is not ready, since
    // an axis without a range has no value to show.
    QString CursorReadout(QPoint point) const;

    // --- drawing ---
    // One screen paint of `area`: nothing while the chart is not ready,
    // else the chart through the off-screen image of the painter's clip.
    void Paint(QPainter& painter, const QRect& area);
    // One printed page: the chart straight onto the device in `area`, pen
    // widths, boundary inset and markers multiplied by `printScale`;
    // `overlay` adds to the page before the paint ends. An empty page
    // while the chart is not ready.
    void PaintPrinted(QPainter& painter, const QRect& area, int printScale,
                      const std::function<void(QPainter&)>& overlay = {});
    // Printer pixels per screen pixel, never below 1, so that printed
    // boundaries and markers keep their screen proportions.
    static int PrintScale(int printerDpi, int screenDpi);
    // The chart into an area of the active chart's current paint (between
    // its BeginDraw and EndDraw).
    void DrawChart(const QRect& area);
    // While a constant line follows the mouse only the lines and what lies
    // on them change: screen paints keep the picture under the lines from
    // the first paint and reuse it as long as area and clip box stay, so
    // that a line moves smoothly over many long curves. Off again when the
    // mouse lets go. A setting changed meanwhile (a shortcut pressed while
    // dragging) paints the picture afresh.
    void SetKeepPictureUnderLines(bool on);

private:
    void Activate(CChart& chart);
    void DrawUnderLines(CChart& chart, const QRect& area);
    void DrawLinesAndAbove(CChart& chart);
    void RefuseType(const QString& text);
    void DrawCurves(CChart& chart);
    void DrawConstLines(CChart& chart);
    void DrawTablePoints(CChart& chart);
    void DrawCutOffLines(CChart& chart);
    void UpdateCurveCache();

    CChartLinLin m_linLin;
    CChartLogLin m_logLin;
    CChartLinLog m_linLog;
    CChartLogLog m_logLog;
    CChart* m_active = &m_logLog;
    bool m_chartReady = false;
    ChartWarningHandler m_warn;

    std::vector<const Fuse*> m_fuses;
    const CharacteristicType* m_type = nullptr;

    double m_xMin = 1.0, m_yMin = 1.0, m_xMax = 100.0, m_yMax = 100.0;

    bool m_legend = true;
    bool m_scientific = false;
    QColor m_background = QColor(255, 255, 255);
    bool m_grid = true;
    bool m_boundary = false;
    bool m_titles = true;
    bool m_tablePointsShown = true;

    // The curves' points in real units, converted once per selection: the
    // database never changes while the program runs, and the conversion
    // would otherwise dominate every paint.
    struct Curve
    {
        bool exists = false;
        std::vector<float> xs;
        std::vector<float> ys;
    };
    std::vector<Curve> m_curves;
    bool m_curvesValid = false;

    // What the picture under the constant lines depends on besides the
    // paint's area and clip box.
    struct Look
    {
        std::vector<const Fuse*> fuses;
        const CharacteristicType* type = nullptr;
        const CChart* chart = nullptr;
        std::array<double, 4> range{};
        QColor background;
        std::array<bool, 5> switches{};
        bool operator==(const Look&) const = default;
    };
    Look CurrentLook() const;

    // The picture under the constant lines while one is moved.
    struct UnderLines
    {
        bool keep = false;
        Look look;
        QImage image;
        QRect area;
        QRect clip;
        QPen pen;
        QBrush brush;
        bool transparent = false;
    };
    UnderLines m_underLines;

    std::array<QColor, PaletteSize> m_palette;
    ConstLineList m_xLines;
    ConstLineList m_yLines;
    TablePointList m_tablePoints;
};
