#pragma once

#include "CCharacteristicChart.h"
#include "ChartCommandState.h"
#include "ChartZoom.h"
#include "ConstLineMover.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

class CharacteristicType;
class Fuse;
class QPrinter;
class QRubberBand;

// The chart view of curvata: a scrolling view over the canvas on which
// CCharacteristicChart lays out and draws the chart. The zoom state, the
// moving of constant lines and the command states live in display-free
// classes (ChartZoom, ConstLineMover, ChartCommandState); the view passes
// mouse and size events to them and repaints. The modeless windows (table of
// points, Const Lines) follow the view through its signals.
class CRuzozuvovView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit CRuzozuvovView(QWidget* parent = nullptr);
    ~CRuzozuvovView() override;

    CCharacteristicChart& Chart() { return m_chart; }
    const CCharacteristicChart& Chart() const { return m_chart; }
    CChart& ActiveChart() const { return m_chart.ActiveChart(); }
    bool IsChartReady() const { return m_chart.IsChartReady(); }

    // --- operations used by the dialogs and the project file ---
    // Replaces the selection; fusesChanged tells the table of points.
    void SetFuses(const std::vector<const Fuse*>& fuses);
    const std::vector<const Fuse*>& Fuses() const { return m_chart.Fuses(); }
    // Makes the type current (none clears the chart and closes the table of
    // points through characteristicChanged); closes the Const Lines window.
    void SetCharacteristic(const CharacteristicType* type, bool redraw);
    const CharacteristicType* CurrentCharacteristic() const
    {
        return m_chart.CurrentCharacteristic();
    }
    void AutoRange() { m_chart.AutoRange(); }
    void FitConstLinesToRange();
    // Lays the chart out for the canvas and repaints the whole view.
    void Redraw();
    // The canvas follows the window unless zoomed; the active chart is laid
    // out for it; the scroll bars show what lies outside the window.
    void UpdateCanvas();

    // The view's lists; who changes them calls Redraw.
    ConstLineList& XLines() { return m_chart.XLines(); }
    ConstLineList& YLines() { return m_chart.YLines(); }
    TablePointList& TablePoints() { return m_chart.TablePoints(); }

    // --- display settings (each repaints) ---
    void SetGrid(bool on);
    void SetBoundary(bool on);
    void SetLegend(bool on);
    void SetTablePointsShown(bool on);
    // Also tells an open table of points (scientificScaleChanged).
    void SetScientificScale(bool on);
    void SetBackgroundColour(const QColor& colour);

    // --- the modeless windows; the view forgets each when it is destroyed ---
    // The Const Lines window, a child of the view; the view destroys it when
    // the characteristic type changes.
    void SetConstLinesWindow(QWidget* window);
    QWidget* ConstLinesWindow() const { return m_constLinesWindow; }
    // The table of points window (a top-level window).
    void SetTableWindow(QWidget* window);
    QWidget* TableWindow() const { return m_tableWindow; }

    // --- zoom and mouse ---
    const ChartZoom& Zoom() const { return m_zoom; }
    // The canvas (the scroll size) and the window's area without scroll bars.
    QSize LogicalSize() const { return m_zoom.Canvas(); }
    QSize ClientSize() const;
    // The canvas point at the window's top-left.
    QPoint ScrollPosition() const;
    bool MoveMode() const { return m_moveMode; }
    // The text of the cursor readout for the last mouse position: "(x, y)"
    // in axis units, empty while no chart is shown.
    QString CursorReadout() const { return m_readout; }

    // --- commands (menu and toolbar) ---
    void OnZoomNone();
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomRectangle();
    void OnZoomDrag();
    // The modal Random zooming dialog; OK sets both factors.
    void OnZoomRandom();
    void ZoomRandom(float factorX, float factorY);
    void OnMoveConstLines();
    void OnGrid() { SetGrid(!m_chart.Grid()); }
    void OnBoundary() { SetBoundary(!m_chart.Boundary()); }
    void OnLegend() { SetLegend(!m_chart.Legend()); }
    void OnTablePoints() { SetTablePointsShown(!m_chart.TablePointsShown()); }
    void OnScientificScale() { SetScientificScale(!m_chart.ScientificScale()); }
    // The colour chooser opens with the current background colour.
    void OnBackColor();
    // Replaces the colour chooser (tests answer it); returns nothing on Cancel.
    using ColourChooser = std::function<std::optional<QColor>(QWidget* parent, QColor current)>;
    void SetColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }

    // The view's part of the command states.
    ChartCommandState::Inputs CommandInputs() const;

    // --- printing and export ---
    // One printed page: the chart below a band of 600 device pixels with the
    // program picture in the band; the zoom of the screen does not matter.
    // An empty page while no chart is shown.
    void PrintPage(QPrinter& printer);
    // The print scale for a printer resolution: printer pixels per screen
    // pixel, at least 1.
    int PrintScaleFor(int printerDpi) const;
    // Writes the chart at `size` as PNG, PDF or SVG (by the file's suffix).
    bool ExportChart(const QString& file, QSize size, QString* error);

    // The screen paint of the painter's clip (logical coordinates: the
    // painter is translated by the scroll position); nothing while the chart
    // is not ready.
    void OnDraw(QPainter& painter);

signals:
    // The current characteristic type changed (none: the table of points
    // closes and its calculator forgets the type).
    void characteristicChanged(const CharacteristicType* type);
    void fusesChanged();
    // Constant lines were removed or stretched to a new range.
    void constLinesFitted();
    // The user moved a constant line on the chart and let it go: the Const
    // Lines window gives its own line of that kind and name the new value.
    void constLineMoved(bool xLine, const QString& name, float value);
    void scientificScaleChanged(bool on);
    // The cursor readout for the status bar.
    void cursorReadoutChanged(const QString& text);
    // Something that enables or checks a command changed.
    void commandStateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void UpdateBackgroundErasing();
    void UpdateScrollBars();
    void ScrollTo(QPoint position);
    QPoint ToLogical(QPoint viewportPoint) const;
    QRect RubberBandRect(QPoint a, QPoint b) const;

    enum class Capture
    {
        None,
        Rectangle,
        Drag,
        MoveLine
    };

    CCharacteristicChart m_chart;
    ChartZoom m_zoom;
    ConstLineMover m_mover{m_chart};
    bool m_moveMode = false;
    Capture m_capture = Capture::None;
    QPoint m_rectStart;
    QPoint m_rectCurrent;
    QPoint m_dragAnchor;
    QRubberBand* m_rubberBand = nullptr;
    QString m_readout;
    ColourChooser m_chooseColour;
    QPointer<QWidget> m_constLinesWindow;
    QPointer<QWidget> m_tableWindow;
};
