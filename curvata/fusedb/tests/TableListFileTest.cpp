#include "TableListFile.h"

#include <gtest/gtest.h>

TEST(TableListFile, FindsTheTablesAsWholeWordsInAnyLayout)
{
    EXPECT_EQ(TableListFile::firstMissingTable("var_grup vars tip_kar karakt tocka"), QString());
    EXPECT_EQ(TableListFile::firstMissingTable("var_grup\nvars\ntip_kar\nkarakt\ntocka\n"),
              QString());
    EXPECT_EQ(TableListFile::firstMissingTable("db 2\r\n\ttocka karakt x vars\fy tip_kar var_grup"),
              QString());
}

TEST(TableListFile, NamesTheFirstMissingTableInCheckOrder)
{
    EXPECT_EQ(TableListFile::firstMissingTable("var_grup vars tip_kar karakt"), "tocka");
    EXPECT_EQ(TableListFile::firstMissingTable("var_grup vars tip_kar karakt tockas Tocka"),
              "tocka");
    EXPECT_EQ(TableListFile::firstMissingTable("var_grup,vars tip_kar karakt tocka"), "var_grup");
    EXPECT_EQ(TableListFile::firstMissingTable("karakt tip_kar"), "var_grup");
    EXPECT_EQ(TableListFile::firstMissingTable("var_grup tocka"), "vars");
    EXPECT_EQ(TableListFile::firstMissingTable(""), "var_grup");
    EXPECT_EQ(TableListFile::requiredTables(),
              (QStringList{"var_grup", "vars", "tip_kar", "karakt", "tocka"}));
}

TEST(TableListFile, ChecksTheFileOfADirectory)
{
    const QString fixtures = QStringLiteral(FIXTURE_DIR);
    QString problem;
    EXPECT_TRUE(TableListFile::check(fixtures + "/basic", &problem)) << problem.toStdString();
    EXPECT_TRUE(TableListFile::check(fixtures + "/among-words"));
    EXPECT_TRUE(TableListFile::check(fixtures + "/line-breaks"));
    EXPECT_FALSE(TableListFile::check(fixtures + "/no-tocka", &problem));
    EXPECT_TRUE(problem.contains("\"tocka\"")) << problem.toStdString();
    EXPECT_FALSE(TableListFile::check(fixtures + "/does-not-exist", &problem));
    EXPECT_FALSE(problem.isEmpty());
}
