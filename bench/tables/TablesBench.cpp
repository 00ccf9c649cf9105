// Speed of the client table engine on generated tables: load against a bare
// SQLite read of the same file, keyed lookups, filter changes and
// write-through posts.
#include "TableView.h"
#include "StandardSchemas.h"
#include "TableStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <random>
#include <sqlite3.h>
#include <time.h>

namespace {

// This machine is shared; CPU-bound figures are taken as process CPU time so
// that other load does not count. Writes are timed on the wall clock.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

void report(const char* figure, double value, const char* unit)
{
    std::printf("BENCH %s %.6g %s\n", figure, value, unit);
    std::fflush(stdout);
}

// A tree table of `rows` rows: about 20 children under each parent.
QString generateTree(const QString& path, int rows)
{
    const TableSchema schema = StandardSchemas::tree();
    std::vector<QVariant> cells;
    cells.reserve(size_t(rows) * 5);
    const QString looks[] = {QStringLiteral("A"), QStringLiteral("B")};
    for (int i = 0; i < rows; ++i) {
        cells.push_back(QVariant(i / 20));
        cells.push_back(QVariant(looks[i % 2]));
        cells.push_back(QVariant(i % 20));
        cells.push_back(QVariant(i + 1));
        cells.push_back(QVariant(QDate(2020, 1, 1).addDays(i % 1000)));
    }
    std::vector<const QVariant*> pointers;
    for (int i = 0; i < rows; ++i)
        pointers.push_back(cells.data() + size_t(i) * 5);
    std::vector<qint64> ids;
    TableStore::writeNewFile(path, schema, pointers, ids);
    return path;
}

double bareSqliteMs(const QString& path)
{
    const double start = cpuMs();
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM kt_rows", -1, &st, nullptr);
    long long checksum = 0;
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                checksum += sqlite3_column_bytes(st, c) + sqlite3_column_text(st, c)[0];
            else
                checksum += sqlite3_column_int64(st, c);
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    const double ms = cpuMs() - start;
    if (checksum == 42)
        std::printf("#\n");
    return ms;
}

// Heap bytes in use (small blocks and mapped large ones).
double heapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks) + double(info.hblkhd);
}

// What a loaded row costs in memory, against what it takes in the file.
void benchMemory(const QString& path, int rows)
{
    const double before = heapBytes();
    ClientTable table;
    table.open(path, ClientTable::OpenMode::ReadOnly);
    const double perRow = (heapBytes() - before) / rows;
    const double filePerRow = double(QFileInfo(path).size()) / rows;
    report("memory_per_loaded_row_1m_rows", perRow, "bytes");
    report("file_bytes_per_row_1m_rows", filePerRow, "bytes");
    report("memory_per_row_ratio_to_file", perRow / filePerRow, "ratio");
}

double engineLoadMs(const QString& path)
{
    ClientTable table;
    const double start = cpuMs();
    table.open(path, ClientTable::OpenMode::ReadOnly);
    const double ms = cpuMs() - start;
    if (table.rowCount() == 0)
        std::printf("# empty table\n");
    return ms;
}

void benchLoadAndLookups(const QString& dir)
{
    const int rows = 1000000;
    const QString path = generateTree(dir + "/bench-T1.CDS", rows);
    double bare = 1e300, engine = 1e300;
    for (int run = 0; run < 3; ++run) {
        bare = std::min(bare, bareSqliteMs(path));
        engine = std::min(engine, engineLoadMs(path));
    }
    report("load_1m_rows_sqlite_select", bare, "ms");
    report("load_1m_rows_engine", engine, "ms");
    report("load_1m_rows_ratio_to_sqlite_select", engine / bare, "ratio");
    benchMemory(path, rows);

    ClientTable table;
    table.open(path, ClientTable::OpenMode::ReadOnly);
    TableView view(table);
    view.setIndexName("PRIMARY");
    std::mt19937 random(7);
    std::vector<QVariantList> keys;
    for (int i = 0; i < 100000; ++i) {
        const int parent = int(random() % (rows / 20));
        keys.push_back({parent, i % 2 ? "A" : "B", int(random() % 20)});
    }
    int found = 0;
    const double start = cpuMs();
    const int rounds = 10;
    for (int r = 0; r < rounds; ++r) {
        for (const QVariantList& key : keys)
            found += view.findKey(key) ? 1 : 0;
    }
    const double seconds = (cpuMs() - start) / 1e3;
    report("keyed_prefix_lookups", double(keys.size()) * rounds / seconds, "per_s");
    if (found == 0)
        std::printf("# no key found\n");
}

