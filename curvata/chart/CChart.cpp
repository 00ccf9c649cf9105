#include "CChart.h"

#include "ChartFont.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Farther than any canvas can reach; keeps clamped points harmless.
constexpr double kCoordinateLimit = 10'000'000.0;

QString toChars(double value, std::chars_format format, int precision)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc())
        return QStringLiteral("?");
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString general12(double value)
{
    return toChars(value, std::chars_format::general, 12);
}

} // namespace

CChart::CChart(ChartAxis::Scale x, ChartAxis::Scale y)
    : m_x(x), m_y(y), m_textFont(ChartFont::textFont()), m_symbolFont(ChartFont::symbolFont())
{
    m_selectedFont = m_textFont;
}

CChart::~CChart() = default;

int CChart::TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

bool CChart::SetRange(double xMinimum, double yMinimum, double xMaximum, double yMaximum)
{
    if (!m_x.AcceptsEnds(xMinimum, xMaximum))
        return WarnBelowMinimum(true);
    if (!m_y.AcceptsEnds(yMinimum, yMaximum))
        return WarnBelowMinimum(false);
    // A range end that is not a number would leave nothing to draw.
    if (!std::isfinite(xMinimum) || !std::isfinite(xMaximum) || !std::isfinite(yMinimum) ||
        !std::isfinite(yMaximum))
        return false;
    m_x.SetRange(xMinimum, xMaximum);
    m_y.SetRange(yMinimum, yMaximum);
    return true;
}

bool CChart::WarnBelowMinimum(bool xAxis)
{
    if (m_warn) {
        m_warn(
            ChartWarning{xAxis ? QStringLiteral("The X minimum value must be larger than 0.000001")
                               : QStringLiteral("The Y minimum value must be larger than 0.000001"),
                         QStringLiteral("Warning"), ChartWarning::Exclamation});
    }
    return false;
}

void CChart::SetViewport(double left, double top, double right, double bottom)
{
    m_viewportLeft = left;
    m_viewportTop = top;
    m_viewportRight = right;
    m_viewportBottom = bottom;
}

void CChart::Layout(const QRect& area)
{
    m_drawingArea = area;
    const int areaLeft = area.x();
    const int areaTop = area.y();
    const int areaRight = area.x() + area.width();
    const int areaBottom = area.y() + area.height();
    m_g.frameLeft = areaLeft + TruncToInt((areaRight - areaLeft) * m_viewportLeft);
    m_g.frameTop = areaTop + TruncToInt((areaBottom - areaTop) * m_viewportTop);
    m_g.frameRight = areaRight - TruncToInt((1.0 - m_viewportRight) * (areaRight - areaLeft));
    m_g.frameBottom = areaBottom - TruncToInt((1.0 - m_viewportBottom) * (areaBottom - areaTop));

    const int w = m_g.frameRight - m_g.frameLeft;
    const int h = m_g.frameBottom - m_g.frameTop;
    m_g.leftMargin = w / 8;
    m_g.rightMarginUnit = w / 8;
    m_g.topMargin = h / 10;
    m_g.bottomMargin = h / 6;
    m_g.plotLeft = m_g.frameLeft + w / 8;
    m_g.plotRight = m_g.frameRight - (m_legend ? 2 * (w / 8) : w / 8);
    m_g.plotTop = m_g.frameTop + h / 10;
    m_g.plotBottom = m_g.frameBottom - h / 6;
    m_g.plotWidth = m_g.plotRight - m_g.plotLeft;
    m_g.plotHeight = m_g.plotBottom - m_g.plotTop;
    m_g.xScale = (m_x.Max() - m_x.Min()) / m_g.plotWidth;
    m_g.yScale = (m_y.Max() - m_y.Min()) / m_g.plotHeight;
    m_g.textSizeBase = std::min(m_g.plotHeight, m_g.plotWidth);
}

