#include "TableView.h"
#include "StandardSchemas.h"
#include "TableTestData.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <random>

// Keyed lookups use a compact copy of the leading key; it must stay right
// through any mix of posts, key edits and deletes.
TEST(TableLifecycle, KeyedLookupStaysRightThroughChanges)
{
    ClientTable items;
    items.create(StandardSchemas::tNar());
    TableView writer(items), keyed(items);
    keyed.setIndexName("Sort_IDENT"); // L1NAR;Ident;Srt
    std::mt19937 random(3);
    std::map<int, int> perList; // L1NAR -> rows
    int srt = 0;
    for (int step = 0; step < 600; ++step) {
        const int action = int(random() % 10);
        if (action < 6 || writer.isEmpty()) {
            const int list = int(random() % 8);
            addRow(writer, {"L1NAR", "Ident", "Srt"},
                   {list, QString("I%1").arg(random() % 5), ++srt});
            ++perList[list];
        } else if (action < 8) {
            writer.setRecNo(int(random() % writer.recordCount()) + 1);
            const int from = int(writer.asInt("L1NAR"));
            const int to = int(random() % 8);
            writer.edit();
            writer.setValue("L1NAR", to);
            writer.post();
            --perList[from];
            ++perList[to];
        } else {
            writer.setRecNo(int(random() % writer.recordCount()) + 1);
            --perList[int(writer.asInt("L1NAR"))];
            writer.remove();
        }
        if (step % 50 == 0 || step > 590) {
            for (int list = 0; list < 9; ++list) {
                const bool found = keyed.findKey({list});
                ASSERT_EQ(found, perList[list] > 0) << "list " << list << " step " << step;
                if (!found)
                    continue;
                ASSERT_EQ(keyed.asInt("L1NAR"), list);
                int count = 0;
                for (; !keyed.eof() && keyed.asInt("L1NAR") == list; keyed.next())
                    ++count;
                ASSERT_EQ(count, perList[list]);
            }
        }
    }
}

TEST(TableLifecycle, AppliedInsertKeepsTheCursorOnTheNewRow)
{
    ClientTable set;
    set.create(StandardSchemas::baseSet());
    TableView risba(set);
    risba.setCachedUpdates(true);
    risba.setFilter("((L1=2) AND (TYPE='S' OR TYPE='D' OR TYPE='T' OR TYPE='N'))");
    addRow(risba, {"L1", "L2", "Type", "Name"}, {2, 3, "N", "List"});
    addRow(risba, {"L1", "L2", "Type", "Name"}, {2, 4, "S", "a.dwg"});
    addRow(risba, {"L1", "L2", "Type", "Name"}, {2, 5, "P", "not a BOM"});
    risba.applyUpdates();
    EXPECT_EQ(set.rowCount(), 3);
    EXPECT_EQ(risba.recordCount(), 2);
    EXPECT_EQ(risba.asInt("L2"), 4); // the last BOM posted stays current
}

TEST(TableLifecycle, ViewsFollowTheTableThroughCloseAndReopen)
{
    QTemporaryDir dir;
    ClientTable tree;
    fillTree(tree);
    tree.saveAs(dir.path() + "/T1.CDS");
    tree.close();
    TableView v(tree);
    v.setIndexName("PRIMARY");
    v.setFilter("LINK1=10");
    EXPECT_FALSE(v.isActive());
    EXPECT_EQ(v.recordCount(), 0);
    v.first(); // harmless on a closed view
    EXPECT_FALSE(v.value("LINK2").isValid());
    tree.open(dir.path() + "/T1.CDS", ClientTable::OpenMode::ReadOnly);
    EXPECT_TRUE(v.isActive());
    EXPECT_EQ(v.recordCount(), 3);
    EXPECT_EQ(v.asInt("LINK2"), 100);
}

TEST(TableLifecycle, AFilterThatNoLongerBindsLeavesTheViewEmptyAndSaysWhy)
{
    QTemporaryDir dir;
    ClientTable tree;
    fillTree(tree);
    tree.saveAs(dir.path() + "/T1.CDS");
    ClientTable texts;
    texts.create(StandardSchemas::texts());
    texts.saveAs(dir.path() + "/T3.CDS");
    tree.close();
    TableView v(tree);
    v.setFilter("LINK1=10");
    tree.close();
    EXPECT_THROW(tree.open(dir.path() + "/T3.CDS", ClientTable::OpenMode::ReadOnly), TableError);
    EXPECT_TRUE(tree.isOpen());
    EXPECT_EQ(v.recordCount(), 0);
}

TEST(TableLifecycle, DestroyingTablesAndMastersFirstIsSafe)
{
    auto tree = std::make_unique<ClientTable>();
    fillTree(*tree);
    TableView detail(*tree);
    detail.setIndexName("PRIMARY");
    {
        TableView master(*tree);
        master.setIndexName("PRIMARY");
        master.findKey({2, "A", 0});
        detail.setMasterSource(&master, {"LINK2", "LOOK"});
        EXPECT_EQ(detail.recordCount(), 3);
    }
    detail.first();
    tree.reset();
    EXPECT_FALSE(detail.isActive());
    EXPECT_EQ(detail.recordCount(), 0);
}

TEST(TableLifecycle, MasterDetailAcrossTablesFollowsTheTextOfTheAttributeRow)
{
    ClientTable attrs, texts;
    attrs.create(StandardSchemas::attributes());
    texts.create(StandardSchemas::texts());
    {
        TableView a(attrs), t(texts);
        addRow(a, {"LINK2", "LOOK", "SORT", "LINK3"}, {100, "A", 0, 7});
        addRow(a, {"LINK2", "LOOK", "SORT", "LINK3"}, {101, "A", 0, 8});
        addRow(t, {"LINK3", "SORT", "ANG", "KODA"}, {7, 1, "second", "K7"});
        addRow(t, {"LINK3", "SORT", "ANG", "KODA"}, {7, 0, "first", "K7"});
        addRow(t, {"LINK3", "SORT", "ANG"}, {8, 0, "other"});
    }
    TableView k2t1(attrs), k3t2(texts);
    k2t1.setIndexName("PRIMARY");
    k3t2.setIndexName("PRIMARY");
    k3t2.setMasterSource(&k2t1, {"LINK3"});
    ASSERT_TRUE(k2t1.findKey({100, "A", 0}));
    EXPECT_EQ(k3t2.recordCount(), 2);
    EXPECT_EQ(k3t2.asString("ANG"), "first"); // the lowest SORT comes first
    ASSERT_TRUE(k2t1.findKey({101, "A", 0}));
    EXPECT_EQ(k3t2.asString("ANG"), "other");
    EXPECT_FALSE(k2t1.findKey({102, "A", 0}));
    EXPECT_EQ(k3t2.asString("ANG"), "other"); // a miss leaves both where they were
}
