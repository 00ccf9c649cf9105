// bench-catalogue [--products N]
// Generates the large catalogue into BENCH_WORK_DIR (once per product
// count), then measures:
//  - start-up: process start of the real kavrel to the first painted tree
//    (kavrel prints it when KAVREL_STARTUP_PROBE=1), median of 5 starts;
//  - expanding a group (children created from the views), mean per group;
//  - node-text lookups per second.
#include "CatalogueTreeModel.h"
#include "LargeCatalogue.h"
#include "PageBench.h"
#include "TDBX.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

QTextStream out(stdout);

void figure(const char* name, double value, const char* unit)
{
    out << "BENCH " << name << ' ' << QString::number(value, 'f', 3) << ' ' << unit << Qt::endl;
}

bool run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The catalogue's tables, configuration and bootstrap profile.
QString prepare(int products)
{
    const QString dir = QStringLiteral(BENCH_WORK_DIR "/catalogue-%1").arg(products);
    const QString db = dir + QStringLiteral("/db");
    if (!QFile::exists(db + QStringLiteral("/cert.cds"))) {
        QDir(dir).removeRecursively();
        QDir().mkpath(db);
        QDir().mkpath(dir + QStringLiteral("/data/BMP"));
        QElapsedTimer t;
        t.start();
        const auto c = LargeCatalogue::writeCsv(products, db);
        out << "generated " << c.products << " products, " << c.treeRows << " tree rows, "
            << c.attributeRows << " attribute rows, " << c.textRows << " text rows in "
            << t.elapsed() << " ms" << Qt::endl;
        const QList<std::pair<QString, QString>> tables = {{"tree", "T1.CDS"},
                                                           {"attributes", "T2.CDS"},
                                                           {"texts", "T3.CDS"},
                                                           {"pictures", "T4.CDS"},
                                                           {"certificates", "cert.cds"}};
        for (const auto& [schema, file] : tables)
            if (!run(QStringLiteral(KAVREL_TABLES_EXE),
                     {QStringLiteral("create"), schema, db + '/' + schema + QStringLiteral(".csv"),
                      db + '/' + file}))
                throw std::runtime_error("kavrel-tables create failed");
    }
    QFile ini(dir + QStringLiteral("/KAVREL.INI"));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write KAVREL.INI");
    ini.write("[KAVREL]\r\nJEZIK=ANG\r\nDIR=" + (dir + QStringLiteral("/data")).toUtf8() +
              "\r\nDIRDB=" + db.toUtf8() + "\r\n");
    ini.close();
    QFile win(dir + QStringLiteral("/WIN.INI"));
    if (!win.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write WIN.INI");
    win.write("[KAVREL]\r\nINI=" + ini.fileName().toUtf8() + "\r\n");
    return dir;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void benchStartUp(const QString& dir)
{
    std::vector<double> firstPaint, wall;
    for (int i = 0; i < 5; ++i) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KAVREL_WININI"), dir + QStringLiteral("/WIN.INI"));
        env.insert(QStringLiteral("KAVREL_STARTUP_PROBE"), QStringLiteral("1"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir + QStringLiteral("/run"));
        if (env.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QDir().mkpath(dir + QStringLiteral("/run"));
        QFile::setPermissions(dir + QStringLiteral("/run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(KAVREL_EXE), {});
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            throw std::runtime_error("kavrel did not report its first paint");
        }
        wall.push_back(double(t.elapsed()));
        const QList<QByteArray> words = p.readAllStandardOutput().trimmed().split(' ');
        if (words.size() >= 3 && words[1] == "first-paint")
            firstPaint.push_back(words[2].toDouble());
    }
    figure("startup-first-paint", median(firstPaint), "ms");
    figure("startup-wall", median(wall), "ms");
    figure("startup-target", 1000, "ms");
}

void benchTree(const QString& dir)
{
    TDBX dbx;
    QString error;
    QElapsedTimer t;
    t.start();
    if (!dbx.open(dir + QStringLiteral("/db"), &error))
        throw std::runtime_error(error.toStdString());
    figure("open-tables", double(t.nsecsElapsed()) / 1e6, "ms");
    CatalogueTreeModel model;
    model.setDataModule(&dbx);

    // Every group of every segment, expanded from the top (levels 0..2).
    qint64 ns = 0, slowest = 0;
    int groups = 0, nodes = 0;
    std::vector<QModelIndex> all;
    for (int segment = 0; segment < 3; ++segment) {
        dbx.setSegment(segment);
        model.resetRoot(dbx.K1T1.recordCount());
        std::vector<QModelIndex> level;
        for (int i = 0; i < model.rowCount(); ++i)
            level.push_back(model.index(i, 0));
        for (int depth = 0; depth < 3 && !level.empty(); ++depth) {
            std::vector<QModelIndex> next;
            for (const QModelIndex& g : level) {
                QElapsedTimer e;
                e.start();
                const int n = model.expand(g);
                const qint64 took = e.nsecsElapsed();
                ns += took;
                slowest = std::max(slowest, took);
                ++groups;
                for (int c = 0; c < n; ++c)
                    next.push_back(model.index(c, 0, g));
            }
            level = std::move(next);
        }
        // Node texts over everything of this segment that is open.
        std::vector<QModelIndex> stack;
        for (int i = 0; i < model.rowCount(); ++i)
            stack.push_back(model.index(i, 0));
        while (!stack.empty()) {
            const QModelIndex x = stack.back();
            stack.pop_back();
            all.push_back(QPersistentModelIndex(x));
            for (int c = 0; c < model.rowCount(x); ++c)
                stack.push_back(model.index(c, 0, x));
        }
        nodes += int(all.size());
        QElapsedTimer e;
        e.start();
        qint64 lookups = 0;
        while (e.elapsed() < 300) {
            for (const QModelIndex& x : all)
                model.nodeText(x);
            lookups += qint64(all.size());
        }
        figure(qPrintable(QStringLiteral("node-texts-per-second-segment-%1").arg(segment)),
               double(lookups) / (double(e.nsecsElapsed()) / 1e9), "1/s");
        all.clear();
    }
    figure("expand-group-mean", groups ? double(ns) / 1e6 / groups : 0, "ms");
    figure("expand-group-max", double(slowest) / 1e6, "ms");
    figure("expand-group-target", 10, "ms");
    figure("expanded-groups", groups, "count");
    figure("visited-nodes", nodes, "count");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int products = 20000;
    const QStringList args = app.arguments();
    const int at = int(args.indexOf(QStringLiteral("--products")));
    if (at > 0 && at + 1 < args.size())
        products = std::max(1, args.at(at + 1).toInt());
    try {
        const QString dir = prepare(products);
        benchStartUp(dir);
        benchTree(dir);
        PageBench::focusChange(dir);
        PageBench::search(dir);
    } catch (const std::exception& e) {
        QTextStream(stderr) << "bench-catalogue: " << e.what() << Qt::endl;
        return 1;
    }
    return 0;
}
