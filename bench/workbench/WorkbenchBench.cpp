// Speed of the workbench model on a project of 10,000 items in 50 BOMs:
// opening the project, switching the current BOM (with its item view),
// adding an item without the CAD, and deleting a BOM of 1,000 items with
// its cascade. Then the outputs of a list of 10,000 items of 2,000
// products: its summary, its workbook and its printed PDF. Each figure is
// the median of several runs. The machine is shared: opening, switching
// and the summary, which compute, are taken as process CPU time; adding,
// deleting and the files written on the wall clock. The printed PDF is
// also given as CPU time: on a busy machine its wall time mostly measures
// the other processes.
#include "BomPrintLayout.h"
#include "BomSheet.h"
#include "BomSummary.h"
#include "BomWorkbookFile.h"
#include "StandardSchemas.h"
#include "WorkbenchModel.h"

#include <QGuiApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <cstdio>
#include <functional>
#include <time.h>
#include <vector>

namespace {

constexpr int kItems = 10000;
constexpr int kBoms = 50;
constexpr int kBigBom = 1000; // items of the first BOM, the one deleted

void report(const char* figure, double value, const char* unit)
{
    std::printf("BENCH %s %.4g %s\n", figure, value, unit);
    std::fflush(stdout);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double timeMs(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

double cpuMs(const std::function<void()>& f)
{
    const auto now = [] {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    };
    const double start = now();
    f();
    return now() - start;
}

// An empty project "New project1" (key 2) and the large one with its BOMs;
// returns the large project's key and writes the keys of its BOMs.
int generate(const QString& dir, std::vector<int>& boms)
{
    int big = 0;
    {
        WorkbenchModel m;
        m.open(dir, QStringLiteral("ANG"));
        big = m.addProject();
        TableView& r = m.tables().Risba;
        for (int b = 0; b < kBoms; ++b) {
            r.append();
            const char* type = b % 5 == 4 ? "N" : (b % 2 == 0 ? "S" : "D");
            r.setValue(QStringLiteral("Type"), QLatin1String(type));
            r.setValue(QStringLiteral("Name"), QStringLiteral("Drawing %1.dwg").arg(b + 1));
            r.post();
            boms.push_back(int(r.asInt(QStringLiteral("L2"))));
        }
    }
    // The items straight into the file, without views to keep up to date.
    const TableSchema schema = StandardSchemas::tNar();
    ClientTable items;
    items.open(dir + QStringLiteral("\\%1.cds").arg(big), ClientTable::OpenMode::ReadWrite, &schema);
    std::vector<ClientTable::Change> changes;
    const auto field = [&schema](const char* name) { return size_t(schema.fieldIndex(QLatin1String(name))); };
    for (int i = 0; i < kItems; ++i) {
        // The first BOM (a schematic) takes 1,000 items, the others share the rest.
        const int b = i < kBigBom ? 0 : 1 + (i - kBigBom) % (kBoms - 1);
        const int k = boms[size_t(b)];
        const bool list = b % 5 == 4, layout = !list && b % 2 == 1;
        ClientTable::Change c;
        c.values.resize(schema.fields.size());
        c.values[field("Srt")] = i + 1;
        c.values[field("Ident")] = QStringLiteral("%1").arg(1000000 + i % 3000);
        c.values[field("NAZIV")] = QStringLiteral("Product %1").arg(i % 3000);
        c.values[field("L1NAR")] = list ? k : 0;
        c.values[field("L1SYM")] = list ? -1 : (layout ? 0 : k);
        c.values[field("L1DIM")] = list ? -1 : (layout ? k : (i % 3 == 0 ? boms[1] : 0));
        c.values[field("Status")] = list ? QStringLiteral("N") : QString();
        c.values[field("Kol")] = double(1 + i % 5);
        c.values[field("Cena")] = 10.0 + i % 17;
        c.values[field("Neto")] = 10.0 + i % 17;
        c.values[field("Vred")] = (10.0 + i % 17) * (1 + i % 5);
        changes.push_back(std::move(c));
    }
    items.commit(changes);
    items.close();
    return big;
}

// A project whose one list holds 10,000 items of 2,000 products.
void outputs(const QString& dir)
{
    constexpr int kProducts = 2000;
    QDir().mkpath(dir);
    int project = 0, list = 0;
    {
        WorkbenchModel m;
        m.open(dir, QStringLiteral("ANG"));
        project = m.currentProject();
        list = m.newBom();
    }
    const TableSchema schema = StandardSchemas::tNar();
    ClientTable items;
    items.open(dir + QStringLiteral("\\%1.cds").arg(project), ClientTable::OpenMode::ReadWrite, &schema);
    std::vector<ClientTable::Change> changes;
    const auto field = [&schema](const char* name) { return size_t(schema.fieldIndex(QLatin1String(name))); };
    for (int i = 0; i < kItems; ++i) {
        ClientTable::Change c;
        c.values.resize(schema.fields.size());
        c.values[field("Srt")] = i + 1;
        c.values[field("Ident")] = QStringLiteral("%1").arg(3000000 + (i * 7) % kProducts);
        c.values[field("NAZIV")] = QStringLiteral("Fuse link gG %1 A, size NH%2").arg(i % kProducts).arg(i % 4);
        c.values[field("L1NAR")] = list;
        c.values[field("L1SYM")] = -1;
        c.values[field("L1DIM")] = -1;
        c.values[field("Status")] = QStringLiteral("N");
        c.values[field("Kol")] = double(1 + i % 5);
        c.values[field("Cena")] = 10.0 + i % 17;
        c.values[field("Neto")] = 10.0 + i % 17;
        c.values[field("Vred")] = (10.0 + i % 17) * (1 + i % 5);
        changes.push_back(std::move(c));
    }
    items.commit(changes);
    items.close();

    WorkbenchModel m;
    m.open(dir, QStringLiteral("ANG"));
    if (m.tables().TNar.recordCount() != kItems) {
        std::fprintf(stderr, "the list shows %d items\n", m.tables().TNar.recordCount());
        std::exit(1);
    }
    BomSummary summary(m);
    std::vector<double> sums;
    for (int run = 0; run < 9; ++run) {
        sums.push_back(cpuMs([&] { summary.setActive(true); }));
        if (m.tables().TNarUN.recordCount() != kProducts) {
            std::fprintf(stderr, "the summary lists %d products\n", m.tables().TNarUN.recordCount());
            std::exit(1);
        }
        summary.setActive(false);
    }
    report("summary-10000-items-2000-products", median(sums), "ms");

    std::vector<double> exports;
    for (int run = 0; run < 5; ++run) {
        exports.push_back(timeMs([&] {
            const std::optional<BomSheet> sheet = BomSheet::of(m);
            if (!sheet || !BomWorkbookFile::save(*sheet, dir + QStringLiteral("/bom.xlsx")))
                std::exit(1);
        }));
    }
    report("export-workbook-10000-items", median(exports), "ms");

    std::vector<double> prints;
    for (int run = 0; run < 3; ++run) {
        prints.push_back(timeMs([&] {
            const BomPrintLayout layout(BomPrintLayout::contentOf(m, {}, true));
            if (!layout.printToPdf(dir + QStringLiteral("/bom.pdf")))
                std::exit(1);
        }));
    }
    report("print-pdf-10000-items", median(prints), "ms");
    std::vector<double> printCpu;
    for (int run = 0; run < 3; ++run) {
        printCpu.push_back(cpuMs([&] {
            const BomPrintLayout layout(BomPrintLayout::contentOf(m, {}, true));
            if (!layout.printToPdf(dir + QStringLiteral("/bom.pdf")))
                std::exit(1);
        }));
    }
    report("print-pdf-10000-items-cpu", median(printCpu), "ms");
}

} // namespace

int main(int argc, char** argv)
{
    // The printed pages need fonts.
    QGuiApplication app(argc, argv);
    const QString root = QStringLiteral(BENCH_WORK_DIR) + QStringLiteral("/workbench");
    QDir(root).removeRecursively();
    const auto fresh = [&root](int run, std::vector<int>& boms) {
        const QString dir = root + QStringLiteral("/run%1").arg(run);
        QDir().mkpath(dir);
        boms.clear();
        const int big = generate(dir, boms);
        return std::make_pair(dir, big);
    };

    std::vector<int> boms;
    const auto [dir, big] = fresh(0, boms);
    WorkbenchModel m;
    m.open(dir, QStringLiteral("ANG"));
    const int small = m.currentProject();

    std::vector<double> opens;
    for (int run = 0; run < 9; ++run) {
        m.selectProject(small);
        opens.push_back(cpuMs([&, big = big] { m.selectProject(big); }));
    }
    report("open-project-10000-items", median(opens), "ms");

    std::vector<double> switches;
    for (int run = 0; run < 3 * kBoms; ++run) {
        const int bom = boms[size_t((run * 7) % kBoms)];
        switches.push_back(cpuMs([&] { m.selectBom(bom); }));
    }
    report("switch-bom", median(switches), "ms");

    m.selectBom(boms[4]); // a list
    std::vector<double> adds;
    for (int run = 0; run < 200; ++run) {
        const CatalogueProduct p{QStringLiteral("%1").arg(2000000 + run), QStringLiteral("New"), 1.0};
        adds.push_back(timeMs([&] { m.addWithoutCad(p, 1); }));
    }
    report("add-without-cad", median(adds), "ms");

    // Each deletion on a database of its own, as generated.
    std::vector<double> deletes;
    for (int run = 1; run <= 5; ++run) {
        std::vector<int> keys;
        const auto [runDir, runBig] = fresh(run, keys);
        WorkbenchModel d;
        d.open(runDir, QStringLiteral("ANG"));
        d.selectProject(runBig);
        d.selectBom(keys[0]);
        const int before = d.tables().itemTable().rowCount();
        deletes.push_back(timeMs([&] { d.deleteBom(); }));
        // Symbol-only items go, those with a dimension drawing stay.
        if (before - d.tables().itemTable().rowCount() < kBigBom * 2 / 3 - 1) {
            std::fprintf(stderr, "the cascade deleted %d items\n",
                         before - d.tables().itemTable().rowCount());
            return 1;
        }
    }
    report("delete-bom-1000-items", median(deletes), "ms");

    outputs(root + QStringLiteral("/outputs"));
    QDir(root).removeRecursively();
    return 0;
}
