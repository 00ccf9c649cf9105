#include "FuseDatabaseDump.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <string>

namespace {

QString dump(const char* fixture, int* code)
{
    QString text;
    QTextStream out(&text);
    *code = FuseDatabaseDump::run(QStringLiteral(FIXTURE_DIR "/") + QLatin1String(fixture), out);
    out.flush();
    return text;
}

} // namespace

TEST(FuseDatabaseDump, ShowsTreeFusesCharacteristicsAndTypes)
{
    int code = -1;
    const QString text = dump("basic", &code);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(text.contains("  [1] \"NH\" (0 fuses)\n    [2] \"NH00\" (0 fuses)\n"
                              "      [3] \"gG\" (2 fuses)\n"
                              "          fuse \"NH00 gG 63 A\" \"1110630\"\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\"D II 16 A\" catalogue number \"1150160\", group \"D\" level 1"));
    EXPECT_TRUE(text.contains("characteristic 2 \"Cut-Off Current\": 1 point\n"));
    EXPECT_TRUE(text.contains("characteristic 1 \"Time-Current\": 3 points\n"));
    EXPECT_TRUE(
        text.contains("\"Time-Current\": x \"A\" log 1 .. 10000; y \"s\" log 0.001 .. 10000"));
    EXPECT_TRUE(text.contains("Skipped and unlinked (0):"));
}

TEST(FuseDatabaseDump, ExplainsWhatWasSkippedAndWhy)
{
    int code = -1;
    const QString text = dump("strict-fields", &code);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(text.contains("vars: 1 records, 5 fields"));
    EXPECT_TRUE(text.contains("the last 2 field(s) make no whole record"));
    EXPECT_TRUE(text.contains("karakt record 6: skipped: id \"6 \" is not an integer"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("tocka record 2") == false); // "12" + line break is valid
    EXPECT_TRUE(text.contains("tocka record 1: skipped: sequence number \"12 \" is not a number"));

    const QString breaks = dump("line-breaks", &code);
    // Line breaks inside names are made visible.
    EXPECT_TRUE(breaks.contains("fuse \"F1\" kept without a group: no group \"NH\""))
        << breaks.toStdString();
    EXPECT_TRUE(breaks.contains("[2] \"\\nNH\""));

    const QString none = dump("no-top-level", &code);
    EXPECT_TRUE(none.contains("no group of level 1"));
    EXPECT_TRUE(none.contains("Characteristic types (1):")); // read as curvata later would
}

TEST(FuseDatabaseDump, RefusesWhatCurvataRefuses)
{
    int code = -1;
    const QString text = dump("no-tocka", &code);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(text.contains("\"tocka\""));
    EXPECT_TRUE(text.contains("Please open valid database."));
}

// A chain of groups as deep as a database may make: written without running
// out of stack, and indented no further than a screen is wide.
TEST(FuseDatabaseDump, WritesAVeryDeepTreeWithBoundedIndentation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile list(dir.filePath("fuse"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("var_grup vars tip_kar karakt tocka\n");
    list.close();
    constexpr int kLevels = 100000;
    std::string groups = "G1@1@@";
    for (int level = 2; level <= kLevels; ++level)
        groups += "G" + std::to_string(level) + "@" + std::to_string(level) + "@G" +
                  std::to_string(level - 1) + "@";
    QFile records(dir.filePath("var_grup.rec"));
    ASSERT_TRUE(records.open(QIODevice::WriteOnly));
    records.write(groups.data(), qint64(groups.size()));
    records.close();

    QString text;
    QTextStream out(&text);
    EXPECT_EQ(FuseDatabaseDump::run(dir.path(), out), 0);
    out.flush();
    EXPECT_TRUE(text.contains("\n  [1] \"G1\" (0 fuses)\n    [2] \"G2\" (0 fuses)\n"));
    const QString deepest = QString(42, QLatin1Char(' ')) + "[100000] \"G100000\" (0 fuses)\n";
    EXPECT_TRUE(text.contains("\n" + deepest));
    EXPECT_LT(text.size(), 10'000'000);
}
