#include "TImgView.h"

#include "PictureScale.h"
#include "WinPath.h"

#include <QImageReader>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

TImgView::TImgView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::Base, Qt::white);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
}

bool TImgView::loadFromFile(const QString& path)
{
    QImageReader reader(WinPath::toNative(path));
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    setPicture(image);
    return true;
}

void TImgView::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_pendingFitLevel = -1;
    updateScrollBars();
    viewport()->update();
}

void TImgView::clear()
{
    setPicture(QImage());
}

void TImgView::setScale(double scale)
{
    if (!std::isfinite(scale) || scale <= 0.0)
        return;
    m_scale = std::clamp(scale, MinScale, MaxScale);
    updateScrollBars();
    viewport()->update();
}

QSize TImgView::availableSize() const
{
    return contentsRect().size();
}

void TImgView::fitForLevel(int level)
{
    m_pendingFitLevel = isVisible() ? -1 : level;
    const QSize area = availableSize();
    double s = PictureScale::forLevel(level, m_picture.size(), area);
    // A picture that fills one side overflows the other, and the scroll bar
    // that then appears takes room from the filled side; fit against what is
    // left so that no second scroll bar is needed.
    const QSize scaled(int(std::ceil(m_picture.width() * s - 1e-9)),
                       int(std::ceil(m_picture.height() * s - 1e-9)));
    if (scaled.width() > area.width() && scaled.height() >= area.height()) {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        if (area.height() > bar && m_picture.height() > 0)
            s = double(area.height() - bar) / m_picture.height();
    } else if (scaled.height() > area.height() && scaled.width() >= area.width()) {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        if (area.width() > bar && m_picture.width() > 0)
            s = double(area.width() - bar) / m_picture.width();
    }
    setScale(s);
}

QSize TImgView::scaledSize() const
{
    if (m_picture.isNull())
        return QSize(0, 0);
    return QSize(int(std::floor(m_picture.width() * m_scale + 0.5)),
                 int(std::floor(m_picture.height() * m_scale + 0.5)));
}

QRect TImgView::pictureRect() const
{
    return QRect(QPoint(-horizontalScrollBar()->value(), -verticalScrollBar()->value()),
                 scaledSize());
}

void TImgView::updateScrollBars()
{
    const QSize content = scaledSize();
    const QSize area = viewport()->size();
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, content.height() - area.height()));
}

void TImgView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    if (m_picture.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(pictureRect(), m_picture);
}

void TImgView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_pendingFitLevel >= 0 && isVisible())
        fitForLevel(m_pendingFitLevel);
    updateScrollBars();
}

void TImgView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (m_pendingFitLevel >= 0)
        fitForLevel(m_pendingFitLevel);
}

void TImgView::wheelEvent(QWheelEvent* event)
{
    m_wheelRemainder += event->angleDelta().y();
    while (m_wheelRemainder >= QWheelEvent::DefaultDeltasPerStep) {
        m_wheelRemainder -= QWheelEvent::DefaultDeltasPerStep;
        scaleUp();
        emit mouseWheelUp();
    }
    while (m_wheelRemainder <= -QWheelEvent::DefaultDeltasPerStep) {
        m_wheelRemainder += QWheelEvent::DefaultDeltasPerStep;
        scaleDown();
        emit mouseWheelDown();
    }
    event->accept();
}
