#include "TableView.h"
#include "StandardSchemas.h"
#include "TableTestData.h"

#include <gtest/gtest.h>

namespace {

// Items covering the alternatives of the project-total filter.
class ItemFilter : public ::testing::Test
{
protected:
    void SetUp() override
    {
        items.create(StandardSchemas::tNar());
        view = std::make_unique<TableView>(items);
        const QStringList f = {"Ident", "Srt", "L1SYM", "L1DIM", "STATUSS", "STATUSD", "Status"};
        addRow(*view, f, {"S1", 1, 3, 0, "", "", ""});    // placed symbol
        addRow(*view, f, {"S2", 2, 3, 0, "D", "", ""});   // symbol erased, no dim
        addRow(*view, f, {"D1", 3, 0, 4, "", "D", ""});   // dim erased
        addRow(*view, f, {"D2", 4, 0, 4, "", "", ""});    // placed dim
        addRow(*view, f, {"N1", 5, -1, -1, "", "", "N"}); // list item
        addRow(*view, f, {"B1", 6, 3, 4, "D", "D", ""});  // both erased
    }

    QStringList idents(const QString& filter)
    {
        view->setFilter(filter);
        QStringList out;
        for (view->first(); !view->eof(); view->next())
            out << view->asString("Ident");
        return out;
    }

    ClientTable items;
    std::unique_ptr<TableView> view;
};

} // namespace

TEST_F(ItemFilter, ProjectTotalFilterCombinesAndOrAcrossFields)
{
    EXPECT_EQ(idents("( ((L1SYM>0) AND (STATUSD<>'D')) OR ((L1DIM>0) AND (STATUSS<>'D')) OR "
                     "(STATUS='N'))"),
              (QStringList{"S1", "S2", "D1", "D2", "N1"}));
}

TEST_F(ItemFilter, ComparisonOperatorsAndNot)
{
    EXPECT_EQ(idents("Srt >= 5"), (QStringList{"N1", "B1"}));
    EXPECT_EQ(idents("Srt <= 2"), (QStringList{"S1", "S2"}));
    EXPECT_EQ(idents("Srt < 2 OR Srt > 5"), (QStringList{"S1", "B1"}));
    EXPECT_EQ(idents("NOT (L1SYM = 0) AND NOT L1SYM = -1"), (QStringList{"S1", "S2", "B1"}));
    EXPECT_EQ(idents("Srt != 1 AND Srt <> 2 AND Srt < 4"), (QStringList{"D1"}));
    EXPECT_EQ(idents("STATUSS = STATUSD AND L1SYM > 0"), (QStringList{"S1", "B1"}));
    EXPECT_EQ(idents("ident='S1' or IDENT=\"D2\""), (QStringList{"S1", "D2"}));
    EXPECT_EQ(idents("  "), (QStringList{"S1", "S2", "D1", "D2", "N1", "B1"}));
}

TEST_F(ItemFilter, EmptyStringFieldsCompareAsEmptyText)
{
    // Never-set status fields are "no value" and still differ from 'D'.
    addRow(*view, {"Ident", "Srt", "L1SYM"}, {"E1", 7, 3});
    EXPECT_EQ(idents("L1SYM=3 AND STATUSS<>'D'"), (QStringList{"S1", "E1"}));
    EXPECT_EQ(idents("STATUSS=''"), (QStringList{"S1", "D1", "D2", "N1", "E1"}));
}

TEST_F(ItemFilter, BadFiltersAreErrorsAndKeepThePreviousFilter)
{
    view->setFilter("STATUS='N'");
    ASSERT_EQ(view->recordCount(), 1);
    const char* bad[] = {
        "STATUS=",       "STATUS='N", "(STATUS='N'", "STATUS='N')", "STATUS 'N'", "AND STATUS='N'",
        "STATUS='N' OR", "NOSUCH=1",  "Srt='abc'",   "Srt=1 # 2",   "Srt=12abc",  "[Srt=1",
        "Srt=1 Srt=2",   "NOT",       "()",          "Srt=="};
    for (const char* text : bad) {
        EXPECT_THROW(view->setFilter(QString::fromLatin1(text)), TableError) << text;
        EXPECT_EQ(view->filter(), "STATUS='N'") << text;
        EXPECT_EQ(view->recordCount(), 1) << text;
    }
    try {
        view->setFilter("(LINK1=0) AND (LINK2=2");
    } catch (const TableError& e) {
        EXPECT_TRUE(e.message().contains("missing ')'")) << e.message().toStdString();
    }
}

TEST_F(ItemFilter, FilterCanBeSwitchedOffAndOn)
{
    view->setFilter("STATUS='N'");
    view->setFiltered(false);
    EXPECT_EQ(view->recordCount(), 6);
    view->setFiltered(true);
    EXPECT_EQ(view->recordCount(), 1);
}

TEST_F(ItemFilter, PostedRowsEnterAndLeaveTheFilteredView)
{
    view->setFilter("STATUSS<>'D' AND L1SYM=3");
    ASSERT_EQ(view->recordCount(), 1);
    view->first();
    view->edit();
    view->setValue("STATUSS", "D");
    view->post();
    EXPECT_EQ(view->recordCount(), 0);
    TableView all(items);
    ASSERT_TRUE(all.locate({"Ident"}, {"S2"}));
    all.edit();
    all.setValue("STATUSS", "T");
    all.post();
    EXPECT_EQ(view->recordCount(), 1);
    EXPECT_EQ(view->asString("Ident"), "S2");
}

TEST(Filter, FormsOfTheCatalogueAndWorkbench)
{
    ClientTable tree;
    fillTree(tree);
    TableView v(tree);
    v.setFilter("LINK1=0");
    EXPECT_EQ(v.recordCount(), 3);
    v.setFilter("(LINK1=0) AND (LINK2=3)");
    EXPECT_EQ(v.recordCount(), 1);
    EXPECT_EQ(v.asInt("LINK2"), 3);
    v.setFilter("((LINK1=2) AND (LOOK='A' OR LOOK='B'))");
    EXPECT_EQ(v.recordCount(), 3);

    ClientTable certs;
    certs.create(StandardSchemas::certificates());
    TableView c(certs);
    addRow(c, {"SIFRA", "Files"}, {"1234567", "a"});
    addRow(c, {"SIFRA", "Files"}, {"7654321", "b"});
    c.setIndexName("BySifra");
    c.setFilter("SIFRA=''");
    EXPECT_TRUE(c.isEmpty());
    c.setFilter("SIFRA='1234567'");
    EXPECT_EQ(c.recordCount(), 1);
    EXPECT_EQ(c.asString("Files"), "a");
    c.setFilter("SIFRA='it''s'");
    EXPECT_TRUE(c.isEmpty());

    ClientTable summary;
    summary.create(StandardSchemas::tNarUN());
    TableView s(summary);
    addRow(s, {"Ident"}, {"A"});
    addRow(s, {"Ident"}, {"B"});
    QMap<QString, double> sums{{"A", 0}, {"B", 5}};
    s.addCalculatedField({"SumKol", FieldType::Float, 0},
                         [&](const TableRecord& r) { return QVariant(sums[r.asString("Ident")]); });
    s.setFilter("SumKol>0");
    EXPECT_EQ(s.recordCount(), 1);
    EXPECT_EQ(s.asString("Ident"), "B");
    sums["A"] = 2;
    s.refresh();
    EXPECT_EQ(s.recordCount(), 2);
}
