#include "FuseDatabaseLocation.h"
#include "FuseModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool copyFixture(const QString& name, const QString& to)
{
    const QDir from(QStringLiteral(FIXTURE_DIR) + QLatin1Char('/') + name);
    if (!QDir().mkpath(to))
        return false;
    for (const QString& file : from.entryList(QDir::Files)) {
        if (!QFile::copy(from.filePath(file), to + QLatin1Char('/') + file))
            return false;
    }
    return true;
}

} // namespace

TEST(FuseDatabaseLocation, FollowsFuseDbDirAndFuseWhereTheyExist)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString base = root.path();
    EXPECT_EQ(FuseDatabaseLocation::resolve(base), base); // neither step exists

    QDir(base).mkpath("fuseDbDir");
    EXPECT_EQ(FuseDatabaseLocation::resolve(base), base + "/fuseDbDir");

    QDir(base).mkpath("fuseDbDir/fuse");
    EXPECT_EQ(FuseDatabaseLocation::resolve(base), base + "/fuseDbDir/fuse");

    // A file called "fuse" (the table list) is not a directory to enter.
    QTemporaryDir flat;
    QFile list(flat.filePath("fuse"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.close();
    EXPECT_EQ(FuseDatabaseLocation::resolve(flat.path()), flat.path());

    // Copied from Windows with other capitals.
    QTemporaryDir upper;
    QDir(upper.path()).mkpath("FUSEDBDIR/Fuse");
    EXPECT_EQ(FuseDatabaseLocation::resolve(upper.path()), upper.path() + "/FUSEDBDIR/Fuse");
}

TEST(FuseDatabaseInstance, LoadsOnceAndNeverReloads)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString dir = root.path() + "/fuseDbDir/fuse";
    ASSERT_TRUE(copyFixture("basic", dir));
    FuseDatabaseLocation::setDirectory(FuseDatabaseLocation::resolve(root.path()));

    const FuseDatabase& db = FuseDatabase::instance();
    EXPECT_EQ(db.fuseCount(), 3);
    const CharacteristicTypeTable& types = CharacteristicTypeTable::instance();
    EXPECT_EQ(types.count(), 2);
    // The loader took its types from the single table.
    EXPECT_EQ(db.fuse(0)->characteristic(0)->type(), types.type(0));

    // Later changes to the files are not seen.
    ASSERT_TRUE(QFile::remove(dir + "/vars.rec"));
    EXPECT_EQ(&FuseDatabase::instance(), &db);
    EXPECT_EQ(FuseDatabase::instance().fuseCount(), 3);
    EXPECT_EQ(&CharacteristicTypeTable::instance(), &types);
}
