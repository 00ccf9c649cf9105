#include "ChartPrintPage.h"

#include "CCharacteristicChart.h"
#include "CurvataPicture.h"

#include <QPainter>

QRect ChartPrintPage::ChartArea(QSize page)
{
    return QRect(0, BandHeight, page.width(), page.height() - BandHeight);
}

void ChartPrintPage::Draw(CCharacteristicChart& chart, QPainter& painter, QSize page,
                          int printScale)
{
    chart.PaintPrinted(painter, ChartArea(page), printScale, [](QPainter& p) {
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(PictureRect(), CurvataPicture::Picture());
        p.restore();
    });
}
