#include "CCharacteristicChart.h"

#include "FuseModel.h"

#include <QPainter>
#include <algorithm>
#include <charconv>
#include <cmath>

const QString CCharacteristicChart::CutOffCurrentName = QStringLiteral("Cut-Off Current");
const QString CCharacteristicChart::ApplicationTitle = QStringLiteral("Curvata");

namespace {

// log10 of a value read from the curves may sit a hair off a whole decade;
// that noise must not add a decade to the range.
constexpr double kDecadeTolerance = 1e-9;

double decadeBelow(double v)
{
    if (v > 0.0)
        return std::pow(10.0, std::floor(std::log10(v) + kDecadeTolerance));
    if (v < 0.0)
        return -std::pow(10.0, std::ceil(std::log10(-v) - kDecadeTolerance));
    return 0.0;
}

double decadeAbove(double v)
{
    if (v > 0.0)
        return std::pow(10.0, std::ceil(std::log10(v) - kDecadeTolerance));
    if (v < 0.0)
        return -std::pow(10.0, std::floor(std::log10(-v) + kDecadeTolerance));
    return 0.0;
}

// Rounds [lo, hi] outward to decades; an axis whose curves all sit on one
// decade value still gets a span of one decade so that it has a scale.
void roundToDecades(double& lo, double& hi)
{
    lo = decadeBelow(lo);
    hi = decadeAbove(hi);
    if (lo == hi) {
        if (hi > 0.0)
            hi *= 10.0;
        else if (hi < 0.0)
            hi /= 10.0;
        else
            hi = 1.0;
    }
}

QString formatG(double value)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

bool outside(float value, double lo, double hi)
{
    return value < float(lo) || value > float(hi);
}

} // namespace

CCharacteristicChart::CCharacteristicChart()
    : m_palette{QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),
                QColor(255, 0, 255), QColor(0, 255, 255), QColor(128, 128, 128),
                QColor(128, 128, 0), QColor(128, 0, 128), QColor(0, 128, 128),
                QColor(128, 0, 0),   QColor(0, 128, 0),   QColor(0, 0, 128),
                QColor(255, 255, 0), QColor(0, 0, 0)}
{
    // Every coordinate system starts with the view's initial range, so that
    // a type whose curves give no range still shows sensible axes.
    m_linLin.SetRange(1.0, 1.0, 100.0, 100.0);
    m_logLin.SetRange(1.0, 1.0, 100.0, 100.0);
    m_linLog.SetRange(1.0, 1.0, 100.0, 100.0);
    m_logLog.SetRange(1.0, 1.0, 100.0, 100.0);
    Activate(m_logLog);
}

QColor CCharacteristicChart::PaletteColour(int index) const
{
    return m_palette[std::size_t(((index % PaletteSize) + PaletteSize) % PaletteSize)];
}

void CCharacteristicChart::Activate(CChart& chart)
{
    chart.SetLegend(m_legend);
    chart.SetScientificLabels(m_scientific);
    chart.SetBackgroundColour(m_background);
    m_active = &chart;
}

void CCharacteristicChart::SetWarningHandler(const ChartWarningHandler& handler)
{
    m_warn = handler;
    for (CChart* chart : {static_cast<CChart*>(&m_linLin), static_cast<CChart*>(&m_logLin),
                          static_cast<CChart*>(&m_linLog), static_cast<CChart*>(&m_logLog)})
        chart->SetWarningHandler(handler);
}

void CCharacteristicChart::SetLegend(bool on)
{
    m_legend = on;
    m_active->SetLegend(on);
}

void CCharacteristicChart::SetScientificScale(bool on)
{
    m_scientific = on;
    m_active->SetScientificLabels(on);
}

void CCharacteristicChart::SetBackgroundColour(const QColor& colour)
{
    m_background = colour;
    m_active->SetBackgroundColour(colour);
}

void CCharacteristicChart::SetFuses(const std::vector<const Fuse*>& fuses)
{
    m_fuses = fuses;
    m_curvesValid = false;
}

