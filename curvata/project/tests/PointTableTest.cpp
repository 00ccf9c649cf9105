// The table of points: working points read off the curves, the cells'
// state as values are entered, and what the table gives to the chart and
// to a file.
#include "PointTableExport.h"
#include "PointTableModel.h"
#include "ProjectTestData.h"
#include "QtPrinters.h"
#include "WorkingPointCalculator.h"

#include <gtest/gtest.h>

namespace {

const QString NotDef = QStringLiteral("NotDef.");

struct Table : ::testing::Test
{
    ProjectTestData data;
    PointTableModel table;

    void SetUp() override
    {
        data.addStandardFuses();
        table.open(data.fuses({"F1", "F2", "F3"}), data.linear, false);
    }
};

} // namespace

TEST(WorkingPointCalculator, ReadsCrossingsOffTheCurve)
{
    ProjectTestData data;
    data.addStandardFuses();
    WorkingPointCalculator calc;
    calc.setFuses(data.fuses({"F1", "F2", "F3"}));
    calc.setCharacteristicType(data.linear);

    EXPECT_EQ(calc.yText("F1", "50"), "50.00000");
    EXPECT_EQ(calc.xText("F1", "30"), "70.00000");
    // F2 goes 10 -> 50 -> 30 -> 70 in x: 40 is passed three times, in curve order.
    EXPECT_EQ(calc.yText("F2", "40"), "65.00000;50.00000;35.00000");
    // Outside the curve's extent, not a number, not the whole text, no curve.
    for (const char* text : {"5", "95", "abc", "40abc", "", "0x10", "inf"})
        EXPECT_EQ(calc.yText("F1", text), NotDef) << text;
    EXPECT_EQ(calc.yText("F3", "50"), NotDef);
    EXPECT_EQ(calc.yText("nobody", "50"), NotDef);
    EXPECT_EQ(calc.yText("F1", "+5e1"), "50.00000");

    calc.setScientific(true);
    const QString sci = calc.yText("F1", "50");
    EXPECT_EQ(sci, "  5.0000e+01");
    EXPECT_EQ(sci.size(), 12);

    // Logarithmic axes interpolate in decades; a value that is not positive
    // has no place on them.
    calc.setScientific(false);
    calc.setCharacteristicType(data.timeCurrent);
    EXPECT_EQ(calc.yText("F1", "100"), "3.16228");
    EXPECT_EQ(calc.yText("F1", "0"), NotDef);
    EXPECT_EQ(calc.xText("F1", "-1"), NotDef);
}

TEST(WorkingPointCalculator, CountsACurvePointOnTheValueOnceAndAStepAtBothEnds)
{
    ProjectTestData data;
    Fuse* f = data.addFuse("Step");
    // x: 10, 50, 50, 90 — the curve drops straight down at x = 50.
    data.addCurve(f, data.linear, {{10, 90}, {50, 80}, {50, 20}, {90, 10}});
    Fuse* v = data.addFuse("Touch");
    data.addCurve(v, data.linear, {{10, 10}, {60, 50}, {20, 90}});
    data.database.finishBuilding();
    WorkingPointCalculator calc;
    calc.setFuses(data.fuses({"Step", "Touch"}));
    calc.setCharacteristicType(data.linear);

    EXPECT_EQ(calc.yText("Step", "50"), "80.00000;20.00000");
    EXPECT_EQ(calc.yText("Step", "10"), "90.00000");
    EXPECT_EQ(calc.yText("Touch", "60"), "50.00000");
    EXPECT_EQ(calc.xText("Step", "85"), "30.00000");
}

