#include "TableView.h"
#include "StandardSchemas.h"
#include "TableTestData.h"

#include <gtest/gtest.h>

namespace {

QList<int> column(TableView& v, const QString& field)
{
    QList<int> out;
    for (v.first(); !v.eof(); v.next())
        out << int(v.asInt(field));
    return out;
}

} // namespace

TEST(TableView, OrdersByIndexAndKeepsFileOrderByDefault)
{
    ClientTable tree;
    fillTree(tree);
    TableView fileOrder(tree);
    EXPECT_EQ(column(fileOrder, "LINK2"), (QList<int>{2, 3, 4, 11, 10, 99, 100, 101, 102, 110}));
    TableView keyed(tree);
    keyed.setIndexName("PRIMARY");
    EXPECT_EQ(column(keyed, "LINK2"), (QList<int>{2, 3, 4, 10, 11, 99, 100, 101, 102, 110}));
    EXPECT_EQ(keyed.orderFields(), (QStringList{"LINK1", "LOOK", "SORT", "LINK2"}));
    EXPECT_THROW(keyed.setIndexName("NoSuchIndex"), TableError);
    EXPECT_EQ(keyed.orderFields().size(), 4); // the old order stays
}

TEST(TableView, RecordNumbersCountWithinTheRestrictedView)
{
    ClientTable tree;
    fillTree(tree);
    TableView v(tree);
    v.setIndexName("PRIMARY");
    v.setRange({10, "A"});
    ASSERT_EQ(v.recordCount(), 3);
    EXPECT_EQ(v.recNo(), 1);
    v.setRecNo(2);
    EXPECT_EQ(v.asInt("LINK2"), 101);
    v.setRecNo(3);
    EXPECT_EQ(v.asInt("LINK2"), 102);
    v.setRecNo(99); // clamps to the last record
    EXPECT_EQ(v.recNo(), 3);
    v.cancelRange();
    EXPECT_EQ(v.recordCount(), 10);
}

TEST(TableView, NavigationSetsBofAndEofLikeLoopsExpect)
{
    ClientTable tree;
    fillTree(tree);
    TableView v(tree);
    v.setIndexName("PRIMARY");
    v.setRange({2, "A"});
    v.first();
    EXPECT_TRUE(v.bof());
    EXPECT_FALSE(v.eof());
    v.next();
    v.next();
    EXPECT_TRUE(v.eof());
    EXPECT_EQ(v.recNo(), 2);
    QList<int> backwards;
    for (v.last(); !v.bof(); v.prior())
        backwards << int(v.asInt("LINK2"));
    EXPECT_EQ(backwards, (QList<int>{11, 10}));

    v.setRange({555});
    EXPECT_TRUE(v.isEmpty());
    EXPECT_EQ(v.recNo(), 0);
    v.first();
    EXPECT_TRUE(v.bof() && v.eof());
    EXPECT_FALSE(v.value("LINK2").isValid());
}

TEST(TableView, DetailFollowsItsMasterAtOnceThroughSeveralLevels)
{
    ClientTable tree;
    fillTree(tree);
    TableView k1t0(tree), k1t1(tree), k1t2(tree);
    k1t0.setFilter("(LINK1=0) AND (LINK2=2)");
    k1t1.setIndexName("PRIMARY");
    k1t2.setIndexName("PRIMARY");
    k1t1.setMasterSource(&k1t0, {"LINK2", "LOOK"});
    k1t2.setMasterSource(&k1t1, {"LINK2", "LOOK"});
    int scrolls = 0;
    k1t2.setAfterScroll([&](TableView&) { ++scrolls; });

    EXPECT_EQ(column(k1t1, "LINK2"), (QList<int>{10, 11}));
    k1t1.setRecNo(1);
    EXPECT_EQ(k1t2.recordCount(), 3);
    EXPECT_EQ(k1t2.asInt("LINK2"), 100);
    scrolls = 0;
    k1t1.setRecNo(2);
    EXPECT_EQ(k1t2.recordCount(), 1);
    EXPECT_EQ(k1t2.asInt("LINK2"), 110);
    EXPECT_GE(scrolls, 1);

    // A segment without rows below it empties every level.
    k1t0.setFilter("(LINK1=0) AND (LINK2=3)");
    EXPECT_EQ(k1t0.recordCount(), 1);
    EXPECT_TRUE(k1t1.isEmpty());
    EXPECT_TRUE(k1t2.isEmpty());
    k1t0.setFilter("(LINK1=0) AND (LINK2=5)");
    EXPECT_TRUE(k1t0.isEmpty());
    EXPECT_TRUE(k1t1.isEmpty());
}

TEST(TableView, DetailSeesRowsPostedThroughAnotherView)
{
    ClientTable tree;
    fillTree(tree);
    TableView master(tree), detail(tree), writer(tree);
    master.setIndexName("PRIMARY");
    master.findKey({2, "A", 0});
    detail.setIndexName("PRIMARY");
    detail.setMasterSource(&master, {"LINK2", "LOOK"});
    ASSERT_EQ(detail.recordCount(), 3);
    int changes = 0;
    detail.setOnDataChange([&](TableView&) { ++changes; });
    addRow(writer, {"LINK1", "LOOK", "SORT", "LINK2"}, {10, "A", 3, 103});
    EXPECT_EQ(detail.recordCount(), 4);
    EXPECT_GE(changes, 1);
    detail.last();
    EXPECT_EQ(detail.asInt("LINK2"), 103);
}