void CCharacteristicChart::SetCharacteristic(const CharacteristicType* type)
{
    m_curvesValid = false;
    if (!type) {
        m_chartReady = false;
        m_type = nullptr;
        return;
    }
    m_chartReady = true;
    m_type = type;
    if (type->isLogX())
        Activate(type->isLogY() ? static_cast<CChart&>(m_logLog) : m_logLin);
    else
        Activate(type->isLogY() ? static_cast<CChart&>(m_linLog) : m_linLin);
    AutoRange();
}

void CCharacteristicChart::AutoRange()
{
    if (m_fuses.empty() || !m_type)
        return;
    // Positions on an axis the type defines without values (a logarithmic
    // axis with a limit at or below 0) have no place anywhere on the chart.
    const std::pair<const AxisDefinition*, const char*> axes[] = {{&m_type->xAxis(), "X"},
                                                                  {&m_type->yAxis(), "Y"}};
    for (const auto& [axis, name] : axes) {
        if (!axis->givesValues()) {
            RefuseType(QStringLiteral("The characteristic type \"%1\" cannot be drawn: its %2 axis "
                                      "is logarithmic and runs from %3 to %4, but a logarithmic "
                                      "axis needs limits above 0.")
                           .arg(m_type->name(), QLatin1String(name), formatG(axis->start),
                                formatG(axis->end)));
            return;
        }
    }
    double nxMin = 0, nxMax = 0, nyMin = 0, nyMax = 0;
    bool any = false;
    for (const Fuse* fuse : m_fuses) {
        const Characteristic* curve = fuse ? fuse->findCharacteristic(m_type->name()) : nullptr;
        if (!curve)
            continue;
        for (const CurvePoint& p : curve->points()) {
            // A point that cannot be drawn must not stretch the range.
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                continue;
            if (!any) {
                nxMin = nxMax = p.x;
                nyMin = nyMax = p.y;
                any = true;
                continue;
            }
            nxMin = std::min(nxMin, p.x);
            nxMax = std::max(nxMax, p.x);
            nyMin = std::min(nyMin, p.y);
            nyMax = std::max(nyMax, p.y);
        }
    }
    if (!any)
        return;
    // An axis running from a larger start to a smaller end turns the
    // normalized extremes around; the range is always smaller to larger.
    const double xa = m_type->xValue(nxMin), xb = m_type->xValue(nxMax);
    const double ya = m_type->yValue(nyMin), yb = m_type->yValue(nyMax);
    if (!std::isfinite(xa) || !std::isfinite(xb) || !std::isfinite(ya) || !std::isfinite(yb)) {
        RefuseType(QStringLiteral("The curves of the characteristic type \"%1\" reach values too "
                                  "large to be drawn.")
                       .arg(m_type->name()));
        return;
    }
    double xMin = std::min(xa, xb), xMax = std::max(xa, xb);
    double yMin = std::min(ya, yb), yMax = std::max(ya, yb);
    roundToDecades(xMin, xMax);
    roundToDecades(yMin, yMax);

    m_xMin = xMin;
    m_yMin = yMin;
    m_xMax = xMax;
    m_yMax = yMax;
    if (!m_active->SetRange(xMin, yMin, xMax, yMax)) {
        m_chartReady = false;
        if (m_warn)
            m_warn(ChartWarning{QStringLiteral("Setting Range failed"), ApplicationTitle,
                                ChartWarning::Plain});
        return;
    }
    FitConstLinesToRange();
}

void CCharacteristicChart::RefuseType(const QString& text)
{
    m_chartReady = false;
    if (m_warn)
        m_warn(ChartWarning{text, ApplicationTitle, ChartWarning::Exclamation});
}

CCharacteristicChart::RemovedConstLines CCharacteristicChart::FitConstLinesToRange()
{
    RemovedConstLines removed;
    m_xLines.removeIf([&](const ConstLine& line) {
        const bool out = outside(line.x1, m_xMin, m_xMax);
        if (out)
            removed.xLines.append(line);
        return out;
    });
    for (ConstLine& line : m_xLines) {
        line.y1 = float(m_yMin);
        line.y2 = float(m_yMax);
    }
    m_yLines.removeIf([&](const ConstLine& line) {
        const bool out = outside(line.y1, m_yMin, m_yMax);
        if (out)
            removed.yLines.append(line);
        return out;
    });
    for (ConstLine& line : m_yLines) {
        line.x1 = float(m_xMin);
        line.x2 = float(m_xMax);
    }
    return removed;
}