TEST_F(Table, OpensWithHeadersNamesAndUndefinedCells)
{
    EXPECT_EQ(table.gridRowCount(), 4);
    EXPECT_EQ(table.gridColumnCount(), 4);
    EXPECT_EQ(table.text(0, 0), "Selected Fuse");
    EXPECT_EQ(table.text(0, 2), "U1");
    EXPECT_EQ(table.text(0, 3), "P1");
    EXPECT_EQ(table.text(2, 1), "K-F2");
    EXPECT_EQ(table.text(1, 2), "-");
    EXPECT_FALSE(table.isReadOnly(1, 2));
    // F3 has no curve of the type: read-only, in the fixed cells' colour.
    EXPECT_EQ(table.text(3, 3), NotDef);
    EXPECT_TRUE(table.isReadOnly(3, 3));
    EXPECT_EQ(table.background(3, 3), table.background(0, 0));
    EXPECT_NE(table.background(1, 2), table.background(0, 0));
    EXPECT_FALSE(table.enterValue(3, 2, "50"));
    EXPECT_FALSE(table.enterValue(1, 1, "50")); // a fixed column
}

TEST_F(Table, EnteringAValueComputesItsPartner)
{
    ASSERT_TRUE(table.enterValue(1, 2, "abc"));
    EXPECT_EQ(table.text(1, 3), NotDef);
    EXPECT_TRUE(table.isUserEntered(1, 2));
    EXPECT_FALSE(table.isUserEntered(1, 3));

    table.enterValue(1, 3, "30");
    EXPECT_EQ(table.text(1, 2), "70.00000");
    EXPECT_TRUE(table.isUserEntered(1, 3));
    EXPECT_FALSE(table.isUserEntered(1, 2));
    EXPECT_TRUE(table.isModified(1, 2));

    table.enterValue(1, 3, "-");
    EXPECT_EQ(table.text(1, 2), "-");
    EXPECT_FALSE(table.isUserEntered(1, 3));
    EXPECT_FALSE(table.enterValue(1, 3, "-")); // the same text changes nothing

    // Emptying a cell (typed or cleared) takes the value away, like "-".
    table.enterValue(2, 2, "20");
    table.enterValue(2, 2, "");
    EXPECT_EQ(table.text(2, 2), "-");
    EXPECT_FALSE(table.isUserEntered(2, 2));
    table.enterValue(2, 3, "50");
    table.clearCells(QRect(2, 1, 2, 2)); // columns 2..3, rows 1..2
    EXPECT_EQ(table.text(2, 2), "-");
    EXPECT_EQ(table.text(2, 3), "-");

    // The item model edits the same cells, one row up.
    EXPECT_TRUE(table.setData(table.index(0, 2), "50"));
    EXPECT_EQ(table.text(1, 3), "50.00000");
    EXPECT_FALSE(table.flags(table.index(2, 2)) & Qt::ItemIsEditable);
}

TEST_F(Table, RemoveTakesOnlyAWholeValueColumnAndRenumbers)
{
    table.addPair();
    EXPECT_EQ(table.text(0, 5), "P2");
    table.enterValue(1, 4, "40");

    EXPECT_FALSE(table.isWholeValueColumn(QRect(2, 1, 1, 2)));  // rows 1..2 of 3
    EXPECT_FALSE(table.isWholeValueColumn(QRect(1, 1, 1, 3)));  // fixed column
    EXPECT_FALSE(table.isWholeValueColumn(QRect(2, 1, 2, 3)));  // two columns
    EXPECT_FALSE(table.isWholeValueColumn(QRect(2, 0, 1, 4)));  // with the header
    ASSERT_TRUE(table.isWholeValueColumn(QRect(3, 1, 1, 3)));

    ASSERT_TRUE(table.removePair(3));
    EXPECT_EQ(table.gridColumnCount(), 4);
    EXPECT_EQ(table.text(0, 2), "U1");
    EXPECT_EQ(table.text(1, 2), "40");
    EXPECT_EQ(table.text(1, 3), "60.00000");
}

