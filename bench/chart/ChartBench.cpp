// Drawing speed of the chart with many long curves, and the memory of a
// paint of a huge zoomed canvas of which only a window-sized part is
// visible (only that part may be rasterised).
#include "CCharacteristicChart.h"
#include "FuseModel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

long statusKilobytes(const char* key)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLong();
    return -1;
}

// 14 falling time-current curves of `points` points each.
struct Data
{
    CharacteristicType type{"Time-Current", AxisDefinition{"A", true, 1, 1000000},
                            AxisDefinition{"s", true, 0.001, 100000}};
    std::vector<std::unique_ptr<Fuse>> fuses;

    explicit Data(int points)
    {
        for (int f = 0; f < 14; ++f) {
            fuses.push_back(std::make_unique<Fuse>(QStringLiteral("Fuse %1 A").arg(6 + 4 * f),
                                                   QStringLiteral("%1").arg(1000 + f)));
            Characteristic* c = fuses.back()->appendCharacteristic(f + 1, &type);
            for (int i = 0; i < points; ++i) {
                const double t = double(i) / (points - 1);
                const double x = 0.1 + 0.05 * f + 0.4 * t + 0.01 * std::sin(40 * t);
                const double y = 0.95 - 0.9 * std::pow(t, 0.6);
                c->appendPoint(CurvePoint{i + 1, x, y});
            }
        }
    }
    std::vector<const Fuse*> list() const
    {
        std::vector<const Fuse*> out;
        for (const auto& f : fuses)
            out.push_back(f.get());
        return out;
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const Data data(2000);
    CCharacteristicChart chart;
    chart.SetFuses(data.list());
    chart.SetCharacteristic(&data.type);
    if (!chart.IsChartReady()) {
        std::fprintf(stderr, "chart not ready\n");
        return 1;
    }

    // 1. 14 curves of 2000 points into 1920 x 1080.
    const QSize size(1920, 1080);
    QImage target(size, QImage::Format_RGB32);
    std::vector<double> drawTimes, paintTimes;
    for (int run = 0; run < 41; ++run) {
        target.fill(Qt::white);
        QPainter painter(&target);
        QElapsedTimer timer;
        CChart& active = chart.ActiveChart();
        active.Layout(QRect(QPoint(0, 0), size));
        timer.start();
        active.BeginDraw(painter);
        QElapsedTimer drawTimer;
        drawTimer.start();
        chart.DrawChart(QRect(QPoint(0, 0), size));
        const double draw = drawTimer.nsecsElapsed() / 1e6;
        active.EndDraw(painter);
        const double paint = timer.nsecsElapsed() / 1e6;
        if (run > 0) { // the first run warms the glyph caches
            drawTimes.push_back(draw);
            paintTimes.push_back(paint);
        }
    }
    std::printf("BENCH draw_chart_14x2000_1920x1080_median %.3f ms\n", median(drawTimes));
    std::printf("BENCH paint_14x2000_1920x1080_median %.3f ms\n", median(paintTimes));
    std::printf("BENCH draw_chart_target %.3f ms\n", 10.0);
    QDir().mkpath(QStringLiteral(BENCH_WORK_DIR));
    target.save(QStringLiteral(BENCH_WORK_DIR "/chart-14x2000.png"));

    // 2. A 32767 x 32767 canvas scrolled so that a 1920 x 1080 window
    // shows part of it.
    const long before = statusKilobytes("VmHWM");
    {
        QImage window(size, QImage::Format_RGB32);
        window.fill(Qt::white);
        QPainter painter(&window);
        const QPoint scroll(15000, 12000);
        painter.translate(-scroll);
        painter.setClipRect(QRect(scroll, size));
        QElapsedTimer timer;
        timer.start();
        chart.Paint(painter, QRect(0, 0, 32767, 32767));
        const double ms = timer.nsecsElapsed() / 1e6;
        painter.end();
        std::printf("BENCH paint_32767_canvas_clip_1920x1080 %.3f ms\n", ms);
        window.save(QStringLiteral(BENCH_WORK_DIR "/chart-32767-clip.png"));
    }
    const long after = statusKilobytes("VmHWM");
    std::printf("BENCH peak_rss_before_huge_paint %.1f MB\n", before / 1024.0);
    std::printf("BENCH peak_rss_huge_canvas %.1f MB\n", after / 1024.0);
    std::printf("BENCH peak_rss_increase_huge_canvas %.1f MB\n", (after - before) / 1024.0);
    std::printf("BENCH peak_rss_target %.1f MB\n", 100.0);
    return 0;
}
