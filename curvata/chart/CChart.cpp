#include "CChart.h"

#include "ChartFont.h"
#include "MessageBoxService.h"

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

CChart::CChart() : m_textFont(ChartFont::textFont()), m_symbolFont(ChartFont::symbolFont())
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

int CChart::WholeDecades(double logMin, double logMax)
{
    const double span = logMax - logMin;
    if (!std::isfinite(span))
        return 0;
    // log10 of an exact power of ten may land a hair below the integer.
    return int(std::clamp(std::trunc(span + 1e-9), -1000.0, 1000.0));
}

bool CChart::WarnBelowMinimum(bool xAxis)
{
    MessageBoxService::show(
        nullptr,
        xAxis ? QStringLiteral("The X minimum value must be larger than 0.000001")
              : QStringLiteral("The Y minimum value must be larger than 0.000001"),
        QStringLiteral("Warning"), MessageBoxService::Ok, MessageBoxService::Warning);
    return false;
}

void CChart::SetViewport(double left, double top, double right, double bottom)
{
    viewportLeft = left;
    viewportTop = top;
    viewportRight = right;
    viewportBottom = bottom;
}

void CChart::Layout(const QRect& area)
{
    drawingArea = area;
    const int areaLeft = area.x();
    const int areaTop = area.y();
    const int areaRight = area.x() + area.width();
    const int areaBottom = area.y() + area.height();
    frameLeft = areaLeft + TruncToInt((areaRight - areaLeft) * viewportLeft);
    frameTop = areaTop + TruncToInt((areaBottom - areaTop) * viewportTop);
    frameRight = areaRight - TruncToInt((1.0 - viewportRight) * (areaRight - areaLeft));
    frameBottom = areaBottom - TruncToInt((1.0 - viewportBottom) * (areaBottom - areaTop));

    const int w = frameRight - frameLeft;
    const int h = frameBottom - frameTop;
    leftMargin = w / 8;
    rightMarginUnit = w / 8;
    topMargin = h / 10;
    bottomMargin = h / 6;
    plotLeft = frameLeft + w / 8;
    plotRight = frameRight - (legend ? 2 * (w / 8) : w / 8);
    plotTop = frameTop + h / 10;
    plotBottom = frameBottom - h / 6;
    plotWidth = plotRight - plotLeft;
    plotHeight = plotBottom - plotTop;
    xScale = (xMax - xMin) / plotWidth;
    yScale = (yMax - yMin) / plotHeight;
    textSizeBase = std::min(plotHeight, plotWidth);
}

QPoint CChart::DeviceFromAxis(double X, double Y)
{
    currentX = plotLeft + TruncToInt((X - xMin) / xScale);
    currentY = TruncToInt(plotBottom - (Y - yMin) / yScale);
    return QPoint(currentX, currentY);
}

ChartValue CChart::AxisFromDevice(QPoint point, bool xLog, bool yLog) const
{
    double X = (point.x() - plotLeft) * xScale + xMin;
    double Y = (plotBottom - point.y()) * yScale + yMin;
    if (xLog)
        X = std::pow(10.0, X);
    if (yLog)
        Y = std::pow(10.0, Y);
    return ChartValue{float(X), float(Y)};
}

bool CChart::CanPlace(float x, float y) const
{
    return std::isfinite(x) && std::isfinite(y) && (!XLogarithmic() || x > 0.0f) &&
           (!YLogarithmic() || y > 0.0f);
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
    const int height = TruncToInt(-textSizeBase * k);
    return height > -10 ? -10 : height;
}