std::vector<QVariant> itemRow(const TableSchema& s, int i)
{
    std::vector<QVariant> row(s.fields.size());
    auto set = [&](const char* name, const QVariant& v) { row[size_t(s.fieldIndex(name))] = v; };
    set("L1NAR", i % 7 == 0 ? 5 : 0);
    set("Srt", i + 1);
    set("L1SYM", i % 3 == 0 ? 3 : 0);
    set("L1DIM", i % 5 == 0 ? 4 : 0);
    set("Ident", QStringLiteral("P%1").arg(i % 5000));
    set("NAZIV", QStringLiteral("Product %1").arg(i % 5000));
    set("Status", QString(i % 7 == 0 ? "N" : ""));
    set("STATUSS", QString(i % 11 == 0 ? "D" : ""));
    set("STATUSD", QString(i % 13 == 0 ? "D" : ""));
    set("Kol", double(i % 4 + 1));
    set("Vred", double(i % 100));
    return row;
}

void benchFilterAndPost(const QString& dir)
{
    const int rows = 100000;
    const TableSchema schema = StandardSchemas::tNar();
    std::vector<std::vector<QVariant>> data;
    std::vector<const QVariant*> pointers;
    for (int i = 0; i < rows; ++i)
        data.push_back(itemRow(schema, i));
    for (const auto& row : data)
        pointers.push_back(row.data());
    const QString path = dir + "/bench-items.cds";
    std::vector<qint64> ids;
    TableStore::writeNewFile(path, schema, pointers, ids);

    ClientTable items;
    items.open(path, ClientTable::OpenMode::ReadWrite, &schema);
    TableView view(items);
    view.setIndexName("Sort_IDENT");
    const QString filters[] = {
        QStringLiteral("( ((L1SYM>0) AND (STATUSD<>'D')) OR ((L1DIM>0) AND (STATUSS<>'D')) OR "
                       "(STATUS='N'))"),
        QStringLiteral("((L1SYM=3) AND (STATUSS<>'D')) OR ((L1SYM=0) AND (STATUSD<>'D')) OR "
                       "((L1NAR=5) AND (STATUS='N'))")};
    std::vector<double> times;
    for (int run = 0; run < 20; ++run) {
        const double start = cpuMs();
        view.setFilter(filters[run % 2]);
        times.push_back(cpuMs() - start);
    }
    std::sort(times.begin(), times.end());
    report("filter_change_100k_rows_median", times[times.size() / 2], "ms");
    report("filter_change_100k_rows_max", times.back(), "ms");

    times.clear();
    std::vector<double> cpu;
    for (int i = 0; i < 201; ++i) {
        const double cpuStart = cpuMs();
        QElapsedTimer timer;
        timer.start();
        view.append();
        view.setValue("Srt", rows + i + 1);
        view.setValue("Ident", QStringLiteral("NEW%1").arg(i));
        view.setValue("L1SYM", 3);
        view.setValue("Kol", 1);
        view.post();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs() - cpuStart);
    }
    // The first post of a table also builds its unique-key order.
    report("write_through_first_post_100k_rows", times.front(), "ms");
    report("write_through_first_post_100k_rows_cpu", cpu.front(), "ms");
    times.erase(times.begin());
    cpu.erase(cpu.begin());
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    report("write_through_post_100k_rows_cpu_median", cpu[cpu.size() / 2], "ms");
    double total = 0;
    for (double t : times)
        total += t;
    report("write_through_post_100k_rows_mean", total / double(times.size()), "ms");
    report("write_through_post_100k_rows_median", times[times.size() / 2], "ms");
    report("write_through_post_100k_rows_p95", times[times.size() * 95 / 100], "ms");
    items.close();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString dir = QStringLiteral(BENCH_WORK_DIR) + QStringLiteral("/tables");
    QDir().mkpath(dir);
    try {
        benchLoadAndLookups(dir);
        benchFilterAndPost(dir);
    } catch (const TableError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    QFile::remove(dir + "/bench-T1.CDS");
    QFile::remove(dir + "/bench-items.cds");
    return 0;
}
