// Loading a large fuse database: time, its ratio to reading the same bytes
// in the same run, and the memory it needs at its peak.
#include "FuseDatabaseLoader.h"
#include "FuseDbGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr FuseDbGeneratorOptions kOptions{5000, 5, 40, 20241209u};

QString stamp()
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(kOptions.fuses)
        .arg(kOptions.characteristicsPerFuse)
        .arg(kOptions.pointsPerCharacteristic)
        .arg(kOptions.seed);
}

// Generates the database once; later runs reuse it while the options match.
bool prepare(const QString& dir)
{
    QFile marker(dir + QStringLiteral("/.options"));
    if (marker.open(QIODevice::ReadOnly) && QString::fromLatin1(marker.readAll()) == stamp())
        return true;
    marker.close();
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    QString error;
    if (!generateFuseDatabase(dir, kOptions, &error)) {
        std::fprintf(stderr, "generating the database failed: %s\n", qPrintable(error));
        return false;
    }
    if (!marker.open(QIODevice::WriteOnly))
        return false;
    marker.write(stamp().toLatin1());
    return true;
}

// The baseline: the same record files read through in pieces, every byte
// looked at once (counting terminators) so that nothing is optimised away.
long long readBytes(const QString& dir, long long* terminators)
{
    long long bytes = 0;
    long long at = 0;
    std::vector<char> piece(1 << 18);
    for (const char* table : {"var_grup", "vars", "karakt", "tocka", "tip_kar"}) {
        QFile file(dir + QLatin1Char('/') + QLatin1String(table) + QStringLiteral(".rec"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (;;) {
            const qint64 got = file.read(piece.data(), qint64(piece.size()));
            if (got <= 0)
                break;
            bytes += got;
            at += std::count(piece.data(), piece.data() + got, '@');
        }
    }
    *terminators = at;
    return bytes;
}

long long statusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Lets the peak resident size start again from the current one.
void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// CPU time of this thread: on a machine shared with other work it measures
// what the load costs rather than how long it waited for a processor.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString dir = QStringLiteral(BENCH_WORK_DIR "/fusedb");
    if (!prepare(dir))
        return 1;

    std::vector<double> readMs;
    std::vector<double> loadMs;
    std::vector<double> readCpuMs;
    std::vector<double> loadCpuMs;
    long long bytes = 0;
    long long terminators = 0;
    long long peakKb = -1;
    long long baseKb = -1;
    int fuses = 0;
    long long characteristics = 0;
    long long points = 0;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer clock;
        clock.start();
        double cpu = threadCpuMs();
        bytes = readBytes(dir, &terminators);
        readCpuMs.push_back(threadCpuMs() - cpu);
        readMs.push_back(double(clock.nsecsElapsed()) / 1e6);

        baseKb = statusKb("VmRSS");
        resetPeak();
        clock.restart();
        cpu = threadCpuMs();
        FuseDatabaseLoader loader(FuseDatabaseLoader::directorySource(dir));
        std::unique_ptr<FuseDatabase> db = loader.load();
        loadCpuMs.push_back(threadCpuMs() - cpu);
        loadMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        peakKb = std::max(peakKb, statusKb("VmHWM"));
        fuses = db->fuseCount();
        characteristics = 0;
        points = 0;
        for (const Fuse* fuse : db->fuses()) {
            characteristics += fuse->characteristicCount();
            for (int i = 0; i < fuse->characteristicCount(); ++i)
                points += fuse->characteristic(i)->pointCount();
        }
    }
    const double load = median(loadMs);
    const double read = median(readMs);
    std::printf("BENCH fuses %d count\n", fuses);
    std::printf("BENCH characteristics %lld count\n", characteristics);
    std::printf("BENCH points %lld count\n", points);
    std::printf("BENCH record_bytes %lld bytes\n", bytes);
    std::printf("BENCH read_bytes_time %.1f ms\n", read);
    std::printf("BENCH load_time %.1f ms\n", load);
    std::printf("BENCH load_to_read_ratio %.2f ratio\n", read > 0 ? load / read : 0.0);
    const double loadCpu = median(loadCpuMs);
    const double readCpu = median(readCpuMs);
    std::printf("BENCH read_bytes_cpu_time %.1f ms\n", readCpu);
    std::printf("BENCH load_cpu_time %.1f ms\n", loadCpu);
    std::printf("BENCH load_to_read_cpu_ratio %.2f ratio\n", readCpu > 0 ? loadCpu / readCpu : 0.0);
    std::printf("BENCH peak_memory %.1f MB\n", double(peakKb) / 1024.0);
    std::printf("BENCH resident_before_load %.1f MB\n", double(baseKb) / 1024.0);
    return terminators > 0 ? 0 : 1;
}
