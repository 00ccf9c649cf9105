// Opening a large project (200 fuses, a 40-column table of points) up to
// the first drawing of its chart, and filling the table of points for 200
// fuses and 20 column pairs on long curves.
#include "CCharacteristicChart.h"
#include "ChartProjectView.h"
#include "FuseModel.h"
#include "PointTableModel.h"
#include "ProjectReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int FuseCount = 200;
constexpr int Pairs = 20;

// 200 falling time-current curves of `points` points, each a little to
// the right of the one before.
struct Data
{
    FuseDatabase database;
    CharacteristicTypeTable types;
    const CharacteristicType* type = nullptr;

    explicit Data(int points)
    {
        type = types.append(CharacteristicType("Time-Current", AxisDefinition{"A", true, 1, 1000000},
                                               AxisDefinition{"s", true, 0.001, 100000}));
        for (int f = 0; f < FuseCount; ++f) {
            Fuse* fuse = database.addFuse(QStringLiteral("Fuse %1 A").arg(f + 1),
                                          QStringLiteral("%1").arg(100000 + f));
            Characteristic* c = fuse->appendCharacteristic(f + 1, type, database.pointMemory());
            for (int i = 0; i < points; ++i) {
                const double t = double(i) / (points - 1);
                const double x = 0.05 + 0.002 * f + 0.4 * t + 0.01 * std::sin(40 * t);
                const double y = 0.95 - 0.9 * std::pow(t, 0.6);
                c->appendPoint(CurvePoint{i + 1, x, y});
            }
        }
        database.finishBuilding();
    }
    std::vector<const Fuse*> fuses() const
    {
        std::vector<const Fuse*> out;
        for (int f = 0; f < FuseCount; ++f)
            out.push_back(database.findFuse(QStringLiteral("Fuse %1 A").arg(f + 1)));
        return out;
    }
};

// The project as Save writes it: every fuse, two lines of each kind, and
// an x value in every pair of every row (the y cells are computed).
QByteArray projectText()
{
    QByteArray text = "[Fuses]\r\n";
    for (int f = 0; f < FuseCount; ++f)
        text += "Fuse " + QByteArray::number(f + 1) + " A=\r\n";
    text += "[Characteristic]\r\nTime-Current=\r\n";
    text += "[XConstLines]\r\nIn=100\r\nIk=5000\r\n[YConstLines]\r\nt=0.4\r\nt5=5\r\n";
    text += "[Table]\r\nNumberOfColumns=" + QByteArray::number(2 * Pairs) + "\r\n";
    for (int f = 0; f < FuseCount; ++f)
        for (int p = 0; p < Pairs; ++p)
            text += "Column" + QByteArray::number(2 * p + 1) + "(Fuse " + QByteArray::number(f + 1) +
                    " A)=" + QByteArray::number(20 + 40 * p) + "\r\n";
    return text;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}


// Opens the project into a chart without a window and draws it once in a
// window-sized picture; the medians of the whole and of the reading alone.
bool openProject(const Data& data, const QString& path, const char* figure)
{
    const QSize size(1200, 800);
    QImage picture(size, QImage::Format_RGB32);
    std::vector<double> openTimes, readTimes;
    for (int run = 0; run < 12; ++run) {
        CCharacteristicChart chart;
        ChartProjectView view(chart);
        QElapsedTimer timer;
        timer.start();
        const ProjectReadResult result = ProjectReader(data.database, data.types).readFile(path, view);
        view.exportTablePoints();
        const double read = timer.nsecsElapsed() / 1e6;
        picture.fill(Qt::white);
        {
            QPainter painter(&picture);
            chart.Paint(painter, QRect(QPoint(0, 0), size));
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        if (!result.stopMessage.isEmpty() || !result.errors.isEmpty() || !view.table() ||
            view.table()->gridColumnCount() != 2 + 2 * Pairs) {
            std::fprintf(stderr, "the project did not open whole\n");
            return false;
        }
        if (run > 0) { // the first run warms the glyph caches
            openTimes.push_back(ms);
            readTimes.push_back(read);
        }
    }
    picture.save(QStringLiteral(BENCH_WORK_DIR "/%1.png").arg(QLatin1String(figure)));
    std::printf("BENCH %s_first_draw_median %.3f ms\n", figure, median(openTimes));
    std::printf("BENCH %s_reading_median %.3f ms\n", figure, median(readTimes));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    // 1. Open the project, on curves as long as the sample database's
    // longest (24 points) and on curves of 2000 points.
    QDir().mkpath(QStringLiteral(BENCH_WORK_DIR));
    const QString path = QStringLiteral(BENCH_WORK_DIR "/project-200x40.cvp");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(projectText()) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const Data shortCurves(24);
    const Data data(2000);
    if (!openProject(shortCurves, path, "open_project_200_fuses_40_columns_24_points") ||
        !openProject(data, path, "open_project_200_fuses_40_columns_2000_points"))
        return 1;
    std::printf("BENCH open_project_target %.3f ms\n", 200.0);

    // 2. Fill the table: an x value entered into every pair of every row,
    // each computing its y from a 2000-point curve.
    const std::vector<const Fuse*> fuses = data.fuses();
    std::vector<double> fillTimes;
    for (int run = 0; run < 11; ++run) {
        PointTableModel table;
        table.open(fuses, data.type, false);
        table.setGridColumnCount(PointTableModel::FixedColumns + 2 * Pairs);
        QElapsedTimer timer;
        timer.start();
        table.fillAll();
        for (int row = 1; row <= FuseCount; ++row)
            for (int p = 0; p < Pairs; ++p)
                table.enterValue(row, PointTableModel::FixedColumns + 2 * p,
                                 QString::number(20 + 40 * p));
        fillTimes.push_back(timer.nsecsElapsed() / 1e6);
        if (table.text(FuseCount, PointTableModel::FixedColumns + 1) == PointTableModel::NoValue) {
            std::fprintf(stderr, "the table computed nothing\n");
            return 1;
        }
    }
    std::printf("BENCH fill_table_200_fuses_20_pairs_2000_points_median %.3f ms\n",
                median(fillTimes));
    std::printf("BENCH fill_table_target %.3f ms\n", 100.0);
    return 0;
}
