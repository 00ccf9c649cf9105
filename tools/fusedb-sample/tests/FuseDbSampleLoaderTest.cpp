// Loads the sample and a generated database with curvata's own loader, so
// that the files are known to mean to the program what the sample intends.
#include "FuseDatabaseLoadReport.h"
#include "FuseDatabaseLoader.h"
#include "FuseDatabaseLocation.h"
#include "FuseDbFiles.h"
#include "FuseDbGenerator.h"
#include "TableListFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

struct Loaded
{
    std::unique_ptr<FuseDatabase> db;
    FuseDatabaseLoadReport report;
    std::unique_ptr<FuseDatabaseLoader> loader;
};

Loaded load(const QString& dir)
{
    Loaded out;
    out.loader = std::make_unique<FuseDatabaseLoader>(FuseDatabaseLoader::directorySource(dir));
    out.loader->setReport(&out.report);
    out.db = out.loader->load();
    return out;
}

} // namespace

TEST(FuseSampleWithLoader, LoadsWithOnlyTheIntendedIrregularity)
{
    QString problem;
    ASSERT_TRUE(TableListFile::check(QStringLiteral(FIXTURE_DIR), &problem))
        << problem.toStdString();
    const Loaded loaded = load(QStringLiteral(FIXTURE_DIR));
    const FuseDatabase& db = *loaded.db;
    const FuseDbFiles files = FuseDbFiles::read(QStringLiteral(FIXTURE_DIR));

    // The one fuse without a group is the only thing the loader reports.
    for (const auto& issue : loaded.report.issues) {
        EXPECT_EQ(issue.table, QStringLiteral("vars")) << issue.message.toStdString();
        EXPECT_TRUE(issue.message.contains(QStringLiteral("withdrawn")))
            << issue.message.toStdString();
    }
    EXPECT_LE(loaded.report.issues.size(), 1u);

    EXPECT_EQ(db.topLevelGroupCount(), 4);
    EXPECT_EQ(db.groupCount(), int(files.groups.size()));
    EXPECT_EQ(db.fuseCount(), int(files.fuses.size()));
    for (const FuseGroup* g : db.groups()) {
        if (g->level() > 1) {
            EXPECT_TRUE(g->parent()) << g->name().toStdString();
        }
    }
    const Fuse* orphan = db.findFuse(QStringLiteral("NH00 gG 35 A"));
    ASSERT_TRUE(orphan);
    EXPECT_EQ(orphan->group(), nullptr);
    EXPECT_TRUE(orphan->findCharacteristic(QStringLiteral("Time-Current")));

    const FuseGroup* mixed = db.findGroup(QStringLiteral("NH gR"), 2);
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->childCount(), 3);
    EXPECT_GT(mixed->fuseCount(), 0);

    const Fuse* single = db.findFuse(QStringLiteral("D01 gG 2 A"));
    ASSERT_TRUE(single);
    const Characteristic* power = single->findCharacteristic(QStringLiteral("Power Dissipation"));
    ASSERT_TRUE(power);
    EXPECT_EQ(power->pointCount(), 1);
}

TEST(FuseSampleWithLoader, IsInstalledWhereCurvataLooks)
{
    // curvata starts in <sample>/curvata and finds fuseDbDir/fuse below it.
    const QString dir = FuseDatabaseLocation::resolve(QStringLiteral(SAMPLE_DIR "/curvata"));
    EXPECT_TRUE(dir.endsWith(QStringLiteral("/curvata/fuseDbDir/fuse"))) << dir.toStdString();
    QString problem;
    EXPECT_TRUE(TableListFile::check(dir, &problem)) << problem.toStdString();
    for (const QString& table : TableListFile::requiredTables()) {
        QFile installed(dir + QLatin1Char('/') + table + QStringLiteral(".rec"));
        QFile committed(QStringLiteral(FIXTURE_DIR "/") + table + QStringLiteral(".rec"));
        ASSERT_TRUE(installed.open(QIODevice::ReadOnly)) << table.toStdString();
        ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << table.toStdString();
        EXPECT_TRUE(installed.readAll() == committed.readAll()) << table.toStdString();
    }
}

TEST(FuseSampleWithLoader, AgreesPointForPointWithTheFiles)
{
    const Loaded loaded = load(QStringLiteral(FIXTURE_DIR));
    const FuseDbFiles files = FuseDbFiles::read(QStringLiteral(FIXTURE_DIR));
    size_t checked = 0;
    for (const auto& c : files.characteristics) {
        const Fuse* fuse = loaded.db->findFuse(c.fuse);
        ASSERT_TRUE(fuse) << c.fuse.toStdString();
        const Characteristic* lc = fuse->findCharacteristic(c.type);
        ASSERT_TRUE(lc) << c.fuse.toStdString() << " " << c.type.toStdString();
        ASSERT_EQ(size_t(lc->pointCount()), c.points.size()) << c.fuse.toStdString();
        const CharacteristicType* t = lc->type();
        for (size_t i = 0; i < c.points.size(); ++i) {
            const CurvePoint* p = lc->point(int(i));
            ASSERT_TRUE(p);
            // Relative agreement; linear axes start at an exact 0.
            EXPECT_NEAR(t->xValue(p->x), c.points[i].x,
                        1e-9 * std::max(1.0, std::abs(c.points[i].x)));
            EXPECT_NEAR(t->yValue(p->y), c.points[i].y,
                        1e-9 * std::max(1.0, std::abs(c.points[i].y)));
            ++checked;
        }
    }
    EXPECT_EQ(checked, size_t(files.pointCount));
}

TEST(FuseSampleWithLoader, LoadsAGeneratedDatabaseCompletely)
{
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(generateFuseDatabase(dir.path(), {500, 5, 40, 3}, &error)) << error.toStdString();
    const Loaded loaded = load(dir.path());
    EXPECT_TRUE(loaded.report.issues.empty());
    EXPECT_EQ(loaded.db->fuseCount(), 500);
    long long points = 0;
    for (const Fuse* f : loaded.db->fuses()) {
        EXPECT_TRUE(f->group()) << f->name().toStdString();
        EXPECT_EQ(f->characteristicCount(), 5);
        for (int k = 0; k < f->characteristicCount(); ++k)
            points += f->characteristic(k)->pointCount();
    }
    EXPECT_EQ(points, 500LL * 5 * 40);
}