QPoint CChart::ToDevice(float x, float y)
{
    const double X = m_x.ToAxis(double(x));
    const double Y = m_y.ToAxis(double(y));
    m_currentX = m_g.plotLeft + TruncToInt((X - m_x.Min()) / m_g.xScale);
    m_currentY = TruncToInt(m_g.plotBottom - (Y - m_y.Min()) / m_g.yScale);
    return QPoint(m_currentX, m_currentY);
}

ChartValue CChart::ToValue(QPoint point)
{
    const double X = (point.x() - m_g.plotLeft) * m_g.xScale + m_x.Min();
    const double Y = (m_g.plotBottom - point.y()) * m_g.yScale + m_y.Min();
    return ChartValue{float(m_x.FromAxis(X)), float(m_y.FromAxis(Y))};
}

bool CChart::CanPlace(float x, float y) const
{
    return m_x.CanPlace(double(x)) && m_y.CanPlace(double(y));
}

void CChart::MoveToValue(float x, float y)
{
    m_penPosition = ToDevice(x, y);
}

void CChart::LineToValue(float x, float y)
{
    const QPoint to = ToDevice(x, y);
    if (m_dc)
        m_dc->drawLine(m_penPosition, to);
    m_penPosition = to;
}

int CChart::FontHeight(double k) const
{
    const int height = TruncToInt(-m_g.textSizeBase * k);
    return height > -10 ? -10 : height;
}

QString CChart::FormatTickLabel(int decimals, double value) const
{
    if (m_scientificLabels) {
        const QString text = toChars(value, std::chars_format::scientific, 0);
        return text.rightJustified(12, QLatin1Char(' '));
    }
    const int places = (decimals >= 0 && decimals <= 4) ? decimals : 5;
    const QString text = toChars(value, std::chars_format::fixed, places);
    if (std::fabs(value) > 0.99999) {
        const QByteArray latin = text.toLatin1();
        double back = value;
        std::from_chars(latin.constData(), latin.constData() + latin.size(), back);
        QString again = general12(back);
        if (again.endsWith(QLatin1Char('.')))
            again.chop(1);
        return again;
    }
    if (std::fabs(value) < 1e-10)
        return QStringLiteral("0");
    QString trimmed = text;
    while (trimmed.endsWith(QLatin1Char('0')))
        trimmed.chop(1);
    // A small tick value that rounds to nothing at this precision would
    // read "0."; write it in general notation instead.
    if (std::none_of(trimmed.begin(), trimmed.end(),
                     [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); }))
        return general12(value);
    return trimmed;
}

// ---------------------------------------------------------------- painting

void CChart::BeginDraw(QPainter& target)
{
    if (m_doubleBuffering && !m_printing) {
        QRect clip;
        if (target.hasClipping()) {
            clip = target.clipBoundingRect().toAlignedRect();
        } else {
            const QPaintDevice* device = target.device();
            clip = target.worldTransform().inverted().mapRect(
                QRect(0, 0, device->width(), device->height()));
        }
        m_clipBox = clip;
        const qreal ratio = target.device()->devicePixelRatioF();
        const QSize pixels = (clip.size().expandedTo(QSize(1, 1)) * ratio);
        m_offscreen = QImage(pixels, QImage::Format_RGB32);
        m_offscreen.setDevicePixelRatio(ratio);
        m_offscreenPainter = std::make_unique<QPainter>(&m_offscreen);
        m_offscreenPainter->translate(-clip.topLeft());
        m_dc = m_offscreenPainter.get();
    } else {
        target.save();
        target.setRenderHint(QPainter::Antialiasing, false);
        m_dc = &target;
    }
    m_dc->setPen(QPen(QColor(0, 0, 0), 0));
    m_dc->setBrush(QBrush(QColor(255, 255, 255)));
    m_textColour = QColor(0, 0, 0);
    m_bkTransparent = false;
    m_selectedFont = m_textFont;
    m_fontRotation = 0.0;
    m_selectedSymbol = false;

    // The area in the background colour, outlined by the default pen.
    const QRect area = m_drawingArea.isValid() ? m_drawingArea : m_clipBox;
    m_dc->fillRect(area, m_backgroundColour);
    m_dc->setBrush(Qt::NoBrush);
    if (area.width() > 1 && area.height() > 1)
        m_dc->drawRect(QRect(area.x(), area.y(), area.width() - 1, area.height() - 1));
    m_dc->setBrush(QBrush(QColor(255, 255, 255)));
}

