// Saving a drawing of 5,000 attributed block references (target 300 ms), and
// opening it again.
#include "CadDocument.h"
#include "DrawingContent.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int References = 5000;
constexpr int Runs = 7;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A schematic as the workbench fills it: one symbol definition with four
// attribute definitions, references in rows, each with its four attributes.
void fill(CadDocument& doc)
{
    DrawingContent& c = doc.content();
    const qint64 block = c.addBlock({1, -1, 0}, QStringLiteral("KS_FUSE"));
    DxfDrawing symbol;
    for (int i = 0; i < 5; ++i) {
        DxfEntity line;
        line.layer = QStringLiteral("SYMBOL");
        line.points = {{0, -0.4 * i, 0}, {0.3, -0.4 * i - 0.4, 0}};
        symbol.entities << line;
    }
    c.addDrawingToBlock(block, symbol, {1, -1, 0}, 1, 1, 1, 0);
    double y = -1;
    for (const char* tag : {"Block", "Manufacturer", "ItemNo", "Item"}) {
        c.addAttributeDefinition(block, 0.2, 0, QString::fromLatin1(tag), {1, y, 0},
                                 QString::fromLatin1(tag), QStringLiteral("KAVREL"));
        y -= 0.3;
    }
    for (int i = 0; i < References; ++i) {
        const qint64 ref = c.insertReference({(i % 100) * 3.0, (i / 100) * -4.0, 0},
                                             QStringLiteral("KS_FUSE"), 1, 1, 1, 0);
        const auto& ids = c.entity(c.require(ref)).attributeIds;
        c.setAttributeText(ids[0], QStringLiteral("F%1").arg(i + 1));
        c.setAttributeText(ids[3], QStringLiteral("Varovalčni vložek NH00 gG %1 A").arg(16 + i % 200));
    }
    doc.changed();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString dir = QStringLiteral(BENCH_WORK_DIR "/cadhost");
    QDir().mkpath(dir);
    const QString file = dir + QStringLiteral("/schematic-5000.dxf");
    qint64 next = 0;
    CadDocument doc(1, [&next] { return ++next; });
    fill(doc);

    std::vector<double> save, open;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer t;
        t.start();
        doc.saveAs(file);
        save.push_back(t.nsecsElapsed() / 1e6);
        CadDocument reopened(2, [&next] { return ++next; });
        t.restart();
        reopened.load(file, false);
        open.push_back(t.nsecsElapsed() / 1e6);
        if (reopened.content().modelCount() != References) {
            std::fprintf(stderr, "reopened drawing has %d references\n", reopened.content().modelCount());
            return 1;
        }
    }
    std::printf("BENCH cadhost_save_5000_references %.1f ms\n", median(save));
    std::printf("BENCH cadhost_open_5000_references %.1f ms\n", median(open));
    std::printf("BENCH cadhost_file_size_5000_references %.0f kB\n", QFileInfo(file).size() / 1024.0);
    return 0;
}
