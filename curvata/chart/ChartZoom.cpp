#include "ChartZoom.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

bool isOne(float factor)
{
    return std::fabs(factor - 1.0f) < 0.000001f;
}

int capCanvas(double length)
{
    return int(std::min(length, double(ChartZoom::MaxCanvas)));
}

} // namespace

bool ChartZoom::IsZoomed() const
{
    return !(isOne(m_factorX) && isOne(m_factorY));
}

void ChartZoom::SetClientSize(QSize client)
{
    m_client = client;
    if (!IsZoomed() || !m_canvas.isValid())
        m_canvas = client;
}

QRect ChartZoom::LayoutArea() const
{
    return QRect(QPoint(0, 0), IsZoomed() ? m_canvas : m_client);
}

void ChartZoom::Reset()
{
    m_factorX = 1.0f;
    m_factorY = 1.0f;
    m_canvas = m_client;
}

bool ChartZoom::ZoomNone()
{
    m_mode = None;
    if (m_canvas.width() > m_client.width() || m_canvas.height() > m_client.height()) {
        Reset();
        return true;
    }
    return false;
}

bool ChartZoom::CanZoomIn() const
{
    return m_factorX < MaxFactor || m_factorY < MaxFactor;
}

bool ChartZoom::ZoomIn()
{
    if (!CanZoomIn())
        return false;
    m_mode = In;
    m_canvas = QSize(capCanvas(m_canvas.width() * double(Step)),
                     capCanvas(m_canvas.height() * double(Step)));
    m_factorX *= Step;
    m_factorY *= Step;
    return true;
}

bool ChartZoom::CanZoomOut() const
{
    return m_canvas.width() > m_client.width() || m_canvas.height() > m_client.height();
}

bool ChartZoom::ZoomOut()
{
    if (!CanZoomOut())
        return false;
    m_mode = Out;
    int width = m_canvas.width();
    int height = m_canvas.height();
    if (m_client.width() < width) {
        width = int(width / double(Step));
        m_factorX /= Step;
    }
    if (m_client.height() < height) {
        height = int(height / double(Step));
        m_factorY /= Step;
    }
    // The last step lands exactly on the window, with a factor of exactly 1,
    // so that zooming in and out again returns to the unzoomed view.
    if (width <= m_client.width()) {
        width = m_client.width();
        m_factorX = 1.0f;
    }
    if (height <= m_client.height()) {
        height = m_client.height();
        m_factorY = 1.0f;
    }
    m_canvas = QSize(width, height);
    return true;
}

void ChartZoom::Random(float factorX, float factorY)
{
    m_canvas = QSize(capCanvas(m_client.width() * double(factorX)),
                     capCanvas(m_client.height() * double(factorY)));
    m_factorX = factorX;
    m_factorY = factorY;
}

std::optional<float> ChartZoom::ParseRandomFactor(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < MinRandomFactor || value > MaxRandomFactor)
        return std::nullopt;
    return float(value);
}

std::optional<QPoint> ChartZoom::ZoomToRectangle(QPoint start, QPoint end, QSize window)
{
    const int dx = std::abs(end.x() - start.x());
    const int dy = std::abs(end.y() - start.y());
    if (dx == 0 || dy == 0)
        return std::nullopt;
    const int stepX = window.width() / dx;
    const int stepY = window.height() / dy;
    if (stepX > int(MaxFactor) || stepX == 0 || stepY > int(MaxFactor) || stepY == 0)
        return std::nullopt;
    const float oldX = m_factorX;
    const float oldY = m_factorY;
    m_factorX = std::min(m_factorX * float(stepX), MaxFactor);
    m_factorY = std::min(m_factorY * float(stepY), MaxFactor);
    m_canvas = QSize(capCanvas(m_client.width() * double(m_factorX)),
                     capCanvas(m_client.height() * double(m_factorY)));
    // The rectangle's start keeps its place on the chart, which grew by the
    // new factor over the old one.
    return QPoint(int(start.x() * double(m_factorX) / double(oldX)),
                  int(start.y() * double(m_factorY) / double(oldY)));
}