void CChart::EndDraw(QPainter& target)
{
    if (m_doubleBuffering && !m_printing && m_offscreenPainter) {
        m_offscreenPainter->end();
        m_offscreenPainter.reset();
        if (!m_clipBox.isEmpty())
            target.drawImage(m_clipBox.topLeft(), m_offscreen);
        m_offscreen = QImage();
    } else {
        if (m_dc == &target)
            target.restore();
        m_printing = false;
    }
    m_dc = nullptr;
}

void CChart::SetPen(const QPen& pen)
{
    if (m_dc)
        m_dc->setPen(pen);
}

QPen CChart::Pen() const
{
    return m_dc ? m_dc->pen() : QPen();
}

void CChart::SetBrush(const QBrush& brush)
{
    if (m_dc)
        m_dc->setBrush(brush);
}

void CChart::Line(int x1, int y1, int x2, int y2)
{
    m_dc->drawLine(x1, y1, x2, y2);
}

void CChart::SelectFont(const QFont& base, bool symbol, double k, int weight, double rotation)
{
    m_selectedFont = base;
    m_selectedFont.setPixelSize(-FontHeight(k));
    m_selectedFont.setWeight(QFont::Weight(std::clamp(weight, 1, 1000)));
    m_selectedSymbol = symbol;
    m_fontRotation = rotation;
}

void CChart::SelectTextFont(double k, int weight, double rotationDegrees)
{
    SelectFont(m_textFont, false, k, weight, rotationDegrees);
}

void CChart::SelectSymbolFont(double k, int weight, double rotationDegrees)
{
    SelectFont(m_symbolFont, true, k, weight, rotationDegrees);
}

void CChart::TextOut(int x, int y, const QString& text)
{
    if (!m_dc)
        return;
    const QString shown = m_selectedSymbol ? ChartFont::fromSymbolEncoding(text) : text;
    if (m_textRecorder)
        m_textRecorder(QPoint(x, y), shown);
    const QFontMetrics metrics(m_selectedFont, m_dc->device());
    m_dc->save();
    m_dc->setFont(m_selectedFont);
    m_dc->translate(x, y);
    if (m_fontRotation != 0.0)
        m_dc->rotate(-m_fontRotation);
    if (!m_bkTransparent)
        m_dc->fillRect(QRect(0, 0, metrics.horizontalAdvance(shown), metrics.height()),
                       QColor(255, 255, 255));
    m_dc->setPen(m_textColour);
    m_dc->drawText(QPoint(0, metrics.ascent()), shown);
    m_dc->restore();
}

void CChart::PutText(int x, int y, double angleDegrees, const QString& text)
{
    if (!m_dc)
        return;
    const QString shown = m_selectedSymbol ? ChartFont::fromSymbolEncoding(text) : text;
    const QFontMetrics metrics(m_selectedFont, m_dc->device());
    const double w = metrics.horizontalAdvance(shown);
    const double h = metrics.height();
    const double theta = angleDegrees * M_PI / 180.0;
    const double a = m_hAnchor == AnchorCentre ? 0.5 : (m_hAnchor == AnchorRight ? 1.0 : 0.0);
    const double b = m_vAnchor == AnchorMiddle ? 0.5 : (m_vAnchor == AnchorBottom ? 1.0 : 0.0);
    const int left = TruncToInt(x - a * w * std::cos(theta) - b * h * std::sin(theta));
    const int top = TruncToInt(y + a * w * std::sin(theta) - b * h * std::cos(theta));
    TextOut(left, top, text);
}