TEST(TableView, KeyedLookupOnAPrefixFindsTheFirstMatch)
{
    ClientTable tree;
    fillTree(tree);
    TableView v(tree);
    v.setIndexName("PRIMARY");
    EXPECT_TRUE(v.findKey({10}));
    EXPECT_EQ(v.asInt("LINK2"), 100);
    EXPECT_TRUE(v.findKey({10, "A", 2}));
    EXPECT_EQ(v.asInt("LINK2"), 102);
    EXPECT_TRUE(v.findKey({"2", "B"})); // text converts to the key's types
    EXPECT_EQ(v.asInt("LINK2"), 99);
    const int before = v.recNo();
    EXPECT_FALSE(v.findKey({10, "A", 7}));
    EXPECT_EQ(v.recNo(), before); // a miss does not move
    EXPECT_FALSE(v.findKey({10, "AA"}));
    EXPECT_THROW(v.findKey({1, "A", 0, 2, 5}), TableError);
    v.findNearest({10, "A", 7});
    EXPECT_EQ(v.asInt("LINK2"), 110);
}

TEST(TableView, LocateIsExactUnlessAskedToIgnoreCase)
{
    ClientTable texts;
    texts.create(StandardSchemas::texts());
    TableView v(texts);
    const QStringList f = {"LINK3", "SORT", "KODA", "ANG"};
    addRow(v, f, {1, 0, "ab12", "fuse"});
    addRow(v, f, {2, 0, "AB12", "Fuse base"});
    addRow(v, f, {3, 0, "AB12", "Breaker"});
    v.setIndexName("PRIMARY");
    EXPECT_TRUE(v.locate({"KODA"}, {"AB12"}));
    EXPECT_EQ(v.asInt("LINK3"), 2);
    EXPECT_FALSE(v.locate({"ANG"}, {"FUSE"}));
    EXPECT_TRUE(v.locate({"koda", "ANG"}, {"ab12", "FUSE"}, true));
    EXPECT_EQ(v.asInt("LINK3"), 1);
    EXPECT_TRUE(v.locate({"KODA", "ANG"}, {"ab12", "BREAKER"}, true));
    EXPECT_EQ(v.asInt("LINK3"), 3);
    EXPECT_TRUE(v.locate({"LINK3"}, {3}));
    EXPECT_FALSE(v.locate({"LINK3"}, {"x"})); // cannot be a number: no match
    EXPECT_THROW(v.locate({"POL"}, {"x"}), TableError);
}

TEST(TableView, MissingLanguageFieldIsReportedNotCrashed)
{
    ClientTable texts;
    texts.create(StandardSchemas::texts());
    TableView v(texts);
    addRow(v, {"LINK3", "HRV"}, {1, "osigurac"});
    EXPECT_TRUE(v.hasField("hrv"));
    EXPECT_FALSE(v.hasField("POL"));
    EXPECT_EQ(v.asString("HRV"), "osigurac");
    try {
        v.value("POL");
        FAIL() << "no error for a missing field";
    } catch (const TableError& e) {
        EXPECT_TRUE(e.message().contains("no such field: POL")) << e.message().toStdString();
    }
}

TEST(TableView, CalculatedFieldsAreComputedWhenReadAndCanBeFiltered)
{
    ClientTable tree;
    fillTree(tree);
    TableView v(tree);
    v.setIndexName("PRIMARY");
    int calls = 0;
    v.addCalculatedField({"NAZIV", FieldType::String, 50}, [&](const TableRecord& r) {
        ++calls;
        return QVariant(QStringLiteral("node %1").arg(r.asInt("LINK2")));
    });
    v.addCalculatedField({"DOUBLED", FieldType::Float, 0},
                         [](const TableRecord& r) { return QVariant(r.asFloat("LINK2") * 2); });
    v.findKey({10, "A", 1});
    EXPECT_EQ(v.asString("NAZIV"), "node 101");
    EXPECT_GT(calls, 0);
    v.setFilter("DOUBLED > 200");
    EXPECT_EQ(column(v, "LINK2"), (QList<int>{101, 102, 110}));
    EXPECT_DOUBLE_EQ(v.sum("DOUBLED"), 2 * (101 + 102 + 110));
    v.edit();
    EXPECT_THROW(v.setValue("NAZIV", "x"), TableError); // calculated, not stored
    v.setValue("LINK2", 150);
    EXPECT_EQ(v.asString("NAZIV"), "node 150"); // computed from the row being edited
    v.cancel();
    v.setFilter(QString());
    v.setAutoCalcFields(false);
    EXPECT_FALSE(v.value("NAZIV").isValid());
}

TEST(TableView, SumsAreZeroOverAnEmptyView)
{
    ClientTable items;
    items.create(StandardSchemas::tNar());
    TableView v(items);
    EXPECT_DOUBLE_EQ(v.sum("Vred"), 0.0);
    addRow(v, {"Ident", "Srt", "Vred", "Status"}, {"A1", 1, 10.5, "N"});
    addRow(v, {"Ident", "Srt", "Vred"}, {"A2", 2, 4.25});
    EXPECT_DOUBLE_EQ(v.sum("Vred"), 14.75);
    v.setFilter("STATUS='N'");
    EXPECT_DOUBLE_EQ(v.sum("VRED"), 10.5);
    v.setFilter("STATUS='X'");
    EXPECT_DOUBLE_EQ(v.sum("Vred"), 0.0);
    EXPECT_THROW(v.sum("Ident"), TableError);
}