QString CCharacteristicChart::CursorReadout(QPoint point) const
{
    if (!m_chartReady)
        return QString();
    const ChartValue value = m_active->ToValue(point);
    return QString::asprintf("(%8.3f, %8.3f)", double(value.x), double(value.y));
}

// ----------------------------------------------------------------- drawing

void CCharacteristicChart::Paint(QPainter& painter, const QRect& area)
{
    if (!m_chartReady)
        return;
    CChart& chart = *m_active;
    chart.SetViewport(0.0, 0.0, 1.0, 1.0);
    chart.Layout(area);
    chart.BeginDraw(painter);
    const QImage* buffer = chart.OffscreenImage();
    UnderLines& kept = m_underLines;
    if (kept.keep && buffer && !kept.image.isNull() && kept.area == area &&
        kept.clip == chart.ClipBox() && kept.image.size() == buffer->size() &&
        kept.look == CurrentLook()) {
        chart.Painter()->drawImage(chart.ClipBox().topLeft(), kept.image);
        // The lines start from the drawing state the picture ended with.
        chart.SetPen(kept.pen);
        chart.SetBrush(kept.brush);
        chart.SetTransparentBackground(kept.transparent);
    } else {
        DrawUnderLines(chart, area);
        if (kept.keep && buffer) {
            kept.image = buffer->copy();
            kept.area = area;
            kept.clip = chart.ClipBox();
            kept.look = CurrentLook();
            kept.pen = chart.Pen();
            kept.brush = chart.Painter()->brush();
            kept.transparent = chart.TransparentBackground();
        }
    }
    DrawLinesAndAbove(chart);
    chart.EndDraw(painter);
}

CCharacteristicChart::Look CCharacteristicChart::CurrentLook() const
{
    return Look{m_fuses,
                m_type,
                m_active,
                {m_xMin, m_yMin, m_xMax, m_yMax},
                m_background,
                {m_legend, m_scientific, m_grid, m_boundary, m_titles}};
}

void CCharacteristicChart::SetKeepPictureUnderLines(bool on)
{
    m_underLines = UnderLines();
    m_underLines.keep = on;
}

void CCharacteristicChart::PaintPrinted(QPainter& painter, const QRect& area, int printScale,
                                        const std::function<void(QPainter&)>& overlay)
{
    if (!m_chartReady)
        return;
    CChart& chart = *m_active;
    chart.SetPrinting(true);
    chart.SetPrintScale(std::max(1, printScale));
    chart.SetViewport(0.0, 0.0, 1.0, 1.0);
    chart.Layout(area);
    chart.BeginDraw(painter);
    DrawChart(area);
    if (overlay)
        overlay(painter);
    chart.EndDraw(painter);
}

int CCharacteristicChart::PrintScale(int printerDpi, int screenDpi)
{
    if (printerDpi <= 0 || screenDpi <= 0)
        return 1;
    return std::max(1, printerDpi / screenDpi);
}

void CCharacteristicChart::DrawChart(const QRect& area)
{
    DrawUnderLines(*m_active, area);
    DrawLinesAndAbove(*m_active);
}

void CCharacteristicChart::DrawUnderLines(CChart& chart, const QRect& area)
{
    chart.SetViewport(0.0, 0.0, 1.0, 1.0);
    chart.Layout(area);
    if (m_boundary)
        chart.DrawBoundary(QColor(0, 0, 0), 2);
    if (m_titles && m_type) {
        chart.DrawXTitle(m_type->xUnit());
        chart.DrawYTitle(m_type->yUnit());
        chart.DrawTitle(m_type->name());
    }
    chart.DrawAxes();
    if (m_grid)
        chart.DrawGrid();
    DrawCurves(chart);
}

void CCharacteristicChart::DrawLinesAndAbove(CChart& chart)
{
    DrawConstLines(chart);
    if (m_tablePointsShown)
        DrawTablePoints(chart);
    if (m_type && m_type->name() == CutOffCurrentName)
        DrawCutOffLines(chart);
}

