// The Const Lines window's copy of the lines: what the user may create,
// type and move, and what reaches the table of points.
#include "ConstLineSet.h"
#include "UserNumber.h"

#include <gtest/gtest.h>

namespace {

const ConstLineSet::Range kRange{1.0, 0.01, 1000.0, 10000.0};

struct RecordingTable : ConstLineTableTarget
{
    QList<QPair<float, ConstLineKind>> added;
    void addConstLineValue(float value, ConstLineKind kind) override
    {
        added.append({value, kind});
    }
};

} // namespace

TEST(UserNumber, AcceptsOnlyAWholeCNotationNumber)
{
    EXPECT_EQ(UserNumber::parse("1e3"), 1000.0);
    EXPECT_EQ(UserNumber::parse("-.5"), -0.5);
    EXPECT_EQ(UserNumber::parse("+250"), 250.0);
    for (const char* bad : {"", "1,5", " 250", "250 ", "abc", "1e", ".", "0x10", "inf", "nan",
                            "1e400", "2..5"})
        EXPECT_FALSE(UserNumber::parse(bad)) << bad;
    EXPECT_FALSE(UserNumber::parse(QString::fromUtf8("２５０"))); // full-width digits
    EXPECT_FALSE(UserNumber::parseFloat("1e39"));                 // beyond single precision
}

TEST(ConstLineSet, CreateChecksInOrderAndHoldsTheValueInRange)
{
    ConstLineSet set({ConstLine::xLine("In", 250, 0.01f, 10000, Qt::red)}, {});
    using K = ConstLineKind;
    EXPECT_EQ(set.check("", "", K::X).problem, ConstLineSet::NameMissing);
    EXPECT_EQ(set.check("Ik", "  ", K::X).problem, ConstLineSet::ValueMissing);
    EXPECT_EQ(set.check("Ik", "1,5", K::X).problem, ConstLineSet::ValueNotNumber);
    EXPECT_EQ(set.check("In", "1,5", K::X).problem, ConstLineSet::ValueNotNumber);
    EXPECT_EQ(set.check("In", "5", K::X).problem, ConstLineSet::NameTaken);
    // Names are unique per kind only.
    EXPECT_EQ(set.check("In", "5", K::Y).value, 5.0f);
    EXPECT_EQ(set.check("Ik", "1e3", K::X).value, 1000.0f);

    const ConstLine& high = set.create("Ik", 5000, K::X, kRange, Qt::blue);
    EXPECT_EQ(high, ConstLine::xLine("Ik", 1000, 0.01f, 10000, Qt::blue));
    const ConstLine& low = set.create("t", 0.001f, K::Y, kRange, Qt::blue);
    EXPECT_EQ(low, ConstLine::yLine("t", 0.01f, 1, 1000, Qt::blue));
    EXPECT_EQ(ConstLineSet::formatValue(ConstLineSet::value(set.xLines().last(), K::X)), "1000");
}

TEST(ConstLineSet, TypedValuesCountOnlyAsWholeNumbers)
{
    ConstLineSet set({ConstLine::xLine("a", 10, 1, 100, Qt::red),
                      ConstLine::xLine("b", 20, 1, 100, Qt::red)},
                     {ConstLine::yLine("a", 5, 1, 100, Qt::red)});
    EXPECT_TRUE(set.commitValue(ConstLineKind::X, 1, " 250 "));
    EXPECT_EQ(set.xLines().at(1).x1, 250.0f); // not held to the range
    EXPECT_EQ(set.xLines().at(1).x2, 250.0f);
    EXPECT_EQ(set.xLines().at(0).x1, 10.0f);
    for (const char* bad : {"abc", "", "   ", "1,5"})
        EXPECT_FALSE(set.commitValue(ConstLineKind::X, 0, bad)) << bad;
    EXPECT_FALSE(set.commitValue(ConstLineKind::X, 2, "3"));
    EXPECT_EQ(set.xLines().at(0).x1, 10.0f);

    // A line dragged on the chart: the Y line named "a", not the X line.
    EXPECT_TRUE(set.moveLine(ConstLineKind::Y, "a", 7.5f));
    EXPECT_EQ(set.yLines().at(0).y1, 7.5f);
    EXPECT_EQ(set.yLines().at(0).y2, 7.5f);
    EXPECT_EQ(set.xLines().at(0).x1, 10.0f);
    EXPECT_FALSE(set.moveLine(ConstLineKind::Y, "A", 1));
}

TEST(ConstLineSet, RemoveAndAddToTableWorkOnTheChosenRows)
{
    ConstLineSet set({ConstLine::xLine("a", 10, 1, 100, Qt::red),
                      ConstLine::xLine("b", 20, 1, 100, Qt::red),
                      ConstLine::xLine("c", 30, 1, 100, Qt::red)},
                     {ConstLine::yLine("t", 5, 1, 100, Qt::red)});
    EXPECT_EQ(ConstLineSet::addToTableProblem(false, ConstLineKind::X, {0}),
              ConstLineSet::TableNotOpen);
    EXPECT_EQ(ConstLineSet::addToTableProblem(true, ConstLineKind::X, {}),
              ConstLineSet::SelectXLine);
    EXPECT_EQ(ConstLineSet::addToTableProblem(true, ConstLineKind::Y, {}),
              ConstLineSet::SelectYLine);
    EXPECT_FALSE(ConstLineSet::addToTableProblem(true, ConstLineKind::Y, {0}));

    RecordingTable table;
    set.addToTable(ConstLineKind::X, {2, 0, 7}, table);
    set.addToTable(ConstLineKind::Y, {0}, table);
    ASSERT_EQ(table.added.size(), 3);
    EXPECT_EQ(table.added[0], qMakePair(10.0f, ConstLineKind::X));
    EXPECT_EQ(table.added[1], qMakePair(30.0f, ConstLineKind::X));
    EXPECT_EQ(table.added[2], qMakePair(5.0f, ConstLineKind::Y));

    set.remove(ConstLineKind::X, {2, 0, 0, 9});
    ASSERT_EQ(set.xLines().size(), 1);
    EXPECT_EQ(set.xLines().at(0).name, "b");
    EXPECT_EQ(set.yLines().size(), 1);
}
