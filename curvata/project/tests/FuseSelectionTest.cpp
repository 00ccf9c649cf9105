// Browsing the group tree and collecting fuses in the Select Fuses window,
// and choosing the characteristic type afterwards.
#include "CharacteristicChoice.h"
#include "FuseModel.h"
#include "FuseSelection.h"

#include <gtest/gtest.h>

namespace {

// NH (top) > NH gR, which holds three fuses and the subgroup NH1 gR;
// D (top) holds one fuse; one fuse belongs to no group at all.
struct Tree : ::testing::Test
{
    FuseDatabase db;
    FuseGroup* nh = db.addGroup("NH", 1, "");
    FuseGroup* d = db.addGroup("D", 1, "");
    FuseGroup* gr = db.addGroup("NH gR", 2, "NH");
    FuseGroup* nh1 = db.addGroup("NH1 gR", 3, "NH gR");
    const Fuse* ten = add(gr, "NH00 gR 10 A");
    const Fuse* two = add(gr, "NH00 gR 2 A");
    const Fuse* sixThree = add(gr, "NH00 gR 6,3 A");
    const Fuse* big = add(nh1, "NH1 gR 250 A");
    const Fuse* dFuse = add(d, "D II 16 A");
    const Fuse* orphan = db.addFuse("NH00 gG 35 A", "x");

    Tree()
    {
        gr->setParent(nh);
        nh->appendChild(gr);
        nh1->setParent(gr);
        gr->appendChild(nh1);
        db.finishBuilding();
    }

    const Fuse* add(FuseGroup* group, const char* name)
    {
        Fuse* fuse = db.addFuse(name, "1");
        fuse->setGroup(group);
        group->appendFuse(fuse);
        return fuse;
    }
};

} // namespace

TEST(FuseRating, ReadsTheRatingBeforeTheUnit)
{
    EXPECT_EQ(FuseSelection::rating("NH00 gG 6,3 A"), 6.3);
    EXPECT_EQ(FuseSelection::rating("10x38 gG 0,5 A"), 0.5);
    EXPECT_EQ(FuseSelection::rating("100 A"), 100.0);
    EXPECT_FALSE(FuseSelection::rating("NH00 gG A"));
    EXPECT_FALSE(FuseSelection::rating("A"));
    EXPECT_FALSE(FuseSelection::rating("NH00 gG 6,3,1 A"));
}

TEST_F(Tree, GroupListsUpEntrySubgroupsThenFusesByRating)
{
    FuseSelection s(db, {});
    EXPECT_EQ(s.leftTexts(), QStringList({"+NH", "+D"}));
    EXPECT_FALSE(s.open(5)); // outside the list
    ASSERT_TRUE(s.open(0));
    EXPECT_EQ(s.leftTexts(), QStringList({"..", "+NH gR"}));
    ASSERT_TRUE(s.open(1));
    EXPECT_EQ(s.level(), 3);
    EXPECT_EQ(s.leftTexts(), QStringList({"..", "+NH1 gR", "NH00 gR 2 A", "NH00 gR 6,3 A",
                                          "NH00 gR 10 A"}));
    EXPECT_FALSE(s.open(2)); // a fuse row opens nothing
    ASSERT_TRUE(s.open(0));
    ASSERT_TRUE(s.open(0));
    EXPECT_EQ(s.level(), 1);
    EXPECT_EQ(s.currentGroup(), nullptr);
    EXPECT_EQ(s.leftTexts(), QStringList({"+NH", "+D"}));
}

TEST_F(Tree, MovingAGroupTwiceAddsItsFusesOnce)
{
    FuseSelection s(db, {dFuse});
    s.open(0); // NH
    s.moveRight({1, 0}); // "+NH gR" and ".."
    EXPECT_EQ(s.selected(), (std::vector<const Fuse*>{dFuse, ten, two, sixThree, big}));
    EXPECT_EQ(s.leftTexts(), QStringList({"..", "+NH gR"}));
    s.moveRight({1});
    EXPECT_EQ(s.selected().size(), 5u);
    EXPECT_EQ(s.rightTexts().size(), 5);
}

TEST_F(Tree, MovingBackReturnsOnlyFusesOfTheGroupShown)
{
    FuseSelection s(db, {dFuse, orphan});
    s.open(0);
    s.open(1); // NH gR
    s.moveRight({3, 2}); // 2 A, 6,3 A
    EXPECT_EQ(s.leftTexts(), QStringList({"..", "+NH1 gR", "NH00 gR 10 A"}));
    // D's fuse and the fuse without a group leave the selection without
    // showing up here; this group's fuse goes to the end, unsorted.
    s.moveLeft({0, 1, 2});
    EXPECT_EQ(s.selected(), (std::vector<const Fuse*>{sixThree}));
    EXPECT_EQ(s.leftTexts(),
              QStringList({"..", "+NH1 gR", "NH00 gR 10 A", "NH00 gR 2 A"}));
}

TEST_F(Tree, EmptiedSelectionStillCountsAndOffersNoType)
{
    FuseSelection fresh(db, {});
    EXPECT_FALSE(fresh.hasSelectedList());

    const AxisDefinition axis{"A", true, 1, 1000};
    const CharacteristicType tc("Time-Current", axis, axis);
    Fuse* withCurve = db.fuse(0);
    withCurve->appendCharacteristic(1, &tc);
    FuseSelection s(db, {withCurve});
    EXPECT_EQ(FuseDatabase::characteristicTypeNames(s.selected()), QStringList({"Time-Current"}));
    s.moveLeft({0});
    EXPECT_TRUE(s.hasSelectedList());
    EXPECT_TRUE(FuseDatabase::characteristicTypeNames(s.selected()).isEmpty());
}

TEST(CharacteristicChoice, ListsAlphabeticallyAndPreselectsTheCurrentType)
{
    const QStringList rows = CharacteristicChoice::listOrder(
        {"Time-Current", "cut-off current", "Pre-Arcing I2t", "Cut-Off Current"});
    EXPECT_EQ(rows, QStringList({"Cut-Off Current", "cut-off current", "Pre-Arcing I2t",
                                 "Time-Current"}));
    const AxisDefinition axis{"A", true, 1, 1000};
    const CharacteristicType upper("CUT-OFF", axis, axis);
    const CharacteristicType exact("cut-off current", axis, axis);
    const CharacteristicType absent("Power", axis, axis);
    EXPECT_EQ(CharacteristicChoice::preselectedRow(rows, &upper), 0);
    EXPECT_EQ(CharacteristicChoice::preselectedRow(rows, &exact), 1);
    EXPECT_EQ(CharacteristicChoice::preselectedRow(rows, &absent), -1);
    EXPECT_EQ(CharacteristicChoice::preselectedRow(rows, nullptr), -1);
}