void CChart::DrawTextAt(int x, int y, const QColor& colour, const QString& text)
{
    SelectTextFont(1.0 / 35.0, 500);
    m_textColour = colour;
    TextOut(x, y, text);
}

void CChart::DrawLegendEntry(const QColor& colour, int number, const QString& text)
{
    if (!m_dc)
        return;
    SelectTextFont(1.0 / 30.0, 400);
    m_bkTransparent = true;
    m_textColour = colour;
    const int c = (m_g.frameRight - m_g.plotRight) / 30 + 1;
    const int x0 = m_g.plotRight + 2 * c;
    const int y = m_g.plotTop - (3 * number * FontHeight(1.0 / 30.0)) / 2;
    SetTextAnchor(AnchorLeft, AnchorMiddle);
    PutText(x0, y, 0.0, QString::number(number));
    Line(number < 10 ? x0 + c : x0 + 2 * c, y, x0 + 4 * c, y);
    PutText(x0 + 5 * c, y, 0.0, text);
}

// ------------------------------------------------------------ frame, titles

void CChart::DrawBoundary(const QColor& colour, int width)
{
    if (!m_dc)
        return;
    const int scale = m_printing ? m_printScale : 1;
    const int inset = 5 * scale;
    const QPen previous = m_dc->pen();
    const QBrush previousBrush = m_dc->brush();
    m_dc->setPen(QPen(colour, width * scale, Qt::SolidLine));
    m_dc->setBrush(Qt::NoBrush);
    const int l = m_g.frameLeft + inset, t = m_g.frameTop + inset;
    const int r = m_g.frameRight - inset, b = m_g.frameBottom - inset;
    if (r - l > 1 && b - t > 1)
        m_dc->drawRect(QRect(l, t, r - l - 1, b - t - 1));
    m_dc->setPen(previous);
    m_dc->setBrush(previousBrush);
}

void CChart::DrawTitle(const QString& text)
{
    SelectTextFont(0.05, 500);
    SetTextAnchor(AnchorCentre, AnchorMiddle);
    const int x = (m_g.plotLeft + m_g.plotRight) / 2;
    const int y = (m_g.frameTop + m_g.plotTop) / 2;
    m_textColour = QColor(0, 0, 0);
    PutText(x, y + 1, 0.0, text);
    m_textColour = m_titleColour;
    PutText(x, y, 0.0, text);
}

void CChart::DrawXTitle(const QString& text)
{
    SelectTextFont(1.0 / 30.0, 500);
    m_textColour = m_titleColour;
    SetTextAnchor(AnchorCentre, AnchorMiddle);
    PutText((m_g.plotLeft + m_g.plotRight) / 2,
            m_g.frameBottom - (m_g.frameBottom - m_g.plotBottom) / 3, 0.0, text);
}

void CChart::DrawYTitle(const QString& text)
{
    SelectTextFont(1.0 / 30.0, 500, 90.0);
    m_textColour = m_titleColour;
    SetTextAnchor(AnchorCentre, AnchorMiddle);
    PutText(m_g.frameLeft + (m_g.plotLeft - m_g.frameLeft) / 3, (m_g.plotTop + m_g.plotBottom) / 2,
            90.0, text);
}

// -------------------------------------------------------------- axes, grid