TEST_F(Table, FollowsTheSelectionAndTheCharacteristic)
{
    table.enterValue(1, 2, "50");
    table.enterValue(2, 2, "20");
    // F2 leaves, F4 (new) comes second: F1 keeps its value.
    Fuse* f4 = data.addFuse("F4");
    data.addCurve(f4, data.linear, {{0, 0}, {100, 100}});
    data.database.finishBuilding();
    table.setFuses(data.fuses({"F1", "F4", "F3"}));
    ASSERT_EQ(table.gridRowCount(), 4);
    EXPECT_EQ(table.text(1, 0), "F1");
    EXPECT_EQ(table.text(1, 3), "50.00000");
    EXPECT_EQ(table.text(2, 0), "F4");
    EXPECT_EQ(table.text(2, 2), "-");
    EXPECT_EQ(table.text(3, 0), "F3");
    EXPECT_EQ(table.initialRowCount(), 4);
    table.enterValue(2, 2, "30");
    EXPECT_EQ(table.text(2, 3), "30.00000"); // the calculator knows F4

    EXPECT_FALSE(table.setCharacteristicType(data.linear));
    EXPECT_EQ(table.text(1, 2), "50");
    table.addPair();
    EXPECT_TRUE(table.setCharacteristicType(data.other));
    EXPECT_EQ(table.gridColumnCount(), 4);
    EXPECT_EQ(table.text(1, 2), "-");
    EXPECT_EQ(table.text(0, 2), "V1"); // the headers follow the new type's units
    EXPECT_EQ(table.text(3, 2), "-"); // F3 has the new type
}

TEST_F(Table, PastesABlockAndAddsConstantLineValues)
{
    table.addPair();
    // From a spreadsheet: two rows, line ends CR LF, a trailing line break.
    table.paste(QRect(2, 1, 1, 1), "20\r\n40\r\n");
    EXPECT_EQ(table.text(1, 2), "20");
    EXPECT_EQ(table.text(1, 3), "80.00000");
    EXPECT_EQ(table.text(2, 2), "40");
    EXPECT_EQ(table.text(2, 3), "65.00000;50.00000;35.00000");
    // A larger selection takes only what falls inside it.
    table.paste(QRect(4, 1, 1, 2), "60\t70\n25\t35\n99\n");
    EXPECT_EQ(table.text(1, 4), "60");
    EXPECT_EQ(table.text(1, 5), "40.00000");
    EXPECT_EQ(table.text(2, 4), "25");
    EXPECT_EQ(table.text(2, 5), "72.50000");
    EXPECT_EQ(table.text(3, 4), NotDef);

    table.setScientific(true);
    table.addConstLineValue(40.0f, ConstLineKind::Y);
    EXPECT_EQ(table.gridColumnCount(), 8);
    EXPECT_EQ(table.text(1, 7), "  4.0000e+01");
    EXPECT_TRUE(table.isUserEntered(1, 7));
    EXPECT_EQ(table.text(1, 6), "  6.0000e+01");
    EXPECT_EQ(table.text(3, 7), NotDef);
}

TEST_F(Table, ToGraphTakesWholePairs)
{
    // V rises and falls again: y = 30 is passed at two x values.
    Fuse* v = data.addFuse("V");
    data.addCurve(v, data.linear, {{10, 10}, {50, 50}, {90, 10}});
    data.database.finishBuilding();
    PointTableModel t;
    t.open(data.fuses({"V", "F2", "F1"}), data.linear, false);
    t.addPair();
    t.enterValue(1, 3, "30"); // x "30.00000;70.00000", y 30
    t.enterValue(1, 4, "95"); // x outside the curve: y "NotDef." draws nothing
    t.enterValue(2, 2, "40"); // y "65.00000;50.00000;35.00000"
    t.enterValue(3, 5, "abc"); // x "NotDef."
    t.setScientific(true);
    t.enterValue(3, 2, "50"); // y "  5.0000e+01": blanks before a number are no obstacle
    ASSERT_EQ(t.text(1, 2), "30.00000;70.00000");
    const TablePointList expected{{30, 30}, {70, 30}, {40, 65}, {40, 50}, {40, 35}, {50, 50}};
    EXPECT_EQ(PointTableExport::points(t), expected);
}

TEST_F(Table, ToFileWritesEveryCellWithATab)
{
    PointTableModel two;
    two.open(data.fuses({"F1", "F3"}), data.linear, false);
    two.enterValue(1, 2, "50");
    EXPECT_EQ(PointTableExport::text(two),
              QByteArray("Selected Fuse\tCatalogue Number\tU1\tP1\t\n"
                         "F1\tK-F1\t50\t50.00000\t\n"
                         "F3\tK-F3\tNotDef.\tNotDef.\t\n"));
}
