#pragma once

#include "CChart.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>
#include <functional>

namespace charttest {

struct WrittenText
{
    QPoint topLeft;
    QString text;
};

// Paints into a white image through the chart's own paint cycle and records
// every text the chart writes.
struct Canvas
{
    QImage image;
    QList<WrittenText> texts;

    QImage paint(CChart& chart, QSize size, const std::function<void()>& body, QRect area = QRect())
    {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        texts.clear();
        chart.SetTextRecorder([this](QPoint p, const QString& text) {
            texts.append(WrittenText{p, text});
        });
        QPainter painter(&image);
        chart.Layout(area.isNull() ? QRect(QPoint(0, 0), size) : area);
        chart.BeginDraw(painter);
        body();
        chart.EndDraw(painter);
        painter.end();
        chart.SetTextRecorder({});
        return image;
    }

    QStringList textList() const
    {
        QStringList list;
        for (const WrittenText& t : texts)
            list << t.text;
        return list;
    }

    const WrittenText* find(const QString& text) const
    {
        for (const WrittenText& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
};

// Collects the warnings a chart reports instead of showing them.
struct Warnings
{
    QList<ChartWarning> shown;

    ChartWarningHandler handler()
    {
        return [this](const ChartWarning& warning) { shown.append(warning); };
    }
    QStringList texts() const
    {
        QStringList list;
        for (const ChartWarning& w : shown)
            list << w.text;
        return list;
    }
    void clear() { shown.clear(); }
};

inline QColor pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

} // namespace charttest
