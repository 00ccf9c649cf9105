#include "CsvTable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

TEST(CsvTable, ReadsQuotedFieldsWithCommasQuotesAndLineBreaks)
{
    const CsvTable t = CsvTable::parse(QStringLiteral("A,B,C\r\n"
                                                      "1,\"6,3 A\",plain\r\n"
                                                      "2,\"say \"\"hi\"\"\",\"two\nlines\"\r\n"
                                                      "3,,\"\"\n"));
    ASSERT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.value(0, QStringLiteral("B")), QStringLiteral("6,3 A"));
    EXPECT_EQ(t.value(1, QStringLiteral("B")), QStringLiteral("say \"hi\""));
    EXPECT_EQ(t.value(1, QStringLiteral("C")), QStringLiteral("two\nlines"));
    EXPECT_EQ(t.value(2, QStringLiteral("B")), QString());
    EXPECT_EQ(t.value(2, QStringLiteral("C")), QString());
    EXPECT_EQ(t.intValue(2, QStringLiteral("A")), 3);
}

TEST(CsvTable, AcceptsByteOrderMarkAndMissingFinalLineBreak)
{
    const CsvTable t = CsvTable::parse(QStringLiteral("\uFEFFX,Y\n1,2"));
    EXPECT_EQ(t.header(), (QStringList{QStringLiteral("X"), QStringLiteral("Y")}));
    ASSERT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.value(0, QStringLiteral("Y")), QStringLiteral("2"));
}

TEST(CsvTable, RejectsMalformedInputNamingTheLine)
{
    try {
        CsvTable::parse(QStringLiteral("A,B\n1,2\n3\n"), QStringLiteral("x.csv"));
        FAIL() << "short row accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("x.csv:3"), std::string::npos) << e.what();
    }
    EXPECT_THROW(CsvTable::parse(QStringLiteral("A\n\"open\n")), std::runtime_error);
    EXPECT_THROW(CsvTable::parse(QString()), std::runtime_error);
    const CsvTable t = CsvTable::parse(QStringLiteral("A\nx\n"));
    EXPECT_THROW(t.value(0, QStringLiteral("B")), std::runtime_error);
    EXPECT_THROW(t.intValue(0, QStringLiteral("A")), std::runtime_error);
}

TEST(CsvTable, WritesWhatItReads)
{
    CsvTable t({QStringLiteral("KODA"), QStringLiteral("SLO")});
    t.append({QStringLiteral("1110630"), QStringLiteral("Talilni vložek \"NH00\", 6,3 A")});
    t.append({QString(), QStringLiteral("a\nb")});
    EXPECT_THROW(t.append({QStringLiteral("only one")}), std::runtime_error);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.csv"));
    t.write(path);
    const CsvTable back = CsvTable::read(path);
    ASSERT_EQ(back.rowCount(), 2);
    EXPECT_EQ(back.row(0), t.row(0));
    EXPECT_EQ(back.row(1), t.row(1));
    EXPECT_THROW(CsvTable::read(dir.filePath(QStringLiteral("none.csv"))), std::runtime_error);
}
