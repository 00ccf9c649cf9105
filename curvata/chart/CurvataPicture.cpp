#include "CurvataPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

void drawCurve(QPainter& p, const QRectF& area, qreal penWidth)
{
    QPainterPath curve;
    curve.moveTo(area.left() + area.width() * 0.18, area.top());
    curve.cubicTo(area.left() + area.width() * 0.22, area.top() + area.height() * 0.55,
                  area.left() + area.width() * 0.45, area.top() + area.height() * 0.85,
                  area.right(), area.top() + area.height() * 0.93);
    p.setPen(QPen(QColor(200, 30, 30), penWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(curve);
    QPainterPath second;
    second.moveTo(area.left() + area.width() * 0.35, area.top());
    second.cubicTo(area.left() + area.width() * 0.40, area.top() + area.height() * 0.45,
                   area.left() + area.width() * 0.62, area.top() + area.height() * 0.70,
                   area.right(), area.top() + area.height() * 0.78);
    p.setPen(QPen(QColor(20, 60, 170), penWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(second);
}

} // namespace

QImage CurvataPicture::Picture()
{
    QImage image(108, 90, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(8, 6, 94, 76);
    // Three decades each way, with the minor lines of a logarithmic grid.
    p.setPen(QPen(QColor(215, 215, 215), 1));
    for (int decade = 0; decade < 3; ++decade) {
        for (int k = 2; k < 10; ++k) {
            const qreal f = (decade + std::log10(qreal(k))) / 3.0;
            p.drawLine(QPointF(area.left() + f * area.width(), area.top()),
                       QPointF(area.left() + f * area.width(), area.bottom()));
            p.drawLine(QPointF(area.left(), area.bottom() - f * area.height()),
                       QPointF(area.right(), area.bottom() - f * area.height()));
        }
    }
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int decade = 0; decade <= 3; ++decade) {
        const qreal f = decade / 3.0;
        p.drawLine(QPointF(area.left() + f * area.width(), area.top()),
                   QPointF(area.left() + f * area.width(), area.bottom()));
        p.drawLine(QPointF(area.left(), area.bottom() - f * area.height()),
                   QPointF(area.right(), area.bottom() - f * area.height()));
    }
    drawCurve(p, area, 2.0);
    return image;
}

QIcon CurvataPicture::Icon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(255, 255, 255));
        p.setPen(QPen(QColor(60, 60, 60), size / 16.0));
        p.drawRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
        const qreal m = size / 8.0;
        drawCurve(p, QRectF(m, m, size - 2 * m, size - 2 * m), size / 12.0);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
