// The large database generator: counts, determinism and argument checks.
#include "FuseDbGenerator.h"
#include "FuseDbFiles.h"
#include "FuseDbWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(FuseDbGenerator, WritesTheRequestedCounts)
{
    QTemporaryDir dir;
    const QString fuseDir = dir.path() + QStringLiteral("/deep/fuse");
    QString error;
    ASSERT_TRUE(generateFuseDatabase(fuseDir, {400, 7, 13, 5}, &error)) << error.toStdString();
    const FuseDbFiles db = FuseDbFiles::read(fuseDir);
    EXPECT_TRUE(db.error.isEmpty()) << db.error.toStdString();
    EXPECT_EQ(db.fuses.size(), 400u);
    EXPECT_EQ(db.characteristics.size(), 400u * 7);
    EXPECT_EQ(db.pointCount, 400LL * 7 * 13);
    for (const auto& c : db.characteristics)
        EXPECT_EQ(c.points.size(), 13u);

    // Names are unique, every fuse sits in an existing level-3 group, and a
    // fuse with more characteristics than types repeats the types in order.
    std::set<QString> names;
    for (const auto& f : db.fuses) {
        EXPECT_TRUE(names.insert(f.name).second) << f.name.toStdString();
        const auto* g = db.group(f.group);
        ASSERT_TRUE(g) << f.name.toStdString();
        EXPECT_EQ(g->level, 3);
        const auto* parent = db.group(g->parent);
        ASSERT_TRUE(parent);
        EXPECT_EQ(parent->level, 2);
        ASSERT_TRUE(db.group(parent->parent));
    }
    EXPECT_EQ(db.characteristics[0].type, QStringLiteral("Time-Current"));
    EXPECT_EQ(db.characteristics[5].type, QStringLiteral("Time-Current"));
    EXPECT_EQ(db.characteristics[6].type, QStringLiteral("Cut-Off Current"));
}

TEST(FuseDbGenerator, IsDeterministicPerSeed)
{
    QTemporaryDir dir;
    QString error;
    const QString a = dir.path() + QStringLiteral("/a"), b = dir.path() + QStringLiteral("/b"),
                  c = dir.path() + QStringLiteral("/c");
    ASSERT_TRUE(generateFuseDatabase(a, {50, 3, 20, 9}, &error));
    ASSERT_TRUE(generateFuseDatabase(b, {50, 3, 20, 9}, &error));
    ASSERT_TRUE(generateFuseDatabase(c, {50, 3, 20, 10}, &error));
    for (const char* f :
         {"fuse", "var_grup.rec", "vars.rec", "tip_kar.rec", "karakt.rec", "tocka.rec"})
        EXPECT_EQ(bytes(a + QLatin1Char('/') + QLatin1String(f)),
                  bytes(b + QLatin1Char('/') + QLatin1String(f)))
            << f;
    EXPECT_NE(bytes(a + QStringLiteral("/tocka.rec")), bytes(c + QStringLiteral("/tocka.rec")));
    EXPECT_EQ(bytes(a + QStringLiteral("/vars.rec")), bytes(c + QStringLiteral("/vars.rec")));
}

TEST(FuseDbGenerator, LargeCurvesKeepTheirPhysicalShape)
{
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(generateFuseDatabase(dir.path(), {300, 5, 40, 1}, &error));
    const FuseDbFiles db = FuseDbFiles::read(dir.path());
    for (const auto& c : db.characteristics) {
        for (size_t i = 1; i < c.points.size(); ++i) {
            if (c.type == QStringLiteral("Time-Current")) {
                EXPECT_GT(c.points[i].x, c.points[i - 1].x) << c.fuse.toStdString();
                EXPECT_LT(c.points[i].y, c.points[i - 1].y) << c.fuse.toStdString();
            }
            if (c.type == QStringLiteral("Cut-Off Current")) {
                EXPECT_LT(c.points[i].y, 2.83 * c.points[i].x) << c.fuse.toStdString();
            }
        }
    }
}

TEST(FuseDbGenerator, HandlesEmptyAndInvalidRequests)
{
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(generateFuseDatabase(dir.path() + QStringLiteral("/empty"), {0, 0, 0, 0}, &error));
    const FuseDbFiles empty = FuseDbFiles::read(dir.path() + QStringLiteral("/empty"));
    EXPECT_TRUE(empty.error.isEmpty()) << empty.error.toStdString();
    EXPECT_EQ(empty.fuses.size(), 0u);
    EXPECT_EQ(empty.types.size(), 5u);

    ASSERT_TRUE(
        generateFuseDatabase(dir.path() + QStringLiteral("/nopoints"), {3, 2, 0, 0}, &error));
    const FuseDbFiles noPoints = FuseDbFiles::read(dir.path() + QStringLiteral("/nopoints"));
    EXPECT_EQ(noPoints.characteristics.size(), 6u);
    EXPECT_EQ(noPoints.pointCount, 0);

    error.clear();
    EXPECT_FALSE(generateFuseDatabase(dir.path() + QStringLiteral("/neg"), {-1, 1, 1, 0}, &error));
    EXPECT_FALSE(error.isEmpty());

    // A file where the directory should be: a clear failure, not a crash.
    QFile blocker(dir.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    error.clear();
    EXPECT_FALSE(
        generateFuseDatabase(dir.path() + QStringLiteral("/file/fuse"), {1, 1, 1, 0}, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(FuseDbWriter, RefusesAFieldHoldingTheTerminator)
{
    // '@' would end the field early and shift every following record.
    FuseDbWriter writer;
    writer.addType(FuseDbWriter::standardTypes().front());
    writer.addGroup(QStringLiteral("NH fuse links"), 1, QString());
    writer.addFuse(QStringLiteral("NH00 gG 63 A"), QStringLiteral("1110630@"),
                   QStringLiteral("NH fuse links"));
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(writer.write(dir.path() + QStringLiteral("/fuse"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("1110630@"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/fuse/vars.rec")));
}

TEST(FuseDbWriter, StoresPositionsRelativeToTheTypeAxes)
{
    FuseDbWriter writer;
    // Log axis 1..10000 and linear axis 0..100: 100 sits at 0.5, 25 at 0.25.
    const int type = writer.addType({QStringLiteral("T"), QStringLiteral("A"), true, 1, 10000,
                                     QStringLiteral("W"), false, 0, 100});
    writer.addGroup(QStringLiteral("G"), 1, QString());
    writer.addFuse(QStringLiteral("F 1 A"), QStringLiteral("1"), QStringLiteral("G"));
    EXPECT_EQ(writer.addCharacteristic(QStringLiteral("F 1 A"), type, {{100, 25}, {1, 0}}), 1);
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(writer.write(dir.path(), &error)) << error.toStdString();
    EXPECT_EQ(bytes(dir.path() + QStringLiteral("/tocka.rec")),
              QByteArray("1@1@0.500000@0.250000@\n1@2@0.000000@0.000000@\n"));
    EXPECT_EQ(bytes(dir.path() + QStringLiteral("/karakt.rec")), QByteArray("1@F 1 A@T@\n"));
    EXPECT_EQ(bytes(dir.path() + QStringLiteral("/tip_kar.rec")),
              QByteArray("T@A@1@1@10000@W@0@0@100@\n"));
}
