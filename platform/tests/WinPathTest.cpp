#include "WinPath.h"

#include "QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}
} // namespace

TEST(WinPath, BackslashesCaseAndTrailingBlanks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath(QStringLiteral("Data/PDF"));
    touch(dir.path() + QStringLiteral("/Data/PDF/TECH_DATA.PDF"));
    touch(dir.path() + QStringLiteral("/Data/Navodila.pdf"));

    const QString root = dir.path();
    EXPECT_EQ(WinPath::toNative(root + QStringLiteral("\\Data\\PDF\\TECH_DATA.PDF")),
              root + QStringLiteral("/Data/PDF/TECH_DATA.PDF"));
    // Data copied from Windows: the case of a component may differ.
    EXPECT_EQ(WinPath::toNative(root + QStringLiteral("\\data\\pdf\\tech_data.pdf")),
              root + QStringLiteral("/Data/PDF/TECH_DATA.PDF"));
    // Windows ignores trailing blanks and dots of a component.
    EXPECT_EQ(WinPath::toNative(root + QStringLiteral("\\Data\\Navodila.pdf ")),
              root + QStringLiteral("/Data/Navodila.pdf"));
    EXPECT_TRUE(WinPath::exists(root + QStringLiteral("\\DATA\\navodila.PDF.")));
    EXPECT_FALSE(WinPath::exists(root + QStringLiteral("\\Data\\missing.pdf")));
    // A path that cannot be resolved keeps its remaining components.
    EXPECT_EQ(WinPath::toNative(root + QStringLiteral("\\Nope\\x.jpg")),
              root + QStringLiteral("/Nope/x.jpg"));
}

TEST(WinPath, ExactCaseWinsAndDirectoriesResolve)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    QDir(root).mkpath(QStringLiteral("Sym"));
    QDir(root).mkpath(QStringLiteral("SYM"));
    QDir(root).mkpath(QStringLiteral("Data/BMP"));
    touch(root + QStringLiteral("/Data/BMP/blank.jpg"));

    // When both spellings exist, the exact one is taken.
    EXPECT_EQ(WinPath::toNative(root + QStringLiteral("\\SYM")), root + QStringLiteral("/SYM"));
    EXPECT_EQ(WinPath::toNative(root + QStringLiteral("\\Sym")), root + QStringLiteral("/Sym"));
    // A trailing backslash stays; doubled backslashes count as one.
    EXPECT_EQ(WinPath::toNative(root + QStringLiteral("\\data\\bmp\\")),
              root + QStringLiteral("/Data/BMP/"));
    EXPECT_EQ(WinPath::toNative(root + QStringLiteral("\\\\data\\\\bmp\\\\BLANK.JPG")),
              root + QStringLiteral("/Data/BMP/blank.jpg"));
    // ".." keeps its meaning; a directory with a trailing dot is found.
    EXPECT_TRUE(WinPath::exists(root + QStringLiteral("\\DATA.\\bmp\\..\\BMP\\blank.jpg")));
    // Forward slashes of native paths pass unchanged.
    EXPECT_EQ(WinPath::toNative(root + QStringLiteral("/Data/BMP/blank.jpg")),
              root + QStringLiteral("/Data/BMP/blank.jpg"));
    EXPECT_EQ(WinPath::toNative(QString()), QString());
}

TEST(WinPath, RelativePathsResolveAgainstTheWorkingDirectory)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath(QStringLiteral("fuseDbDir/fuse"));
    touch(dir.path() + QStringLiteral("/fuseDbDir/fuse/vars.rec"));
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_EQ(WinPath::toNative(QStringLiteral("FUSEDBDIR\\Fuse\\VARS.REC")),
              QStringLiteral("fuseDbDir/fuse/vars.rec"));
    EXPECT_EQ(WinPath::toNative(QStringLiteral(".\\fusedbdir\\fuse")),
              QStringLiteral("./fuseDbDir/fuse"));
    EXPECT_TRUE(WinPath::exists(QStringLiteral("fusedbdir\\fuse\\vars.rec")));
    QDir::setCurrent(saved);
}
