// The typed cell storage: every field type, no value and full-width text
// through posts, edits, the file and back.
#include "StandardSchemas.h"
#include "TableStore.h"
#include "TableTestData.h"
#include "TableView.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <signal.h>

namespace {

TableSchema everyType()
{
    TableSchema s;
    s.name = QStringLiteral("types");
    s.fields = {{"Id", FieldType::Int32, 0},    {"Small", FieldType::Int16, 0},
                {"Code", FieldType::String, 1}, {"Text", FieldType::String, 40},
                {"Day", FieldType::Date, 0},    {"Moment", FieldType::DateTime, 0},
                {"Amount", FieldType::Float, 0}};
    s.indexes = {{"ById", {"Id"}, true, true}, {"ByText", {"Text", "Code"}, false, false}};
    return s;
}

const QStringList kFields = {"Id", "Small", "Code", "Text", "Day", "Moment", "Amount"};
const QString kFullWidth = QString::fromUtf8("Čćžšđ ČĆŽŠĐ 0123456789 abcdefghijklmnopq"); // 40

// The values of row `id` as the view reads them.
QVariantList rowOf(TableView& v, int id)
{
    EXPECT_TRUE(v.findKey({id})) << "row " << id;
    QVariantList values;
    for (const QString& f : kFields)
        values << v.value(f);
    return values;
}

} // namespace

TEST(TableStorage, EveryTypeAndNoValueSurviveEditsTheFileAndReload)
{
    ASSERT_EQ(kFullWidth.size(), 40);
    QTemporaryDir dir;
    const QString path = dir.path() + "/types.cds";
    const TableSchema schema = everyType();
    const QDateTime moment(QDate(1999, 12, 31), QTime(23, 59, 58, 123));
    const QVariantList extremes = {std::numeric_limits<int>::min(), -32768, QString::fromUtf8("Ž"),
                                   kFullWidth, QDate(1, 1, 1), moment, -1.25e300};
    const QVariantList highs = {std::numeric_limits<int>::max(), 32767, "A", "x",
                                QDate(9999, 12, 31), QVariant(), 0.1};
    const QVariantList empties = {3, 0, "", "", QVariant(), QVariant(), 0.0};
    QVariantList edited = highs;
    {
        ClientTable t;
        t.open(path, ClientTable::OpenMode::ReadWrite, &schema);
        TableView v(t);
        v.setIndexName("ById");
        addRow(v, kFields, extremes);
        addRow(v, kFields, highs);
        addRow(v, kFields, empties);
        addRow(v, {"Id"}, {4}); // every other field without a value
        addRow(v, {"Id", "Text"}, {5, "to be deleted"});
        // Texts grow and shrink in place and elsewhere; a code empties.
        ASSERT_TRUE(v.findKey({std::numeric_limits<int>::max()}));
        v.edit();
        v.setValue("Text", kFullWidth.left(39));
        v.setValue("Code", "");
        v.post();
        v.edit();
        v.setValue("Text", "short");
        v.post();
        edited[2] = "";
        edited[3] = "short";
        ASSERT_TRUE(v.findKey({5}));
        v.remove();
        EXPECT_EQ(rowOf(v, std::numeric_limits<int>::max()), edited);
        t.close();
    }
    ClientTable again;
    again.open(path, ClientTable::OpenMode::ReadOnly, &schema);
    ASSERT_EQ(again.rowCount(), 4);
    TableView v(again);
    v.setIndexName("ById");
    EXPECT_EQ(rowOf(v, std::numeric_limits<int>::min()), extremes);
    EXPECT_EQ(rowOf(v, std::numeric_limits<int>::max()), edited);
    const QVariantList empty = rowOf(v, 3);
    EXPECT_EQ(empty, empties);
    EXPECT_TRUE(empty[2].isValid() && empty[3].isValid()); // "" is a value, not none
    const QVariantList none = rowOf(v, 4);
    for (int f = 1; f < none.size(); ++f)
        EXPECT_FALSE(none[f].isValid()) << kFields[f].toStdString();
    EXPECT_FALSE(v.findKey({5}));

    // No value sorts as "" and empty codes before letters.
    v.setIndexName("ByText");
    QList<int> order;
    for (v.first(); !v.eof(); v.next())
        order << int(v.asInt("Id"));
    EXPECT_EQ(order, (QList<int>{3, 4, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}));
    v.setFilter(QString("Code='Ž' OR Small=32767 OR Day>'2000-01-01'"));
    EXPECT_EQ(v.recordCount(), 2);
}

TEST(TableStorage, LongTextInAOneCharacterFieldOfAForeignFileIsKept)
{
    // Written without the width checks of the engine, as another program might.
    QTemporaryDir dir;
    const QString path = dir.path() + "/T1.CDS";
    const TableSchema schema = StandardSchemas::tree();
    std::vector<std::vector<QVariant>> rows = {{1, "A", 0, 10, QVariant()},
                                               {1, "LONGER", 1, 11, QVariant()},
                                               {1, "B", 2, 12, QVariant()}};
    std::vector<const QVariant*> pointers;
    for (const auto& row : rows)
        pointers.push_back(row.data());
    std::vector<qint64> ids;
    TableStore::writeNewFile(path, schema, pointers, ids);

    ClientTable tree;
    tree.open(path, ClientTable::OpenMode::ReadOnly);
    TableView v(tree);
    v.setIndexFields({"LOOK"});
    QStringList looks;
    for (v.first(); !v.eof(); v.next())
        looks << v.asString("LOOK");
    EXPECT_EQ(looks, (QStringList{"A", "B", "LONGER"}));
    EXPECT_TRUE(v.findKey({"LONGER"}));
    EXPECT_EQ(v.asInt("LINK2"), 11);
}

