#pragma once

#include <QRect>
#include <QSize>

class CCharacteristicChart;
class QPainter;

// The printed page of a chart: a band of 600 device pixels at the top with
// the program picture in it, the chart on the rest of the page. The page
// does not depend on the screen's zoom: the chart is laid out for the page.
class ChartPrintPage
{
public:
    static constexpr int BandHeight = 600;

    // Where the chart goes on a page of `page` device pixels.
    static QRect ChartArea(QSize page);
    // Where the program picture is stretched to, in device pixels.
    static QRect PictureRect() { return QRect(100, 100, 540, 450); }

    // Draws the page; pen widths, the boundary inset and the point markers
    // are multiplied by `printScale` (printer pixels per screen pixel, at
    // least 1). An empty page while the chart is not ready. The active
    // chart is left laid out for the page: the caller lays it out again for
    // the screen.
    static void Draw(CCharacteristicChart& chart, QPainter& painter, QSize page, int printScale);
};
