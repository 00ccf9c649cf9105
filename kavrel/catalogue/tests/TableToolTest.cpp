#include "TableView.h"
#include "CsvFile.h"
#include "SchemaFile.h"
#include "TablesTool.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeText(const QString& path, const QByteArray& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QString createError(const QString& schema, const QString& csv, const QString& out)
{
    try {
        TablesTool::create(schema, csv, out);
    } catch (const TableError& e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(CsvFile, QuotingFollowsTheCommonRules)
{
    const auto records = CsvFile::parse(QString::fromUtf8("\xEF\xBB\xBF"
                                                          "a,b,c\r\n"
                                                          "1,\"x, y\",\"say \"\"hi\"\"\"\r\n"
                                                          "\n"
                                                          "2,\"two\nlines\",\n"
                                                          "3,,last"));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].fields, (QStringList{"a", "b", "c"}));
    EXPECT_EQ(records[1].fields, (QStringList{"1", "x, y", "say \"hi\""}));
    EXPECT_EQ(records[2].fields, (QStringList{"2", "two\nlines", ""}));
    EXPECT_EQ(records[2].line, 4);
    EXPECT_EQ(records[3].line, 6);
    EXPECT_EQ(records[3].fields, (QStringList{"3", "", "last"}));
    EXPECT_THROW(CsvFile::parse("a,\"open\n"), TableError);
    EXPECT_THROW(CsvFile::parse("a,b\"c\n"), TableError);
    EXPECT_THROW(CsvFile::parse("a,\"b\"c\n"), TableError);
    EXPECT_EQ(CsvFile::formatRecord({"plain", "with,comma", "q\"uote", ""}),
              "plain,\"with,comma\",\"q\"\"uote\",");
}

TEST(SchemaFile, ParsesFieldsAndIndexesAndNamesBadLines)
{
    const TableSchema s =
        SchemaFile::parse("# test\nname prices\nfield Ident string 9\n"
                          "field Cena float\nindex ByIdent Ident primary unique\n",
                          "prices.schema");
    EXPECT_EQ(s.name, "prices");
    ASSERT_EQ(s.fields.size(), 2u);
    EXPECT_EQ(s.fields[0].width, 9);
    EXPECT_TRUE(s.indexes[0].unique);
    try {
        SchemaFile::parse("field A int32\nfield B string\n", "x.schema");
        FAIL();
    } catch (const TableError& e) {
        EXPECT_TRUE(e.message().startsWith("x.schema:2:")) << e.message().toStdString();
    }
    EXPECT_THROW(SchemaFile::parse("field A int64\n", "x"), TableError);
    EXPECT_THROW(SchemaFile::parse("field A int32\nindex I B\n", "x"), TableError);
    EXPECT_THROW(SchemaFile::parse("field A int32\nfield a float\n", "x"), TableError);
}

TEST(TablesTool, CreateExportAndInfoRoundTrip)
{
    QTemporaryDir dir;
    const QString csv = dir.path() + "/t3.csv";
    writeText(csv, "LINK3,SORT,KODA,ANG,SLO,DATUM\n"
                   "1,0,1234567,\"Fuse, 10 A\",Varovalka,2020-03-04\n"
                   "2,0,,\"Base \"\"X\"\"\",\xC4\x8C"
                   "rka,\n");
    const QString out = dir.path() + "/T3.CDS";
    ASSERT_EQ(createError("texts", csv, out), QString());
    ClientTable t;
    t.open(out, ClientTable::OpenMode::ReadOnly);
    TableView v(t);
    ASSERT_EQ(v.recordCount(), 2);
    EXPECT_EQ(v.asString("ANG"), "Fuse, 10 A");
    EXPECT_EQ(v.asDate("DATUM"), QDate(2020, 3, 4));
    EXPECT_EQ(v.asString("NEM"), ""); // not in the header: empty
    v.next();
    EXPECT_EQ(v.asString("SLO"), QString::fromUtf8("Črka"));

    QString exported;
    QTextStream stream(&exported);
    TablesTool::exportCsv(out, QString(), stream);
    EXPECT_EQ(exported, QString::fromUtf8("LINK3,SORT,JEZIK,KODA,SLO,ANG,NEM,HRV,DATUM\n"
                                          "1,0,,1234567,Varovalka,\"Fuse, 10 A\",,,2020-03-04\n"
                                          "2,0,,,Črka,\"Base \"\"X\"\"\",,,\n"));
    QString info;
    QTextStream infoStream(&info);
    TablesTool::info(out, infoStream);
    EXPECT_TRUE(info.contains("KODA string 7"));
    EXPECT_TRUE(info.contains("PRIMARY LINK3;SORT primary unique"));
    EXPECT_TRUE(info.contains("Rows: 2"));
}

TEST(TablesTool, ErrorsNameFileAndLineAndLeaveTheOldFile)
{
    QTemporaryDir dir;
    const QString out = dir.path() + "/T1.CDS";
    const QString good = dir.path() + "/good.csv";
    writeText(good, "LINK1,LOOK,SORT,LINK2\n0,A,0,2\n");
    ASSERT_EQ(createError("tree", good, out), QString());

    const QString bad = dir.path() + "/bad.csv";
    writeText(bad, "LINK1,LOOK,SORT,LINK2\n0,A,0,2\n0,A,x,3\n");
    EXPECT_TRUE(createError("tree", bad, out).contains("bad.csv:3:"));
    writeText(bad, "LINK1,LOOK,SORT,LINK2\n0,A,0,2\n0,A,0,2\n");
    EXPECT_TRUE(createError("tree", bad, out).contains("bad.csv:3: duplicate key"));
    writeText(bad, "LINK1,LOOK,WHAT\n");
    EXPECT_TRUE(createError("tree", bad, out).contains("bad.csv:1: unknown field \"WHAT\""));
    writeText(bad, "LINK1,LOOK\n1\n");
    EXPECT_TRUE(createError("tree", bad, out).contains("bad.csv:2:"));
    writeText(bad, "LINK1,SORT\n1,40000\n");
    EXPECT_TRUE(createError("tree", bad, out).contains("out of range"));
    EXPECT_TRUE(createError("nosuchschema", good, out).contains("neither a schema name"));

    ClientTable t;
    t.open(out, ClientTable::OpenMode::ReadOnly);
    EXPECT_EQ(t.rowCount(), 1); // every failure left the first file in place
}

TEST(TablesTool, CommandLineExitCodes)
{
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    EXPECT_EQ(TablesTool::run({"--help"}, out, err), 0);
    EXPECT_TRUE(outText.contains("kavrel-tables create <schema>"));
    EXPECT_NE(TablesTool::run({"info"}, out, err), 0);
    EXPECT_NE(TablesTool::run({"info", "/nonexistent/x.cds"}, out, err), 0);
    err.flush();
    EXPECT_TRUE(errText.contains("x.cds"));
}
