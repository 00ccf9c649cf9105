#include "CRuzozuvovView.h"

#include "CRandomZoomDlg.h"
#include "ChartExport.h"
#include "ChartPrintPage.h"
#include "MessageBoxService.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QRubberBand>
#include <QScrollBar>

CRuzozuvovView::CRuzozuvovView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("CRuzozuvovView"));
    // No frame: the window's outer size is its client size, which the
    // rectangle zoom measures against.
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 255));
    viewport()->setPalette(palette);
    UpdateBackgroundErasing();
    // The chart cannot show a refused range itself; the window tells the
    // user, as every window does, in a message box without owner.
    m_chart.SetWarningHandler([](const ChartWarning& warning) {
        MessageBoxService::show(nullptr, warning.text, warning.caption, MessageBoxService::Ok,
                                warning.kind == ChartWarning::Exclamation
                                    ? MessageBoxService::Warning
                                    : MessageBoxService::NoIcon);
    });
    m_chooseColour = [](QWidget* parent, QColor current) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, parent);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
    m_zoom.SetClientSize(ClientSize());
}

CRuzozuvovView::~CRuzozuvovView() = default;

void CRuzozuvovView::UpdateBackgroundErasing()
{
    // A ready chart fills its whole area itself; erasing first would flicker.
    // Outside a canvas smaller than the window the background still shows.
    const bool chartPaintsAll = m_chart.IsChartReady() && ActiveChart().DoubleBuffering() &&
                                m_zoom.Canvas().width() >= viewport()->width() &&
                                m_zoom.Canvas().height() >= viewport()->height();
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, chartPaintsAll);
    viewport()->setAutoFillBackground(!chartPaintsAll);
}

// ------------------------------------------------------------- operations

void CRuzozuvovView::SetFuses(const std::vector<const Fuse*>& fuses)
{
    m_chart.SetFuses(fuses);
    emit fusesChanged();
    emit commandStateChanged();
}

void CRuzozuvovView::SetCharacteristic(const CharacteristicType* type, bool redraw)
{
    if (m_constLinesWindow)
        delete m_constLinesWindow.data();
    m_chart.SetCharacteristic(type);
    if (m_chart.IsChartReady())
        emit constLinesFitted();
    emit characteristicChanged(type);
    if (redraw)
        Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::FitConstLinesToRange()
{
    m_chart.FitConstLinesToRange();
    emit constLinesFitted();
    emit commandStateChanged();
}

QSize CRuzozuvovView::ClientSize() const
{
    // The whole area inside the frame: scroll bars that a zoomed canvas
    // brings must not shrink the size the canvas is measured against.
    return maximumViewportSize();
}

QPoint CRuzozuvovView::ScrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CRuzozuvovView::UpdateScrollBars()
{
    const QSize canvas = m_zoom.Canvas();
    const QSize window = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, m_zoom.IsZoomed() ? std::max(0, canvas.width() - window.width()) : 0);
    v->setRange(0, m_zoom.IsZoomed() ? std::max(0, canvas.height() - window.height()) : 0);
    h->setPageStep(std::max(1, window.width()));
    v->setPageStep(std::max(1, window.height()));
    h->setSingleStep(std::max(1, window.width() / 10));
    v->setSingleStep(std::max(1, window.height() / 10));
}

void CRuzozuvovView::UpdateCanvas()
{
    m_zoom.SetClientSize(ClientSize());
    UpdateScrollBars();
    if (m_chart.IsChartReady())
        ActiveChart().Layout(m_zoom.LayoutArea());
}

void CRuzozuvovView::Redraw()
{
    UpdateCanvas();
    UpdateBackgroundErasing();
    viewport()->update();
}