QString CChart::FormatTickLabel(int decimals, double value) const
{
    if (scientificLabels) {
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
    if (doubleBuffering && !printing) {
        QRect clip;
        if (target.hasClipping()) {
            clip = target.clipBoundingRect().toAlignedRect();
        } else {
            const QPaintDevice* device = target.device();
            clip = target.worldTransform().inverted().mapRect(
                QRect(0, 0, device->width(), device->height()));
        }
        clipBox = clip;
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
    const QRect area = drawingArea.isValid() ? drawingArea : clipBox;
    m_dc->fillRect(area, backgroundColour);
    m_dc->setBrush(Qt::NoBrush);
    if (area.width() > 1 && area.height() > 1)
        m_dc->drawRect(QRect(area.x(), area.y(), area.width() - 1, area.height() - 1));
    m_dc->setBrush(QBrush(QColor(255, 255, 255)));
}

void CChart::EndDraw(QPainter& target)
{
    if (doubleBuffering && !printing && m_offscreenPainter) {
        m_offscreenPainter->end();
        m_offscreenPainter.reset();
        if (!clipBox.isEmpty())
            target.drawImage(clipBox.topLeft(), m_offscreen);
        m_offscreen = QImage();
    } else {
        if (m_dc == &target)
            target.restore();
        printing = false;
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
    const int c = (frameRight - plotRight) / 30 + 1;
    const int x0 = plotRight + 2 * c;
    const int y = plotTop - (3 * number * FontHeight(1.0 / 30.0)) / 2;
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
    const int scale = printing ? printScale : 1;
    const int inset = 5 * scale;
    const QPen previous = m_dc->pen();
    const QBrush previousBrush = m_dc->brush();
    m_dc->setPen(QPen(colour, width * scale, Qt::SolidLine));
    m_dc->setBrush(Qt::NoBrush);
    const int l = frameLeft + inset, t = frameTop + inset;
    const int r = frameRight - inset, b = frameBottom - inset;
    if (r - l > 1 && b - t > 1)
        m_dc->drawRect(QRect(l, t, r - l - 1, b - t - 1));
    m_dc->setPen(previous);
    m_dc->setBrush(previousBrush);
}

void CChart::DrawTitle(const QString& text)
{
    SelectTextFont(0.05, 500);
    SetTextAnchor(AnchorCentre, AnchorMiddle);
    const int x = (plotLeft + plotRight) / 2;
    const int y = (frameTop + plotTop) / 2;
    m_textColour = QColor(0, 0, 0);
    PutText(x, y + 1, 0.0, text);
    m_textColour = titleColour;
    PutText(x, y, 0.0, text);
}

void CChart::DrawXTitle(const QString& text)
{
    SelectTextFont(1.0 / 30.0, 500);
    m_textColour = titleColour;
    SetTextAnchor(AnchorCentre, AnchorMiddle);
    PutText((plotLeft + plotRight) / 2, frameBottom - (frameBottom - plotBottom) / 3, 0.0, text);
}

void CChart::DrawYTitle(const QString& text)
{
    SelectTextFont(1.0 / 30.0, 500, 90.0);
    m_textColour = titleColour;
    SetTextAnchor(AnchorCentre, AnchorMiddle);
    PutText(frameLeft + (plotLeft - frameLeft) / 3, (plotTop + plotBottom) / 2, 90.0, text);
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
    m_dc->setPen(QPen(frameColour, 0, Qt::SolidLine));
    m_dc->setBrush(Qt::NoBrush);
    if (plotWidth > 1 && plotHeight > 1)
        m_dc->drawRect(QRect(plotLeft, plotTop, plotWidth - 1, plotHeight - 1));
    SelectTextFont(1.0 / 30.0, 500);
    m_textColour = tickLabelColour;
    SetTextAnchor(AnchorCentre, AnchorTop);
    DrawXAxis();
    SetTextAnchor(AnchorRight, AnchorMiddle);
    DrawYAxis();
    if (!legend) {
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
    if (axisType == AxisLinLog || axisType == AxisLogLog)
        DrawLogYAxis(true);
    else
        DrawLinearYAxis(true);
}

void CChart::DrawXAxis()
{
    if (!m_dc || xTicks <= 0)
        return;
    const int labelEvery = std::max(1, xTicks / std::max(1, xGridLines));
    for (int i = 0; i <= xTicks; ++i) {
        const int px = TruncToInt(double(plotWidth) * i / xTicks + plotLeft);
        int tickEnd = plotBottom + bottomMargin / 14;
        if (i % labelEvery == 0) {
            PutText(px, plotBottom + bottomMargin / 5, 0.0,
                    FormatTickLabel(xLabelDecimals, xMin + i * (xMax - xMin) / xTicks));
            tickEnd = plotBottom + bottomMargin / 7;
        }
        if (i > 0 && i < xTicks)
            Line(px, plotBottom, px, tickEnd);
    }
}

void CChart::DrawYAxis()
{
    DrawLinearYAxis(false);
}

void CChart::DrawLinearYAxis(bool rightSide)
{
    if (!m_dc || yTicks <= 0)
        return;
    const int labelEvery = std::max(1, yTicks / std::max(1, yGridLines));
    for (int i = 0; i <= yTicks; ++i) {
        const int py = TruncToInt(double(plotHeight) * i / yTicks + plotTop);
        const bool major = i % labelEvery == 0;
        if (major) {
            const QString label =
                FormatTickLabel(yLabelDecimals, yMax - i * (yMax - yMin) / yTicks);
            if (rightSide)
                PutText(plotRight + rightMarginUnit / 6, py, 0.0, label);
            else
                PutText(plotLeft - leftMargin / 6, py, 0.0, label);
        }
        if (i <= 0 || i >= yTicks)
            continue;
        if (rightSide)
            Line(plotRight, py, plotRight + rightMarginUnit / (major ? 10 : 20), py);
        else
            Line(plotLeft - leftMargin / (major ? 10 : 20), py, plotLeft, py);
    }
}

void CChart::DrawLogXAxis()
{
    if (!m_dc)
        return;
    const int n = xDecades;
    const double first = std::pow(10.0, xMin);
    for (int d = 1; d <= n; ++d) {
        for (int k = 1; k <= 10; ++k) {
            const int px = TruncToInt(plotWidth * std::log10(double(k)) / n +
                                      double(plotWidth) * (d - 1) / n + plotLeft);
            int tickEnd = plotBottom + bottomMargin / 14;
            if (k == 1) {
                PutText(px, plotBottom + bottomMargin / 5, 0.0,
                        FormatTickLabel(xLabelDecimals, first * std::pow(10.0, d - 1)));
                tickEnd = plotBottom + bottomMargin / 7;
            }
            if ((d == 1 && k == 1) || (d == n && k == 10))
                continue;
            Line(px, plotBottom, px, tickEnd);
        }
    }
    PutText(plotRight, plotBottom + bottomMargin / 5, 0.0,
            FormatTickLabel(xLabelDecimals, first * std::pow(10.0, std::max(n, 0))));
}

int CChart::LogYPosition(int decade, int k) const
{
    const int n = yDecades;
    return plotBottom - TruncToInt(plotHeight * std::log10(double(k)) / n +
                                   double(plotHeight) * (decade - 1) / n);
}

void CChart::DrawLogYAxis(bool rightSide)
{
    if (!m_dc)
        return;
    const int n = yDecades;
    const double first = std::pow(10.0, yMin);
    const int labelX = rightSide ? plotRight + rightMarginUnit / 6 : plotLeft - leftMargin / 6;
    for (int d = 1; d <= n; ++d) {
        for (int k = 1; k <= 10; ++k) {
            const int py = LogYPosition(d, k);
            if (k == 1)
                PutText(labelX, py, 0.0,
                        FormatTickLabel(yLabelDecimals, first * std::pow(10.0, d - 1)));
            if ((d == 1 && k == 1) || (d == n && k == 10))
                continue;
            if (rightSide)
                Line(plotRight, py, plotRight + rightMarginUnit / (k == 1 ? 10 : 20), py);
            else
                Line(plotLeft - leftMargin / (k == 1 ? 10 : 20), py, plotLeft, py);
        }
    }
    // The top label sits on the plot's top edge whatever the decade count.
    PutText(labelX, n >= 1 ? LogYPosition(n, 10) : plotTop, 0.0,
            FormatTickLabel(yLabelDecimals, first * std::pow(10.0, std::max(n, 0))));
}

void CChart::DrawGrid()
{
    DrawLinearXGrid();
    DrawLinearYGrid();
}

void CChart::DrawLinearXGrid()
{
    if (!m_dc || xGridLines <= 0)
        return;
    const QPen previous = m_dc->pen();
    m_dc->setPen(QPen(gridColour, 0, Qt::DotLine));
    for (int i = 1; i < xGridLines; ++i) {
        const int x = plotLeft + TruncToInt(double(plotWidth) * i / xGridLines);
        Line(x, plotTop + 1, x, plotBottom - 1);
    }
    m_dc->setPen(previous);
}

void CChart::DrawLinearYGrid()
{
    if (!m_dc || yGridLines <= 0)
        return;
    const QPen previous = m_dc->pen();
    m_dc->setPen(QPen(gridColour, 0, Qt::DotLine));
    for (int i = 1; i < yGridLines; ++i) {
        const int y = plotTop + TruncToInt(double(plotHeight) * i / yGridLines);
        Line(plotLeft + 1, y, plotRight - 1, y);
    }
    m_dc->setPen(previous);
}

void CChart::DrawLogXGrid()
{
    if (!m_dc)
        return;
    const int n = xDecades;
    const QPen previous = m_dc->pen();
    const QPen dotted(gridColour, 0, Qt::DotLine);
    const QPen solid(gridColour, 0, Qt::SolidLine);
    for (int d = 1; d <= n; ++d) {
        for (int k = 2; k <= (d < n ? 10 : 9); ++k) {
            const int px = TruncToInt(plotWidth * std::log10(double(k)) / n +
                                      double(plotWidth) * (d - 1) / n + plotLeft);
            m_dc->setPen(k == 10 ? solid : dotted);
            Line(px, plotTop + 1, px, plotBottom - 1);
        }
    }
    m_dc->setPen(previous);
}

void CChart::DrawLogYGrid()
{
    if (!m_dc)
        return;
    const int n = yDecades;
    const QPen previous = m_dc->pen();
    const QPen dotted(gridColour, 0, Qt::DotLine);
    const QPen solid(gridColour, 0, Qt::SolidLine);
    for (int d = 1; d <= n; ++d) {
        for (int k = 2; k <= (d < n ? 10 : 9); ++k) {
            const int py = LogYPosition(d, k);
            m_dc->setPen(k == 10 ? solid : dotted);
            Line(plotLeft + 1, py, plotRight - 1, py);
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
    m_dc->setPen(QPen(colour, penWidth * (printing ? printScale : 1), style));

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
        m_penPosition = QPoint(currentX, currentY);

    if (legend && legendNumber > 0 && !label.isNull())
        DrawLegendEntry(colour, legendNumber, label);

    if (labelMode < 0) {
        if (highest >= 0) {
            ToDevice(xs[highest], ys[highest]);
            DrawTextAt(currentX + 5, currentY - 15, colour, QString::number(legendNumber));
        }
    } else if (labelMode == 1) {
        if (count >= 1) {
            ToDevice(xs[0], ys[0]);
            DrawTextAt(currentX + 5, currentY - 20, colour, label);
        }
    } else if (labelMode == 3) {
        if (count >= 2) {
            ToDevice(xs[1], ys[1]);
            SelectSymbolFont(1.0 / 35.0, 500, 47.0);
            m_textColour = colour;
            m_bkTransparent = true;
            SetTextAnchor(AnchorRight, AnchorMiddle);
            PutText(currentX + 5, currentY + 15, 47.0, label);
        }
    } else if (count >= 2) {
        ToDevice(xs[0], ys[1]);
        DrawTextAt(currentX + 5, currentY + 5, colour, label);
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
    const int radius = size * (printing ? printScale : 1);
    if (symbol == MarkerFilledCircle)
        m_dc->drawEllipse(QRect(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius));
}