namespace {

// Runs the crash writer on `path` until it has posted at least `atLeast`
// rows, then kills it; returns the number it reported.
int postUntilKilled(const QString& path, int atLeast)
{
    QProcess writer;
    writer.start(QStringLiteral(CRASH_WRITER), {path});
    if (!writer.waitForStarted(10000))
        return 0;
    int posted = 0;
    QByteArray out;
    while (posted < atLeast && writer.state() == QProcess::Running &&
           writer.waitForReadyRead(10000)) {
        out += writer.readAllStandardOutput();
        const qsizetype last = out.lastIndexOf("posted ");
        const qsizetype end = last < 0 ? -1 : out.indexOf('\n', last);
        if (end > last)
            posted = out.mid(last + 7, end - last - 7).toInt();
    }
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished(10000);
    return posted;
}

} // namespace

TEST(TableStorage, ATableReopenedAfterAKillTakesFurtherEditsAndKeepsThem)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/9.cds";
    const int posted = postUntilKilled(path, 50);
    ASSERT_GE(posted, 50);

    const TableSchema schema = StandardSchemas::tNar();
    {
        ClientTable items;
        items.open(path, ClientTable::OpenMode::ReadWrite, &schema);
        TableView v(items);
        v.setIndexFields({"Srt"});
        ASSERT_TRUE(v.findKey({1}));
        v.edit();
        v.setValue("Ident", "P1-edited"); // longer than before: new text space
        v.setValue("Kol", 2.5);
        v.post();
        ASSERT_TRUE(v.findKey({2}));
        v.remove();
        addRow(v, {"Srt", "Ident", "Kol"}, {100000 + posted, "NEW", 7.0});
        items.close();
    }
    ClientTable items;
    items.open(path, ClientTable::OpenMode::ReadOnly, &schema);
    TableView v(items);
    v.setIndexFields({"Srt"});
    ASSERT_TRUE(v.findKey({1}));
    EXPECT_EQ(v.asString("Ident"), "P1-edited");
    EXPECT_DOUBLE_EQ(v.asFloat("Kol"), 2.5);
    EXPECT_FALSE(v.findKey({2}));
    for (int i = 3; i <= posted; ++i) {
        ASSERT_TRUE(v.findKey({i})) << "row " << i;
        EXPECT_EQ(v.asString("Ident"), QStringLiteral("P%1").arg(i));
        EXPECT_DOUBLE_EQ(v.asFloat("Kol"), i * 1.5);
    }
    ASSERT_TRUE(v.findKey({100000 + posted}));
    EXPECT_EQ(v.asString("Ident"), "NEW");
}

TEST(TableStorage, ANewFileInThePlaceOfAKilledWritersFileHoldsOnlyItsOwnRows)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/2.cds";
    ASSERT_GE(postUntilKilled(path, 50), 50);
    ASSERT_TRUE(QFile::exists(path + "-wal")); // what the killed writer left

    ClientTable tree;
    fillTree(tree);
    tree.saveAs(path); // e.g. a new project's item file under a freed number
    tree.close();
    ClientTable again;
    again.open(path, ClientTable::OpenMode::ReadOnly);
    EXPECT_EQ(again.schema().name, "tree");
    EXPECT_EQ(again.rowCount(), 10);
}

TEST(TableStorage, KeyedLookupsAgreeWithAScanOverCodesIntegersAndNoValue)
{
    ClientTable tree;
    tree.create(StandardSchemas::tree());
    TableView writer(tree), keyed(tree), scan(tree);
    std::mt19937 random(11);
    const QVariantList looks = {QVariant(), "", "A", "B", QString::fromUtf8("Ž")};
    for (int i = 0; i < 3000; ++i) {
        const QVariant parent = i % 97 == 0 ? QVariant() : QVariant(int(random() % 200) - 20);
        addRow(writer, {"LINK1", "LOOK", "SORT", "LINK2"},
               {parent, looks[int(random() % 5)], int(random() % 7), i});
    }
    keyed.setIndexName("PRIMARY");
    scan.setIndexName("PRIMARY");
    const QVariantList probes = {"", "A", "B", "AB", QString::fromUtf8("Ž"), "C"};
    for (int i = 0; i < 400; ++i) {
        QVariantList key = {int(random() % 220) - 25};
        if (i % 3 > 0)
            key << probes[int(random() % probes.size())];
        if (i % 3 > 1)
            key << int(random() % 8);
        // The first row in order whose leading fields equal the key.
        int expected = -1;
        for (scan.first(); !scan.eof() && expected < 0; scan.next()) {
            bool equal = scan.asInt("LINK1") == key[0].toInt();
            if (key.size() > 1)
                equal = equal && scan.asString("LOOK") == key[1].toString();
            if (key.size() > 2)
                equal = equal && scan.asInt("SORT") == key[2].toInt();
            if (equal)
                expected = int(scan.asInt("LINK2"));
        }
        ASSERT_EQ(keyed.findKey(key), expected >= 0) << "probe " << i;
        if (expected >= 0) {
            ASSERT_EQ(keyed.asInt("LINK2"), expected) << "probe " << i;
        }
    }
}