void CChart::DrawAxes()
{
    if (!m_dc)
        return;
    const bool previousBk = m_bkTransparent;
    const QPen previousPen = m_dc->pen();
    const QBrush previousBrush = m_dc->brush();
    const QFont previousFont = m_selectedFont;
    const bool previousSymbol = m_selectedSymbol;
    const double previousRotation = m_fontRotation;

    m_bkTransparent = true;
    m_dc->setPen(QPen(m_frameColour, 0, Qt::SolidLine));
    m_dc->setBrush(Qt::NoBrush);
    if (m_g.plotWidth > 1 && m_g.plotHeight > 1)
        m_dc->drawRect(QRect(m_g.plotLeft, m_g.plotTop, m_g.plotWidth - 1, m_g.plotHeight - 1));
    SelectTextFont(1.0 / 30.0, 500);
    m_textColour = m_tickLabelColour;
    SetTextAnchor(AnchorCentre, AnchorTop);
    DrawXAxis();
    SetTextAnchor(AnchorRight, AnchorMiddle);
    DrawYAxis();
    if (!m_legend) {
        SetTextAnchor(AnchorLeft, AnchorMiddle);
        DrawRightScale();
    }

    m_dc->setPen(previousPen);
    m_dc->setBrush(previousBrush);
    m_selectedFont = previousFont;
    m_selectedSymbol = previousSymbol;
    m_fontRotation = previousRotation;
    m_bkTransparent = previousBk;
}

void CChart::DrawRightScale()
{
    if (YLogarithmic())
        DrawLogYAxis(true);
    else
        DrawLinearYAxis(true);
}

void CChart::DrawXAxis()
{
    if (XLogarithmic())
        DrawLogXAxis();
    else
        DrawLinearXAxis();
}

void CChart::DrawLinearXAxis()
{
    if (!m_dc || m_xTicks <= 0)
        return;
    const int labelEvery = std::max(1, m_xTicks / std::max(1, m_xGridLines));
    for (int i = 0; i <= m_xTicks; ++i) {
        const int px = TruncToInt(double(m_g.plotWidth) * i / m_xTicks + m_g.plotLeft);
        int tickEnd = m_g.plotBottom + m_g.bottomMargin / 14;
        if (i % labelEvery == 0) {
            PutText(px, m_g.plotBottom + m_g.bottomMargin / 5, 0.0,
                    FormatTickLabel(m_xLabelDecimals,
                                    m_x.Min() + i * (m_x.Max() - m_x.Min()) / m_xTicks));
            tickEnd = m_g.plotBottom + m_g.bottomMargin / 7;
        }
        if (i > 0 && i < m_xTicks)
            Line(px, m_g.plotBottom, px, tickEnd);
    }
}

void CChart::DrawYAxis()
{
    if (YLogarithmic())
        DrawLogYAxis(false);
    else
        DrawLinearYAxis(false);
}

void CChart::DrawLinearYAxis(bool rightSide)
{
    if (!m_dc || m_yTicks <= 0)
        return;
    const int labelEvery = std::max(1, m_yTicks / std::max(1, m_yGridLines));
    for (int i = 0; i <= m_yTicks; ++i) {
        const int py = TruncToInt(double(m_g.plotHeight) * i / m_yTicks + m_g.plotTop);
        const bool major = i % labelEvery == 0;
        if (major) {
            const QString label = FormatTickLabel(
                m_yLabelDecimals, m_y.Max() - i * (m_y.Max() - m_y.Min()) / m_yTicks);
            if (rightSide)
                PutText(m_g.plotRight + m_g.rightMarginUnit / 6, py, 0.0, label);
            else
                PutText(m_g.plotLeft - m_g.leftMargin / 6, py, 0.0, label);
        }
        if (i <= 0 || i >= m_yTicks)
            continue;
        if (rightSide)
            Line(m_g.plotRight, py, m_g.plotRight + m_g.rightMarginUnit / (major ? 10 : 20), py);
        else
            Line(m_g.plotLeft - m_g.leftMargin / (major ? 10 : 20), py, m_g.plotLeft, py);
    }
}

