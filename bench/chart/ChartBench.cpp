// Drawing speed of the chart with many long curves, the memory of a paint
// of a huge zoomed canvas of which only a window-sized part is visible (only
// that part may be rasterised), one mouse step of moving a constant line,
// and the SVG export.
#include "CCharacteristicChart.h"
#include "ChartExport.h"
#include "ChartZoom.h"
#include "ConstLineMover.h"
#include "FuseModel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

// The screen paint of the view: the window's part of the canvas through
// the off-screen image, the painter translated by the scroll position.
void paintWindow(CCharacteristicChart& chart, QImage& window, QPoint scroll, QRect canvas)
{
    QPainter painter(&window);
    painter.translate(-scroll);
    painter.setClipRect(QRect(scroll, window.size()) & canvas);
    chart.Paint(painter, canvas);
}

// One mouse step of moving a constant line: the value follows the mouse,
// then the whole window is painted again, as the view does.
void benchMoveStep(CCharacteristicChart& chart, QSize size)
{
    chart.YLines().append(ConstLine::yLine(QStringLiteral("t"), 1.0f, float(chart.XMin()),
                                           float(chart.XMax()), chart.PaletteColour(14)));
    chart.ActiveChart().Layout(QRect(QPoint(0, 0), size));
    ConstLineMover mover(chart);
    const QPoint start(size.width() / 2, chart.ActiveChart().ToDevice(10.0f, 1.0f).y());
    mover.Press(start);
    chart.SetKeepPictureUnderLines(true); // as the view does while the button is down
    QImage window(size, QImage::Format_RGB32);
    std::vector<double> times;
    for (int step = 0; step < 61; ++step) {
        QElapsedTimer timer;
        timer.start();
        mover.Move(start + QPoint(step, -4 * step));
        paintWindow(chart, window, QPoint(0, 0), QRect(QPoint(0, 0), size));
        if (step > 0)
            times.push_back(timer.nsecsElapsed() / 1e6);
    }
    mover.Release(start);
    chart.SetKeepPictureUnderLines(false);
    chart.YLines().clear();
    std::printf("BENCH move_line_step_14x2000_1920x1080_median %.3f ms\n", median(times));
    std::printf("BENCH move_line_step_target %.3f ms\n", 16.0);
}

// A view zoomed in until the canvas reaches its cap, its 1920 x 1080 window
// scrolled to the middle of the canvas.
void benchZoomedView(CCharacteristicChart& chart, QSize size)
{
    ChartZoom zoom;
    zoom.SetClientSize(size);
    while (zoom.CanZoomIn())
        zoom.ZoomIn();
    const QRect canvas = zoom.LayoutArea();
    const QPoint scroll((canvas.width() - size.width()) / 2, (canvas.height() - size.height()) / 2);
    const long before = statusKilobytes("VmHWM");
    std::vector<double> times;
    {
        QImage window(size, QImage::Format_RGB32);
        for (int run = 0; run < 12; ++run) {
            QElapsedTimer timer;
            timer.start();
            chart.ActiveChart().Layout(canvas);
            paintWindow(chart, window, scroll, canvas);
            if (run > 0)
                times.push_back(timer.nsecsElapsed() / 1e6);
        }
        window.save(QStringLiteral(BENCH_WORK_DIR "/chart-zoomed-view.png"));
    }
    const long after = statusKilobytes("VmHWM");
    std::printf("BENCH zoomed_view_canvas %dx%d px\n", canvas.width(), canvas.height());
    std::printf("BENCH paint_zoomed_view_32767_1920x1080_median %.3f ms\n", median(times));
    std::printf("BENCH paint_zoomed_view_target %.3f ms\n", 20.0);
    std::printf("BENCH peak_rss_zoomed_view %.1f MB\n", after / 1024.0);
    std::printf("BENCH peak_rss_increase_zoomed_view %.1f MB\n", (after - before) / 1024.0);
}

// "Export chart..." of that chart as SVG at the window's size.
void benchSvgExport(CCharacteristicChart& chart, QSize size)
{
    const QString file = QStringLiteral(BENCH_WORK_DIR "/chart-14x2000.svg");
    std::vector<double> times;
    for (int run = 0; run < 11; ++run) {
        QElapsedTimer timer;
        timer.start();
        QString error;
        if (!ChartExport::Write(chart, size, file, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return;
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("BENCH export_svg_14x2000_1920x1080_median %.3f ms\n", median(times));
    std::printf("BENCH export_svg_target %.3f ms\n", 200.0);
    std::printf("BENCH export_svg_size %.1f kB\n", QFileInfo(file).size() / 1024.0);
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

    benchMoveStep(chart, size);
    benchZoomedView(chart, size);
    benchSvgExport(chart, size);
    return 0;
}
