// Menu files as the workbench writes them load once and give a menu whose item
// starts the catalogue.
#include "CadError.h"
#include "MenuGroups.h"
#include "QtPrinters.h"
#include "Windows1250.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The workbench's menu file: CR LF lines in the Windows code page, the program
// directory with backslashes in the comments and slashes in the macro.
QByteArray workbenchMenu(const QString& dir)
{
    QString forward = dir;
    forward.replace(u'\\', u'/');
    const QStringList lines = {
        QStringLiteral("//"),
        QStringLiteral("//      menu file - ") + dir + QStringLiteral("kavrel.mnu"),
        QStringLiteral("//"), QString(), QStringLiteral("***MENUGROUP=KAVREL"), QString(),
        QStringLiteral("***POP1"), QString(), QStringLiteral("M_KAVREL     [KAVREL]"),
        QStringLiteral("M_KATALOG      [Katalog]^C^C(startapp \"") + forward
            + QStringLiteral("kavrel.exe\" \"menu\") "),
        QString(), QStringLiteral("***TOOLBARS"), QString(), QStringLiteral("//"),
        QStringLiteral("//      end of menu file - ") + dir + QStringLiteral("kavrel.mnu"),
        QStringLiteral("//")};
    return Windows1250::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

} // namespace

TEST(MenuGroups, TheWorkbenchMenuLoadsOnceAndGoesIntoTheMenuBar)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kavrel.mnu"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(workbenchMenu(QStringLiteral("C:\\Programi\\Kavrel Čačak\\")));
    f.close();

    MenuGroups groups({QStringLiteral("&File"), QStringLiteral("&Edit")});
    const int g = groups.load(path, false);
    EXPECT_EQ(groups.group(g).name, u"KAVREL");
    ASSERT_EQ(groups.group(g).menus.size(), 1);
    const MenuGroups::Menu& menu = groups.group(g).menus[0];
    EXPECT_EQ(menu.title, u"KAVREL");
    ASSERT_EQ(menu.items.size(), 1);
    EXPECT_EQ(menu.items[0].label, u"Katalog");
    const auto [program, argument] = MenuGroups::startApp(menu.items[0].macro);
    EXPECT_EQ(program, u"C:/Programi/Kavrel Čačak/kavrel.exe");
    EXPECT_EQ(argument, u"menu");
    EXPECT_EQ(groups.menuBar().size(), 2); // not in the menu bar until inserted

    try {
        groups.load(path, false);
        ADD_FAILURE() << "a group was loaded twice";
    } catch (const CadError& e) {
        EXPECT_EQ(e.kind(), CadError::AlreadyLoaded);
    }
    EXPECT_EQ(groups.count(), 2);

    // As the workbench does it: through the first group, by the group's name,
    // after the last menu.
    groups.insertInMenuBar(0, QStringLiteral("KAVREL"), int(groups.menuBar().size()));
    EXPECT_EQ(groups.barTitle(2), u"KAVREL");
    groups.insertInMenuBar(0, QStringLiteral("kavrel"), 0); // moved, not doubled
    EXPECT_EQ(groups.menuBar().size(), 3);
    EXPECT_EQ(groups.barTitle(0), u"KAVREL");
    EXPECT_THROW(groups.insertInMenuBar(0, QStringLiteral("Nothing"), 0), CadError);
}

TEST(MenuGroups, FilesThatAreNotMenusAreRefused)
{
    EXPECT_THROW(MenuGroups::parse("***POP1\r\nM [x]y\r\n", QStringLiteral("a.mnu")), CadError);
    EXPECT_THROW(MenuGroups::parse("***MENUGROUP=A/B\r\n", QStringLiteral("a.mnu")), CadError);
    MenuGroups groups;
    EXPECT_THROW(groups.load(QStringLiteral("/no/such/file.mnu"), false), CadError);
    // Only startapp runs, and never through a shell.
    EXPECT_TRUE(MenuGroups::startApp(QStringLiteral("^C^C(command \"rm\")")).first.isEmpty());
    EXPECT_EQ(MenuGroups::startApp(QStringLiteral("(STARTAPP \"a; rm -rf x\")")).first,
              u"a; rm -rf x");
}