void CChart::DrawLogXAxis()
{
    if (!m_dc)
        return;
    const int n = m_x.Decades();
    const double first = std::pow(10.0, m_x.Min());
    for (int d = 1; d <= n; ++d) {
        for (int k = 1; k <= 10; ++k) {
            const int px = TruncToInt(m_g.plotWidth * std::log10(double(k)) / n +
                                      double(m_g.plotWidth) * (d - 1) / n + m_g.plotLeft);
            int tickEnd = m_g.plotBottom + m_g.bottomMargin / 14;
            if (k == 1) {
                PutText(px, m_g.plotBottom + m_g.bottomMargin / 5, 0.0,
                        FormatTickLabel(m_xLabelDecimals, first * std::pow(10.0, d - 1)));
                tickEnd = m_g.plotBottom + m_g.bottomMargin / 7;
            }
            if ((d == 1 && k == 1) || (d == n && k == 10))
                continue;
            Line(px, m_g.plotBottom, px, tickEnd);
        }
    }
    PutText(m_g.plotRight, m_g.plotBottom + m_g.bottomMargin / 5, 0.0,
            FormatTickLabel(m_xLabelDecimals, first * std::pow(10.0, std::max(n, 0))));
}

int CChart::LogYPosition(int decade, int k) const
{
    const int n = m_y.Decades();
    return m_g.plotBottom - TruncToInt(m_g.plotHeight * std::log10(double(k)) / n +
                                       double(m_g.plotHeight) * (decade - 1) / n);
}

void CChart::DrawLogYAxis(bool rightSide)
{
    if (!m_dc)
        return;
    const int n = m_y.Decades();
    const double first = std::pow(10.0, m_y.Min());
    const int labelX =
        rightSide ? m_g.plotRight + m_g.rightMarginUnit / 6 : m_g.plotLeft - m_g.leftMargin / 6;
    for (int d = 1; d <= n; ++d) {
        for (int k = 1; k <= 10; ++k) {
            const int py = LogYPosition(d, k);
            if (k == 1)
                PutText(labelX, py, 0.0,
                        FormatTickLabel(m_yLabelDecimals, first * std::pow(10.0, d - 1)));
            if ((d == 1 && k == 1) || (d == n && k == 10))
                continue;
            if (rightSide)
                Line(m_g.plotRight, py, m_g.plotRight + m_g.rightMarginUnit / (k == 1 ? 10 : 20),
                     py);
            else
                Line(m_g.plotLeft - m_g.leftMargin / (k == 1 ? 10 : 20), py, m_g.plotLeft, py);
        }
    }
    // The top label sits on the plot's top edge whatever the decade count.
    PutText(labelX, n >= 1 ? LogYPosition(n, 10) : m_g.plotTop, 0.0,
            FormatTickLabel(m_yLabelDecimals, first * std::pow(10.0, std::max(n, 0))));
}

void CChart::DrawGrid()
{
    if (XLogarithmic())
        DrawLogXGrid();
    else
        DrawLinearXGrid();
    if (YLogarithmic())
        DrawLogYGrid();
    else
        DrawLinearYGrid();
}

void CChart::DrawLinearXGrid()
{
    if (!m_dc || m_xGridLines <= 0)
        return;
    const QPen previous = m_dc->pen();
    m_dc->setPen(QPen(m_gridColour, 0, Qt::DotLine));
    for (int i = 1; i < m_xGridLines; ++i) {
        const int x = m_g.plotLeft + TruncToInt(double(m_g.plotWidth) * i / m_xGridLines);
        Line(x, m_g.plotTop + 1, x, m_g.plotBottom - 1);
    }
    m_dc->setPen(previous);
}

void CChart::DrawLinearYGrid()
{
    if (!m_dc || m_yGridLines <= 0)
        return;
    const QPen previous = m_dc->pen();
    m_dc->setPen(QPen(m_gridColour, 0, Qt::DotLine));
    for (int i = 1; i < m_yGridLines; ++i) {
        const int y = m_g.plotTop + TruncToInt(double(m_g.plotHeight) * i / m_yGridLines);
        Line(m_g.plotLeft + 1, y, m_g.plotRight - 1, y);
    }
    m_dc->setPen(previous);
}

