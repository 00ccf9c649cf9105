#include "CRuzozuvovView.h"

#include "MessageBoxService.h"

#include <QPaintEvent>
#include <QPainter>

CRuzozuvovView::CRuzozuvovView(QWidget* parent) : QWidget(parent)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 255));
    setPalette(palette);
    UpdateBackgroundErasing();
    // The chart cannot show a refused range itself; the window tells the
    // user, as every window does, in a message box without owner.
    m_chart.SetWarningHandler([](const ChartWarning& warning) {
        MessageBoxService::show(nullptr, warning.text, warning.caption, MessageBoxService::Ok,
                                warning.kind == ChartWarning::Exclamation
                                    ? MessageBoxService::Warning
                                    : MessageBoxService::NoIcon);
    });
}

CRuzozuvovView::~CRuzozuvovView() = default;

void CRuzozuvovView::UpdateBackgroundErasing()
{
    // A ready chart fills its whole area itself; erasing first would flicker.
    const bool chartPaintsAll = m_chart.IsChartReady() && ActiveChart().DoubleBuffering();
    setAttribute(Qt::WA_OpaquePaintEvent, chartPaintsAll);
    setAutoFillBackground(!chartPaintsAll);
}

void CRuzozuvovView::SetFuses(const std::vector<const Fuse*>& fuses)
{
    m_chart.SetFuses(fuses);
    emit fusesChanged();
}

void CRuzozuvovView::SetCharacteristic(const CharacteristicType* type, bool redraw)
{
    if (m_constLinesWindow)
        delete m_constLinesWindow.data();
    m_chart.SetCharacteristic(type);
    if (m_chart.IsChartReady())
        emit constLinesFitted();
    emit characteristicChanged(type);
    if (redraw) {
        if (m_chart.IsChartReady())
            ActiveChart().Layout(QRect(QPoint(0, 0), LogicalSize()));
        UpdateBackgroundErasing();
        update();
    }
}

void CRuzozuvovView::FitConstLinesToRange()
{
    m_chart.FitConstLinesToRange();
    emit constLinesFitted();
}

void CRuzozuvovView::Redraw()
{
    if (m_chart.IsChartReady())
        ActiveChart().Layout(QRect(QPoint(0, 0), LogicalSize()));
    UpdateBackgroundErasing();
    update();
}

void CRuzozuvovView::SetGrid(bool on)
{
    m_chart.SetGrid(on);
    Redraw();
}

void CRuzozuvovView::SetBoundary(bool on)
{
    m_chart.SetBoundary(on);
    Redraw();
}

void CRuzozuvovView::SetLegend(bool on)
{
    m_chart.SetLegend(on);
    Redraw();
}

void CRuzozuvovView::SetTablePointsShown(bool on)
{
    m_chart.SetTablePointsShown(on);
    Redraw();
}

void CRuzozuvovView::SetScientificScale(bool on)
{
    m_chart.SetScientificScale(on);
    Redraw();
}

void CRuzozuvovView::SetBackgroundColour(const QColor& colour)
{
    m_chart.SetBackgroundColour(colour);
    Redraw();
}

void CRuzozuvovView::OnDraw(QPainter& painter)
{
    m_chart.Paint(painter, QRect(QPoint(0, 0), LogicalSize()));
}

void CRuzozuvovView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRect(event->rect());
    OnDraw(painter);
}

void CRuzozuvovView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() > 0 && height() > 0 && m_chart.IsChartReady())
        ActiveChart().Layout(QRect(QPoint(0, 0), LogicalSize()));
}
