#include "PageBench.h"

#include "CatalogueTreeModel.h"
#include "KavrelConfig.h"
#include "ProductPanel.h"
#include "ProductSearch.h"
#include "TDBX.h"
#include "TFStart.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <QTreeView>
#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

void figure(const QString& name, double value, const char* unit)
{
    QTextStream(stdout) << "BENCH " << name << ' ' << QString::number(value, 'f', 3) << ' ' << unit
                        << Qt::endl;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Product pictures of the size the installation has (480 × 360 JPEG).
void writePictures(const QString& dir)
{
    const QString bmp = dir + QStringLiteral("/data/BMP");
    QDir().mkpath(bmp);
    for (int p = 1; p <= 100; ++p) {
        const QString file = bmp + QStringLiteral("/PIC%1.jpg").arg(p, 3, 10, QLatin1Char('0'));
        if (QFile::exists(file))
            continue;
        QImage image(480, 360, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((p * 37) % 360, 120, 230));
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 6));
        painter.drawEllipse(QRect(40 + p, 40, 300, 260));
        painter.drawText(QRect(0, 0, 480, 40), Qt::AlignCenter, QString::number(p));
        painter.end();
        image.save(file, "JPEG", 90);
    }
    const QString blank = bmp + QStringLiteral("/blank.jpg");
    if (!QFile::exists(blank)) {
        QImage white(480, 360, QImage::Format_RGB32);
        white.fill(Qt::white);
        white.save(blank, "JPEG", 90);
    }
}

// The first `wanted` products of the first segment, opened in the tree.
std::vector<QPersistentModelIndex> openProducts(TFStart& start, int wanted)
{
    CatalogueTreeModel* model = start.treeModel();
    std::vector<QPersistentModelIndex> products;
    std::vector<QModelIndex> level;
    for (int i = 0; i < model->rowCount(); ++i)
        level.push_back(model->index(i, 0));
    for (int depth = 0; depth < 3; ++depth) {
        std::vector<QModelIndex> next;
        for (const QModelIndex& g : level) {
            if (int(next.size()) >= wanted)
                break;
            start.VST1->expand(g);
            for (int c = 0; c < model->rowCount(g); ++c)
                next.push_back(model->index(c, 0, g));
        }
        level = std::move(next);
    }
    for (const QModelIndex& p : level)
        if (int(products.size()) < wanted)
            products.emplace_back(p);
    return products;
}

} // namespace

void PageBench::focusChange(const QString& dir)
{
    writePictures(dir);
    qputenv("KAVREL_WININI", (dir + QStringLiteral("/WIN.INI")).toLocal8Bit());
    const KavrelConfig::StartValues values = KavrelConfig::readStart();
    if (!values.valid())
        throw std::runtime_error("the configuration is not complete");
    TFStart start(values);
    start.resize(800, 600);
    start.show();
    if (!start.createDataModule())
        throw std::runtime_error("the catalogue did not open");
    ProductPanel* panel = start.findChild<ProductPanel*>();
    if (!panel)
        throw std::runtime_error("the main window has no product panel");
    const std::vector<QPersistentModelIndex> products = openProducts(start, 200);
    if (products.empty())
        throw std::runtime_error("no products in the first segment");

    std::vector<double> times;
    for (int round = 0; round < 3; ++round) {
        for (const QPersistentModelIndex& p : products) {
            QElapsedTimer t;
            t.start();
            start.focusNode(p);
            times.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        // Back to a group so that the next round changes every picture again.
        start.focusNode(start.treeModel()->index(0, 0));
    }
    figure(QStringLiteral("focus-change-median"), median(times), "ms");
    figure(QStringLiteral("focus-change-max"), *std::max_element(times.begin(), times.end()), "ms");
    figure(QStringLiteral("focus-change-target"), 30, "ms");
    figure(QStringLiteral("focus-changes"), double(times.size()), "count");
}

void PageBench::search(const QString& dir)
{
    TDBX dbx;
    QString error;
    if (!dbx.open(dir + QStringLiteral("/db"), &error))
        throw std::runtime_error(error.toStdString());
    dbx.setSegment(0);
    if (!dbx.openSearch(&error))
        throw std::runtime_error(error.toStdString());
    // The code of the last product row of the text table: the longest walk.
    QString last;
    for (int row = dbx.textTable().rowSlots() - 1; row >= 0 && last.isEmpty(); --row)
        if (dbx.textTable().isLive(row))
            last =
                dbx.textTable().cell(row, dbx.textTable().schema().fieldIndex("KODA")).toString();
    if (last.isEmpty())
        throw std::runtime_error("no product code in the text table");
    figure(QStringLiteral("search-text-rows"), dbx.textTable().rowCount(), "count");

    ProductSearch search;
    QElapsedTimer first;
    first.start();
    search.find(dbx, QStringLiteral("0000000"));
    figure(QStringLiteral("search-first-with-index"), double(first.nsecsElapsed()) / 1e6, "ms");
    std::vector<double> found, missing;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer t;
        t.start();
        const ProductSearch::Result r = search.find(dbx, last);
        found.push_back(double(t.nsecsElapsed()) / 1e6);
        if (r.outcome == ProductSearch::Result::NotFound)
            throw std::runtime_error("the last product was not found");
        t.restart();
        search.find(dbx, QStringLiteral("0000000"));
        missing.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    figure(QStringLiteral("search-by-code-median"), median(found), "ms");
    figure(QStringLiteral("search-not-found-median"), median(missing), "ms");
    figure(QStringLiteral("search-target"), 5, "ms");
}
