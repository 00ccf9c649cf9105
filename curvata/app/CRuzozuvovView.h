#pragma once

#include "CCharacteristicChart.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class CharacteristicType;
class Fuse;

// The chart view of curvata: a thin window over CCharacteristicChart, which
// holds the selection and draws. The modeless windows (table of points,
// Const Lines) follow the view through its signals.
class CRuzozuvovView : public QWidget
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
    void SetFuses(const std::vector<const Fuse*>& fuses);
    const std::vector<const Fuse*>& Fuses() const { return m_chart.Fuses(); }
    void SetCharacteristic(const CharacteristicType* type, bool redraw);
    const CharacteristicType* CurrentCharacteristic() const
    {
        return m_chart.CurrentCharacteristic();
    }
    void AutoRange() { m_chart.AutoRange(); }
    void FitConstLinesToRange();
    void Redraw();

    ConstLineList& XLines() { return m_chart.XLines(); }
    ConstLineList& YLines() { return m_chart.YLines(); }
    TablePointList& TablePoints() { return m_chart.TablePoints(); }

    // --- display settings (each repaints) ---
    void SetGrid(bool on);
    void SetBoundary(bool on);
    void SetLegend(bool on);
    void SetTablePointsShown(bool on);
    void SetScientificScale(bool on);
    void SetBackgroundColour(const QColor& colour);

    // The Const Lines window, a child of the view while it is open; the view
    // destroys it when the characteristic type changes.
    void SetConstLinesWindow(QWidget* window) { m_constLinesWindow = window; }
    QWidget* ConstLinesWindow() const { return m_constLinesWindow; }

    // The size of the drawing area (the canvas).
    QSize LogicalSize() const { return size(); }

    // The screen paint: nothing while the chart is not ready.
    void OnDraw(QPainter& painter);

signals:
    // The current characteristic type changed (none: the table of points
    // closes and its calculator forgets the type).
    void characteristicChanged(const CharacteristicType* type);
    void fusesChanged();
    // Constant lines were removed or stretched to a new range.
    void constLinesFitted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateBackgroundErasing();

    CCharacteristicChart m_chart;
    QPointer<QWidget> m_constLinesWindow;
};