void CRuzozuvovView::ScrollTo(QPoint position)
{
    // The scroll bars clamp to the scrollable range.
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

QPoint CRuzozuvovView::ToLogical(QPoint viewportPoint) const
{
    return viewportPoint + ScrollPosition();
}

// ------------------------------------------------------- display settings

void CRuzozuvovView::SetGrid(bool on)
{
    m_chart.SetGrid(on);
    Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::SetBoundary(bool on)
{
    m_chart.SetBoundary(on);
    Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::SetLegend(bool on)
{
    m_chart.SetLegend(on);
    Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::SetTablePointsShown(bool on)
{
    m_chart.SetTablePointsShown(on);
    Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::SetScientificScale(bool on)
{
    m_chart.SetScientificScale(on);
    emit scientificScaleChanged(on);
    Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::SetBackgroundColour(const QColor& colour)
{
    m_chart.SetBackgroundColour(colour);
    Redraw();
}

void CRuzozuvovView::OnBackColor()
{
    if (!m_chooseColour)
        return;
    if (const std::optional<QColor> colour = m_chooseColour(this, m_chart.BackgroundColour()))
        SetBackgroundColour(*colour);
}

void CRuzozuvovView::SetConstLinesWindow(QWidget* window)
{
    m_constLinesWindow = window;
}

void CRuzozuvovView::SetTableWindow(QWidget* window)
{
    m_tableWindow = window;
}

// ------------------------------------------------------------------- zoom

void CRuzozuvovView::OnZoomNone()
{
    m_zoom.ZoomNone();
    Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::OnZoomIn()
{
    if (m_zoom.ZoomIn())
        Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::OnZoomOut()
{
    if (m_zoom.ZoomOut())
        Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::OnZoomRectangle()
{
    m_zoom.SetMode(ChartZoom::Rectangle);
    emit commandStateChanged();
}

void CRuzozuvovView::OnZoomDrag()
{
    m_zoom.SetMode(ChartZoom::Drag);
    emit commandStateChanged();
}

void CRuzozuvovView::OnZoomRandom()
{
    CRandomZoomDlg dialog(m_zoom.FactorX(), m_zoom.FactorY(), this);
    if (dialog.exec() == QDialog::Accepted)
        ZoomRandom(dialog.FactorX(), dialog.FactorY());
}

void CRuzozuvovView::ZoomRandom(float factorX, float factorY)
{
    m_zoom.SetClientSize(ClientSize());
    m_zoom.Random(factorX, factorY);
    Redraw();
    emit commandStateChanged();
}

void CRuzozuvovView::OnMoveConstLines()
{
    m_moveMode = !m_moveMode;
    emit commandStateChanged();
}

ChartCommandState::Inputs CRuzozuvovView::CommandInputs() const
{
    ChartCommandState::Inputs in;
    in.zoomMode = m_zoom.GetMode();
    in.canZoomIn = m_zoom.CanZoomIn();
    in.canZoomOut = m_zoom.CanZoomOut();
    in.zoomed = m_zoom.IsZoomed();
    in.moveMode = m_moveMode;
    in.anyConstLine = !m_chart.XLines().isEmpty() || !m_chart.YLines().isEmpty();
    in.fuseCount = int(m_chart.Fuses().size());
    in.chartReady = m_chart.IsChartReady();
    in.grid = m_chart.Grid();
    in.boundary = m_chart.Boundary();
    in.legend = m_chart.Legend();
    in.tablePoints = m_chart.TablePointsShown();
    in.scientific = m_chart.ScientificScale();
    return in;
}

// ------------------------------------------------------------------ mouse

QRect CRuzozuvovView::RubberBandRect(QPoint a, QPoint b) const
{
    return QRect(a - ScrollPosition(), b - ScrollPosition()).normalized();
}

void CRuzozuvovView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_capture != Capture::None)
        return;
    const QPoint point = ToLogical(event->position().toPoint());
    // Moving lines takes precedence over the zoom mode.
    if (m_moveMode) {
        m_capture = Capture::MoveLine;
        m_mover.Press(point);
        m_chart.SetKeepPictureUnderLines(true);
        return;
    }
    if (m_zoom.GetMode() == ChartZoom::Rectangle) {
        m_capture = Capture::Rectangle;
        m_rectStart = m_rectCurrent = point;
        if (!m_rubberBand)
            m_rubberBand = new QRubberBand(QRubberBand::Rectangle, viewport());
        m_rubberBand->setGeometry(RubberBandRect(m_rectStart, m_rectCurrent));
        m_rubberBand->show();
        viewport()->setCursor(Qt::SizeFDiagCursor);
    } else if (m_zoom.GetMode() == ChartZoom::Drag) {
        m_capture = Capture::Drag;
        m_dragAnchor = point;
        viewport()->setCursor(Qt::SizeAllCursor);
    }
}

void CRuzozuvovView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = ToLogical(event->position().toPoint());
    switch (m_capture) {
    case Capture::MoveLine:
        // A press that picked nothing redraws nothing either.
        if (m_mover.Move(point))
            Redraw();
        break;
    case Capture::Rectangle:
        m_rectCurrent = point;
        m_rubberBand->setGeometry(RubberBandRect(m_rectStart, m_rectCurrent));
        break;
    case Capture::Drag: // the canvas moves only when the button is released
    case Capture::None:
        break;
    }
    const QString readout = m_chart.CursorReadout(point);
    if (readout != m_readout || !readout.isEmpty()) {
        m_readout = readout;
        emit cursorReadoutChanged(m_readout);
    }
}

void CRuzozuvovView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = ToLogical(event->position().toPoint());
    const Capture capture = m_capture;
    m_capture = Capture::None;
    viewport()->unsetCursor();
    if (capture == Capture::MoveLine) {
        const std::optional<ConstLineMover::Moved> moved = m_mover.Release(point);
        m_chart.SetKeepPictureUnderLines(false);
        if (moved)
            emit constLineMoved(moved->xLine, moved->name, moved->value);
        Redraw();
    } else if (capture == Capture::Rectangle) {
        m_rubberBand->hide();
        m_zoom.SetClientSize(ClientSize());
        if (const std::optional<QPoint> scroll =
                m_zoom.ZoomToRectangle(m_rectStart, point, size())) {
            UpdateCanvas();
            ScrollTo(*scroll);
            Redraw();
            emit commandStateChanged();
        }
    } else if (capture == Capture::Drag) {
        // The canvas follows the mouse.
        ScrollTo(ScrollPosition() - (point - m_dragAnchor));
        Redraw();
    }
}

// ------------------------------------------------------------------ paint

void CRuzozuvovView::OnDraw(QPainter& painter)
{
    m_chart.Paint(painter, m_zoom.LayoutArea());
}

void CRuzozuvovView::paintEvent(QPaintEvent* event)
{
    if (!m_chart.IsChartReady())
        return; // the background was erased
    // Only the canvas: beside a canvas smaller than the window the erased
    // background stays.
    const QPoint scroll = ScrollPosition();
    const QRect clip = event->rect().translated(scroll) & m_zoom.LayoutArea();
    if (clip.isEmpty())
        return;
    QPainter painter(viewport());
    painter.translate(-scroll);
    painter.setClipRect(clip);
    OnDraw(painter);
}

void CRuzozuvovView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (width() > 0 && height() > 0) {
        UpdateCanvas();
        UpdateBackgroundErasing();
        emit commandStateChanged();
    }
}

void CRuzozuvovView::scrollContentsBy(int, int)
{
    viewport()->update();
}

// -------------------------------------------------------- print and export

int CRuzozuvovView::PrintScaleFor(int printerDpi) const
{
    return CCharacteristicChart::PrintScale(printerDpi, logicalDpiX());
}

void CRuzozuvovView::PrintPage(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    ChartPrintPage::Draw(m_chart, painter, QSize(printer.width(), printer.height()),
                         PrintScaleFor(printer.resolution()));
    painter.end();
    // The page laid the chart out for paper; the screen needs its own.
    UpdateCanvas();
}

bool CRuzozuvovView::ExportChart(const QString& file, QSize size, QString* error)
{
    const bool ok = ChartExport::Write(m_chart, size, file, error);
    UpdateCanvas();
    return ok;
}
