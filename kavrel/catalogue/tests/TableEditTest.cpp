#include "TableView.h"
#include "StandardSchemas.h"
#include "TableTestData.h"

#include <gtest/gtest.h>

TEST(TableEdit, HooksRunAroundPostAndDelete)
{
    ClientTable items;
    items.create(StandardSchemas::tNar());
    TableView v(items);
    QStringList log;
    v.setOnNewRecord([&](TableView& t) {
        log << "new";
        t.setValue("Srt", 7);
    });
    v.setBeforePost([&](TableView& t) {
        log << "beforePost";
        const double neto = (1 - t.asFloat("Rabat") / 100) * t.asFloat("Cena");
        t.setValue("Neto", neto);
        t.setValue("Vred", neto * t.asFloat("Kol"));
    });
    v.setAfterPost([&](TableView&) { log << "afterPost"; });
    v.setBeforeDelete([&](TableView&) { log << "beforeDelete"; });
    v.setAfterDelete([&](TableView&) { log << "afterDelete"; });
    v.append();
    v.setValue("Ident", "X1");
    v.setValue("Cena", 100);
    v.setValue("Rabat", -10);
    v.setValue("Kol", 3);
    v.post();
    EXPECT_EQ(v.asInt("Srt"), 7);
    EXPECT_DOUBLE_EQ(v.asFloat("Neto"), 110);
    EXPECT_DOUBLE_EQ(v.asFloat("Vred"), 330);
    v.remove();
    EXPECT_TRUE(v.isEmpty());
    EXPECT_EQ(log, (QStringList{"new", "beforePost", "afterPost", "beforeDelete", "afterDelete"}));
}

TEST(TableEdit, RefusedPostKeepsTheRowInTheEditor)
{
    ClientTable items;
    items.create(StandardSchemas::tNar());
    TableView v(items);
    addRow(v, {"Ident", "Srt", "L1NAR"}, {"A", 1, 0});
    v.append();
    v.setValue("Ident", "A");
    v.setValue("Srt", 1);
    v.setValue("L1NAR", 0);
    try {
        v.post();
        FAIL() << "duplicate primary key accepted";
    } catch (const TableError& e) {
        EXPECT_TRUE(e.message().contains("key violation")) << e.message().toStdString();
    }
    EXPECT_EQ(v.state(), TableView::State::Insert);
    v.setValue("Srt", 2);
    v.post();
    EXPECT_EQ(items.rowCount(), 2);

    // A hook may refuse the post by throwing.
    v.setBeforePost([](TableView&) { throw TableError("refused"); });
    v.edit();
    v.setValue("Kol", 5);
    EXPECT_THROW(v.post(), TableError);
    EXPECT_EQ(v.state(), TableView::State::Edit);
    v.cancel();
    EXPECT_DOUBLE_EQ(v.asFloat("Kol"), 0);
}

TEST(TableEdit, TooLongStringsAreRefusedUnlessTheTableTruncates)
{
    ClientTable items;
    items.create(StandardSchemas::tNar());
    TableView v(items);
    v.append();
    EXPECT_THROW(v.setValue("Ident", "1234567890"), TableError); // Ident is 9 wide
    EXPECT_THROW(v.setValue("Srt", "twelve"), TableError);
    EXPECT_THROW(v.setValue("Srt", 3.5), TableError);
    items.setStringOverflow(ClientTable::StringOverflow::Truncate);
    v.setValue("Ident", "1234567890");
    EXPECT_EQ(v.asString("Ident"), "123456789");
    v.cancel();
}

TEST(TableEdit, ReadOnlyTablesRefuseEditing)
{
    // Covered with a real file in TableFileTest; here the in-memory guard.
    ClientTable items;
    TableView v(items);
    EXPECT_FALSE(v.isActive());
    EXPECT_THROW(v.append(), TableError);
    EXPECT_EQ(v.recordCount(), 0);
}

TEST(TableEdit, DeleteMovesToTheRowThatFollows)
{
    ClientTable tree;
    fillTree(tree);
    TableView v(tree);
    v.setIndexName("PRIMARY");
    v.setRange({10, "A"});
    v.setRecNo(2);
    v.remove();
    EXPECT_EQ(v.recordCount(), 2);
    EXPECT_EQ(v.asInt("LINK2"), 102);
    v.remove();
    EXPECT_EQ(v.asInt("LINK2"), 100); // deleting the last row moves back
}

TEST(TableEdit, EditingAKeyMovesTheRowInEveryView)
{
    ClientTable tree;
    fillTree(tree);
    TableView a(tree), b(tree);
    a.setIndexName("PRIMARY");
    b.setIndexName("PRIMARY");
    b.setRange({11, "A"});
    ASSERT_EQ(b.recordCount(), 1);
    ASSERT_TRUE(a.findKey({10, "A", 0}));
    a.edit();
    a.setValue("LINK1", 11);
    a.setValue("SORT", 5);
    a.post();
    EXPECT_EQ(a.asInt("LINK2"), 100); // the cursor follows the row
    EXPECT_EQ(a.asInt("LINK1"), 11);
    EXPECT_EQ(b.recordCount(), 2);
    b.last();
    EXPECT_EQ(b.asInt("LINK2"), 100);
}

TEST(TableEdit, ChangeBufferIsSeenOnlyThroughItsViewUntilApplied)
{
    ClientTable set;
    set.create(StandardSchemas::baseSet());
    TableView projects(set), other(set);
    projects.setFilter("TYPE='P'");
    projects.setCachedUpdates(true);
    addRow(projects, {"L1", "L2", "Type", "Name"}, {1, 2, "P", "New project1"});
    EXPECT_EQ(projects.recordCount(), 1);
    EXPECT_EQ(projects.asString("Name"), "New project1");
    EXPECT_EQ(projects.pendingUpdates(), 1);
    EXPECT_EQ(other.recordCount(), 0);
    EXPECT_EQ(set.rowCount(), 0);
    projects.applyUpdates();
    EXPECT_EQ(projects.pendingUpdates(), 0);
    EXPECT_EQ(set.rowCount(), 1);
    EXPECT_EQ(other.recordCount(), 1);
    EXPECT_EQ(projects.asString("Name"), "New project1");

    projects.edit();
    projects.setValue("Name", "Renamed");
    projects.post();
    other.first();
    EXPECT_EQ(other.asString("Name"), "New project1");
    EXPECT_EQ(projects.asString("Name"), "Renamed");
    projects.cancelUpdates();
    EXPECT_EQ(projects.asString("Name"), "New project1");

    projects.remove();
    EXPECT_TRUE(projects.isEmpty());
    EXPECT_EQ(other.recordCount(), 1);
    projects.applyUpdates();
    EXPECT_EQ(other.recordCount(), 0);
}

TEST(TableEdit, RefusedApplyKeepsTheBuffer)
{
    ClientTable set;
    set.create(StandardSchemas::baseSet());
    TableView direct(set), buffered(set);
    addRow(direct, {"L2", "Type"}, {2, "P"});
    buffered.setCachedUpdates(true);
    addRow(buffered, {"L2", "Type"}, {2, "S"}); // L2 is the unique key
    EXPECT_THROW(buffered.applyUpdates(), TableError);
    EXPECT_EQ(buffered.pendingUpdates(), 1);
    EXPECT_EQ(set.rowCount(), 1);
    buffered.edit();
    buffered.setValue("L2", 3);
    buffered.post();
    buffered.applyUpdates();
    EXPECT_EQ(set.rowCount(), 2);
}
