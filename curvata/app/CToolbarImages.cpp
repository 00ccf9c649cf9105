#include "CToolbarImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);

void page(QPainter& p)
{
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(11.5, 1.5);
    path.lineTo(14.5, 4.5);
    path.lineTo(14.5, 16.5);
    path.lineTo(3.5, 16.5);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
}

void magnifier(QPainter& p, bool plus)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 10, 10));
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(16, 16));
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

// A falling time-current curve on small axes.
void curve(QPainter& p, const QColor& colour)
{
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(2.5, 1.5), QPointF(2.5, 15.5));
    p.drawLine(QPointF(2.5, 15.5), QPointF(16.5, 15.5));
    QPainterPath path;
    path.moveTo(5, 2);
    path.cubicTo(6, 10, 9, 12, 16, 13);
    p.setPen(QPen(colour, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void draw(QPainter& p, CToolbarImages::Image image)
{
    switch (image) {
    case CToolbarImages::New:
        page(p);
        break;
    case CToolbarImages::Open:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(1.5, 5.5, 14, 10));
        p.drawRect(QRectF(1.5, 3.5, 6, 2));
        p.setBrush(QColor(250, 225, 130));
        p.drawPolygon(QPolygonF({QPointF(4.5, 8.5), QPointF(17.5, 8.5), QPointF(15.5, 15.5),
                                 QPointF(1.5, 15.5)}));
        break;
    case CToolbarImages::Save:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(70, 100, 170));
        p.drawRect(QRectF(1.5, 1.5, 15, 15));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 9, 6));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4.5, 10.5, 9, 6));
        break;
    case CToolbarImages::ZoomIn:
        magnifier(p, true);
        break;
    case CToolbarImages::ZoomOut:
        magnifier(p, false);
        break;
    case CToolbarImages::Print:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 9, 6));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(1.5, 7.5, 15, 6));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 11.5, 9, 5));
        break;
    case CToolbarImages::About:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(60, 110, 200));
        p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
        p.setPen(QPen(kPaper, 2));
        p.drawLine(QPointF(9, 8), QPointF(9, 13.5));
        p.drawPoint(QPointF(9, 5));
        break;
    case CToolbarImages::SelectFuses:
        // A cartridge fuse: body with two caps.
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(230, 220, 190));
        p.drawRect(QRectF(4.5, 5.5, 9, 7));
        p.setBrush(QColor(180, 180, 190));
        p.drawRect(QRectF(1.5, 6.5, 3, 5));
        p.drawRect(QRectF(13.5, 6.5, 3, 5));
        p.setPen(QPen(QColor(200, 0, 0), 1));
        p.drawLine(QPointF(5, 9), QPointF(13, 9));
        break;
    case CToolbarImages::SelectCharacteristic:
        curve(p, QColor(220, 0, 0));
        break;
    case CToolbarImages::DrawTable:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 2.5, 15, 13));
        p.setBrush(QColor(200, 215, 240));
        p.drawRect(QRectF(1.5, 2.5, 15, 3));
        for (double y : {8.5, 11.5})
            p.drawLine(QPointF(1.5, y), QPointF(16.5, y));
        p.drawLine(QPointF(7.5, 2.5), QPointF(7.5, 15.5));
        break;
    }
}

} // namespace

QIcon CToolbarImages::Icon(Image image)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    draw(painter, image);
    painter.end();
    return QIcon(pixmap);
}
