#include "FuseModel.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(AxisDefinition, ConvertsNormalizedPositionsBothWays)
{
    const AxisDefinition log{"A", true, 1.0, 10000.0};
    EXPECT_NEAR(log.valueAt(0.5), 100.0, 1e-9);
    EXPECT_NEAR(log.valueAt(0.0), 1.0, 1e-12);
    EXPECT_NEAR(log.valueAt(1.0), 10000.0, 1e-8);
    EXPECT_NEAR(log.valueAt(1.25), 100000.0, 1e-6); // outside the range is allowed
    EXPECT_NEAR(log.positionOf(100.0), 0.5, 1e-12);
    EXPECT_NEAR(log.positionOf(10.0), 0.25, 1e-12);

    const AxisDefinition lin{"s", false, 0.0, 100.0};
    EXPECT_DOUBLE_EQ(lin.valueAt(0.25), 25.0);
    EXPECT_DOUBLE_EQ(lin.valueAt(-0.5), -50.0);
    EXPECT_DOUBLE_EQ(lin.positionOf(25.0), 0.25);

    const AxisDefinition falling{"s", false, 10.0, 0.0};
    EXPECT_DOUBLE_EQ(falling.valueAt(0.25), 7.5);
    EXPECT_DOUBLE_EQ(falling.positionOf(7.5), 0.25);

    for (double t : {-0.3, 0.1, 0.77, 1.9})
        EXPECT_NEAR(log.positionOf(log.valueAt(t)), t, 1e-12);
}

TEST(AxisDefinition, UndefinedConversionsAreNaNNotGarbage)
{
    // Start equal to end: every position stands for the start, on either
    // scale, but no value has a position.
    const AxisDefinition flat{"A", false, 5.0, 5.0};
    EXPECT_FALSE(flat.canMap());
    EXPECT_TRUE(std::isnan(flat.positionOf(5.0)));
    EXPECT_EQ(flat.valueAt(0.5), 5.0);
    EXPECT_EQ(flat.valueAt(-2.0), 5.0);
    const AxisDefinition flatLog{"A", true, 100.0, 100.0};
    EXPECT_TRUE(flatLog.givesValues());
    EXPECT_NEAR(flatLog.valueAt(0.7), 100.0, 1e-12);

    const AxisDefinition logFromZero{"A", true, 0.0, 1000.0};
    EXPECT_FALSE(logFromZero.givesValues());
    EXPECT_FALSE(logFromZero.canMap());
    EXPECT_TRUE(std::isnan(logFromZero.valueAt(0.5)));

    const AxisDefinition log{"A", true, 1.0, 1000.0};
    EXPECT_TRUE(log.canMap());
    EXPECT_TRUE(std::isnan(log.positionOf(0.0)));
    EXPECT_TRUE(std::isnan(log.positionOf(-3.0)));

    const CharacteristicType type("T", log, AxisDefinition{"s", false, 0, 10});
    EXPECT_NEAR(type.xValue(1.0 / 3.0), 10.0, 1e-9);
    EXPECT_DOUBLE_EQ(type.yPosition(5.0), 0.5);
}

namespace {

// A small database built by hand: two top-level groups, one child.
struct HandBuilt
{
    FuseDatabase db;
    CharacteristicTypeTable types;
    FuseGroup* nh = nullptr;
    FuseGroup* d = nullptr;
    FuseGroup* nh00 = nullptr;

    HandBuilt()
    {
        const AxisDefinition ax{"A", true, 1, 1000};
        const CharacteristicType* tc = types.append(CharacteristicType("Time-Current", ax, ax));
        const CharacteristicType* cut = types.append(CharacteristicType("Cut-Off Current", ax, ax));
        types.append(CharacteristicType("Time-Current", ax, ax)); // a second of the same name
        nh00 = db.addGroup("NH00", 2, "NH");
        nh = db.addGroup("NH", 1, "");
        d = db.addGroup("D", 1, "");
        nh00->setParent(nh);
        nh->appendChild(nh00);
        Fuse* a = db.addFuse("NH00 gG 63 A", "1110630");
        Fuse* b = db.addFuse("NH00 gG 63 A", "duplicate");
        Fuse* c = db.addFuse("D II 16 A", "1150160");
        a->setGroup(nh00);
        nh00->appendFuse(a);
        b->setGroup(nh00);
        nh00->appendFuse(b);
        c->setGroup(d);
        d->appendFuse(c);
        a->appendCharacteristic(1, tc)->appendPoint({1, 0.1, 0.9});
        a->appendCharacteristic(2, cut);
        c->appendCharacteristic(3, cut);
        c->appendCharacteristic(4, tc);
        db.finishBuilding();
    }
};

} // namespace

TEST(FuseDatabase, HandBuiltDatabaseKeepsLevelOrderAndFirstMatches)
{
    HandBuilt h;
    ASSERT_EQ(h.db.groupCount(), 3);
    EXPECT_EQ(h.db.group(0), h.nh);
    EXPECT_EQ(h.db.group(1), h.d);
    EXPECT_EQ(h.db.group(2), h.nh00);
    EXPECT_EQ(h.db.group(3), nullptr);
    EXPECT_EQ(h.db.topLevelGroupCount(), 2);
    EXPECT_EQ(h.db.findFuse("NH00 gG 63 A")->catalogueNumber(), "1110630");
    EXPECT_EQ(h.db.findFuse("NH00 gG 63 A", h.nh00), h.db.fuse(0));
    EXPECT_EQ(h.db.findFuse("NH00 gG 63 A", h.d), nullptr);
    EXPECT_EQ(h.db.findFuse("nh00 gg 63 a"), nullptr); // exact comparison
    EXPECT_EQ(h.db.findFuse("NH00 gG 63 A "), nullptr);
    EXPECT_EQ(h.db.findGroup("NH00", 2, h.nh), h.nh00);
    EXPECT_EQ(h.db.findGroup("NH00", 2, h.d), nullptr);
    EXPECT_EQ(h.db.findCharacteristic(3), h.db.fuse(2)->characteristic(0));
    EXPECT_EQ(h.types.findType("Time-Current"), h.types.type(0));
    EXPECT_EQ(h.types.findType("time-current"), nullptr);
    EXPECT_EQ(h.types.count(), 3);
}

TEST(FuseDatabase, OffersTheDistinctTypeNamesOfASelectionSorted)
{
    HandBuilt h;
    EXPECT_EQ(FuseDatabase::characteristicTypeNames({h.db.fuse(0), h.db.fuse(2), nullptr}),
              (QStringList{"Cut-Off Current", "Time-Current"}));
    EXPECT_EQ(FuseDatabase::characteristicTypeNames({h.db.fuse(1)}), QStringList());
    EXPECT_EQ(FuseDatabase::characteristicTypeNames({}), QStringList());
    // A fuse without the chosen type has no curve for it.
    EXPECT_EQ(h.db.fuse(1)->findCharacteristic("Time-Current"), nullptr);
    EXPECT_EQ(h.db.fuse(2)->findCharacteristic("Time-Current")->id(), 4);
    EXPECT_EQ(h.db.fuse(0)->characteristic(1)->pointCount(), 0);
    EXPECT_EQ(h.db.fuse(0)->characteristic(2), nullptr);
}
