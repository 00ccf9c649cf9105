#include "WorkbenchIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap canvas()
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    return p;
}

QIcon plug(bool connected)
{
    QPixmap p = canvas();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(Qt::black, 2));
    g.setBrush(connected ? QColor(60, 170, 60) : QColor(200, 60, 60));
    g.drawEllipse(QRectF(6, 6, 20, 20));
    g.setPen(QPen(Qt::white, 3));
    if (connected) {
        g.drawLine(11, 16, 15, 21);
        g.drawLine(15, 21, 22, 11);
    } else {
        g.drawLine(11, 11, 21, 21);
        g.drawLine(21, 11, 11, 21);
    }
    return QIcon(p);
}

// A sheet with a mark that tells the kind of BOM apart.
QIcon sheet(const QColor& fill, char mark)
{
    QPixmap p = canvas();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(Qt::darkGray, 1.5));
    g.setBrush(fill);
    g.drawRect(QRectF(5, 3, 22, 26));
    g.setPen(QPen(Qt::black, 2));
    switch (mark) {
    case 'S': // a fuse symbol: a rectangle on a line
        g.drawLine(16, 6, 16, 26);
        g.setBrush(Qt::white);
        g.drawRect(QRectF(12, 11, 8, 10));
        break;
    case 'D': // a dimension line with arrows
        g.drawRect(QRectF(10, 8, 12, 10));
        g.drawLine(10, 23, 22, 23);
        g.drawLine(10, 23, 13, 21);
        g.drawLine(22, 23, 19, 21);
        break;
    case 'N': // lines of a list
        for (int y = 9; y <= 24; y += 5)
            g.drawLine(9, y, 23, y);
        break;
    default: // a blank drawing
        g.drawLine(9, 9, 23, 23);
        break;
    }
    return QIcon(p);
}

} // namespace

QIcon WorkbenchIcons::image(int index)
{
    switch (index) {
    case 0:
        return plug(false);
    case 1:
        return plug(true);
    case 2:
        return sheet(QColor(237, 254, 225), 'S');
    case 4:
        return sheet(QColor(188, 236, 254), 'D');
    case 5:
        return sheet(Qt::white, 'N');
    case 6:
        return sheet(Qt::white, 'T');
    default:
        return QIcon();
    }
}

QIcon WorkbenchIcons::forBomType(const QString& type)
{
    if (type == u"S")
        return image(2);
    if (type == u"D")
        return image(4);
    if (type == u"T")
        return image(6);
    if (type == u"N")
        return image(5);
    return QIcon();
}