void CCharacteristicChart::UpdateCurveCache()
{
    if (m_curvesValid)
        return;
    m_curves.assign(m_fuses.size(), Curve());
    for (std::size_t i = 0; i < m_fuses.size() && m_type; ++i) {
        const Fuse* fuse = m_fuses[i];
        const Characteristic* curve = fuse ? fuse->findCharacteristic(m_type->name()) : nullptr;
        if (!curve)
            continue;
        Curve& cached = m_curves[i];
        cached.exists = true;
        cached.xs.reserve(curve->points().size());
        cached.ys.reserve(curve->points().size());
        for (const CurvePoint& p : curve->points()) {
            cached.xs.push_back(float(m_type->xValue(p.x)));
            cached.ys.push_back(float(m_type->yValue(p.y)));
        }
    }
    m_curvesValid = true;
}

void CCharacteristicChart::DrawCurves(CChart& chart)
{
    if (!m_type)
        return;
    UpdateCurveCache();
    for (std::size_t i = 0; i < m_fuses.size(); ++i) {
        const Curve& curve = m_curves[i];
        if (!curve.exists)
            continue;
        // A fuse's legend entry appears even when its name is empty.
        QString name = m_fuses[i]->name();
        if (name.isNull())
            name = QStringLiteral("");
        chart.DrawPolyline(curve.xs.data(), curve.ys.data(), int(curve.xs.size()),
                           PaletteColour(int(i)), int(i) + 1, name, 0, Qt::SolidLine, -1);
    }
}

void CCharacteristicChart::DrawConstLines(CChart& chart)
{
    for (const ConstLine& line : m_yLines) {
        const float xs[2] = {line.x1, line.x2};
        const float ys[2] = {line.y1, line.y2};
        const QString label =
            line.name + QStringLiteral(" (") + formatG(line.y1) + QLatin1Char(')');
        chart.DrawPolyline(xs, ys, 2, line.colour, 0, label, 0, Qt::SolidLine, 1);
    }
    for (const ConstLine& line : m_xLines) {
        const float xs[2] = {line.x1, line.x2};
        const float ys[2] = {line.y1, line.y2};
        const QString label =
            line.name + QStringLiteral(" (") + formatG(line.x1) + QLatin1Char(')');
        chart.DrawPolyline(xs, ys, 2, line.colour, 0, label, 0, Qt::SolidLine, 2);
    }
}

void CCharacteristicChart::DrawTablePoints(CChart& chart)
{
    QPainter* dc = chart.Painter();
    if (!dc)
        return;
    const QBrush previous = dc->brush();
    chart.SetBrush(QBrush(m_palette[13]));
    for (const TablePoint& point : m_tablePoints)
        chart.DrawMarker(point.x, point.y, CChart::MarkerFilledCircle, 3);
    chart.SetBrush(previous);
}

CCharacteristicChart::Segment CCharacteristicChart::PeakCurrentLine(double k) const
{
    double x0 = m_xMin, y0 = k * m_xMin;
    if (y0 < m_yMin) {
        x0 = m_yMin / k;
        y0 = m_yMin;
    }
    double x1 = m_yMax / k, y1 = m_yMax;
    if (x1 > m_xMax) {
        x1 = m_xMax;
        y1 = k * m_xMax;
    }
    return Segment{ChartValue{float(x0), float(y0)}, ChartValue{float(x1), float(y1)}};
}

void CCharacteristicChart::DrawCutOffLines(CChart& chart)
{
    const double root2 = std::sqrt(2.0);
    const QString radical(QChar(0xD6));
    const struct
    {
        double k;
        QString label;
    } lines[2] = {{root2, radical + QStringLiteral("2Ik")},
                  {2.0 * root2, QStringLiteral("2") + radical + QStringLiteral("2Ik")}};
    for (const auto& line : lines) {
        const Segment segment = PeakCurrentLine(line.k);
        const float xs[2] = {segment.from.x, segment.to.x};
        const float ys[2] = {segment.from.y, segment.to.y};
        chart.DrawPolyline(xs, ys, 2, m_palette[13], 0, line.label, 0, Qt::SolidLine, 3);
    }
}