void CChart::DrawLogXGrid()
{
    if (!m_dc)
        return;
    const int n = m_x.Decades();
    const QPen previous = m_dc->pen();
    const QPen dotted(m_gridColour, 0, Qt::DotLine);
    const QPen solid(m_gridColour, 0, Qt::SolidLine);
    for (int d = 1; d <= n; ++d) {
        for (int k = 2; k <= (d < n ? 10 : 9); ++k) {
            const int px = TruncToInt(m_g.plotWidth * std::log10(double(k)) / n +
                                      double(m_g.plotWidth) * (d - 1) / n + m_g.plotLeft);
            m_dc->setPen(k == 10 ? solid : dotted);
            Line(px, m_g.plotTop + 1, px, m_g.plotBottom - 1);
        }
    }
    m_dc->setPen(previous);
}

void CChart::DrawLogYGrid()
{
    if (!m_dc)
        return;
    const int n = m_y.Decades();
    const QPen previous = m_dc->pen();
    const QPen dotted(m_gridColour, 0, Qt::DotLine);
    const QPen solid(m_gridColour, 0, Qt::SolidLine);
    for (int d = 1; d <= n; ++d) {
        for (int k = 2; k <= (d < n ? 10 : 9); ++k) {
            const int py = LogYPosition(d, k);
            m_dc->setPen(k == 10 ? solid : dotted);
            Line(m_g.plotLeft + 1, py, m_g.plotRight - 1, py);
        }
    }
    m_dc->setPen(previous);
}

// ----------------------------------------------------------------- content

void CChart::DrawPolyline(const float* xs, const float* ys, int count, const QColor& colour,
                          int legendNumber, const QString& label, int penWidth, Qt::PenStyle style,
                          int labelMode)
{
    if (!m_dc)
        return;
    const QPen previous = m_dc->pen();
    m_dc->setPen(QPen(colour, penWidth * (m_printing ? m_printScale : 1), style));

    // Points that cannot be placed (NaN, infinite, not positive on a
    // logarithmic axis) break the line instead of dragging it off the plot.
    auto placeable = [&](int i) { return CanPlace(xs[i], ys[i]); };
    int highest = -1;
    QPolygon run;
    run.reserve(count);
    auto flush = [&] {
        if (run.size() > 1)
            m_dc->drawPolyline(run);
        run.clear();
    };
    for (int i = 0; i < count; ++i) {
        if (!placeable(i)) {
            flush();
            continue;
        }
        run.append(ToDevice(xs[i], ys[i]));
        if (highest < 0 || ys[i] > ys[highest])
            highest = i;
    }
    flush();
    if (count > 0)
        m_penPosition = QPoint(m_currentX, m_currentY);

    if (m_legend && legendNumber > 0 && !label.isNull())
        DrawLegendEntry(colour, legendNumber, label);

    if (labelMode < 0) {
        if (highest >= 0) {
            ToDevice(xs[highest], ys[highest]);
            DrawTextAt(m_currentX + 5, m_currentY - 15, colour, QString::number(legendNumber));
        }
    } else if (labelMode == 1) {
        if (count >= 1) {
            ToDevice(xs[0], ys[0]);
            DrawTextAt(m_currentX + 5, m_currentY - 20, colour, label);
        }
    } else if (labelMode == 3) {
        if (count >= 2) {
            ToDevice(xs[1], ys[1]);
            SelectSymbolFont(1.0 / 35.0, 500, 47.0);
            m_textColour = colour;
            m_bkTransparent = true;
            SetTextAnchor(AnchorRight, AnchorMiddle);
            PutText(m_currentX + 5, m_currentY + 15, 47.0, label);
        }
    } else if (count >= 2) {
        ToDevice(xs[0], ys[1]);
        DrawTextAt(m_currentX + 5, m_currentY + 5, colour, label);
    }
    m_dc->setPen(previous);
}

void CChart::DrawMarker(float x, float y, MarkerSymbol symbol, int size)
{
    if (!m_dc)
        return;
    if (!CanPlace(x, y))
        return;
    const QPoint centre = ToDevice(x, y);
    const int radius = size * (m_printing ? m_printScale : 1);
    if (symbol == MarkerFilledCircle)
        m_dc->drawEllipse(QRect(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius));
}
