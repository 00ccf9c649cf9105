#include "FuseDatabaseLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
