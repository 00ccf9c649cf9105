#include "CatalogueBuilder.h"
#include "ProductSearch.h"
#include "TDBX.h"

#include <gtest/gtest.h>

namespace {

// Segment 2 ("Building and industry") holds chapter 10; segment 3
// ("Energy") chapters 15 and, a second time, 10; segment 4 chapter 16.
class SearchCatalogue : public ::testing::Test
{
protected:
    void SetUp() override
    {
        b.tree(0, "A", 1, 2);
        b.tree(0, "A", 2, 3);
        b.tree(0, "A", 3, 4);
        chain(2, 10, 1110630, "1110630");
        b.tree(3, "A", 2, 10); // chapter 10 also under "Energy"
        chain(3, 15, 7100063, "7100063");
        chain(4, 16, 8100010, "8100010");
        // A text with the code whose attribute row has another branch code.
        b.text(60000, 1, "9999999", "orphan");
        b.attribute(123, "B", 0, 60000);
        // A product whose parent group has no tree row of its own.
        b.tree(4242, "A", 1, 4243);
        b.attribute(4243, "A", 0, 60001);
        b.text(60001, 1, "5555555", "lost");
    }
    // A chapter with one path down to a product.
    void chain(int segment, int chapter, int product, const QString& code)
    {
        b.node(segment, 1, chapter, "", "Chapter");
        b.node(chapter, 1, chapter * 10, "", "Level 1");
        b.node(chapter * 10, 1, chapter * 100, "", "Level 2");
        b.node(chapter * 100, 1, product, code, "Product");
    }
    CatalogueBuilder b;
    ProductSearch search;
};

TEST_F(SearchCatalogue, FindsTheProductAndItsPath)
{
    auto dbx = b.open();
    const ProductSearch::Result r = search.find(*dbx, "1110630");
    ASSERT_EQ(r.outcome, ProductSearch::Result::Found);
    EXPECT_EQ(r.segment, 0);
    EXPECT_EQ(r.group1, 10);
    EXPECT_EQ(r.group2, 100);
    EXPECT_EQ(r.group3, 1000);
    EXPECT_EQ(r.product, 1110630);
    EXPECT_TRUE(dbx->isSearchOpen());
}

TEST_F(SearchCatalogue, ProductOfAnotherSegment)
{
    auto dbx = b.open();
    ProductSearch::Result r = search.find(*dbx, "8100010");
    ASSERT_EQ(r.outcome, ProductSearch::Result::Found);
    EXPECT_EQ(r.segment, 2);
    r = search.find(*dbx, "7100063");
    ASSERT_EQ(r.outcome, ProductSearch::Result::Found);
    EXPECT_EQ(r.segment, 1);
}

TEST_F(SearchCatalogue, GroupUnderTwoSegmentsOpensInTheLowerOne)
{
    auto dbx = b.open();
    dbx->setSegment(1); // searching from "Energy"
    const ProductSearch::Result r = search.find(*dbx, "1110630");
    ASSERT_EQ(r.outcome, ProductSearch::Result::Found);
    EXPECT_EQ(r.segment, 0);
}

TEST_F(SearchCatalogue, CodeInTheTextsButUnreachableStops)
{
    auto dbx = b.open();
    EXPECT_EQ(search.find(*dbx, "9999999").outcome, ProductSearch::Result::Stop);
    EXPECT_EQ(search.find(*dbx, "5555555").outcome, ProductSearch::Result::Stop);
}

TEST_F(SearchCatalogue, UnknownAndEmptyCodesAreNotFound)
{
    auto dbx = b.open();
    EXPECT_EQ(search.find(*dbx, "1234567").outcome, ProductSearch::Result::NotFound);
    EXPECT_EQ(search.find(*dbx, "111063").outcome, ProductSearch::Result::NotFound);
    // Group names have an empty code; an empty field must not find them.
    EXPECT_EQ(search.find(*dbx, "").outcome, ProductSearch::Result::NotFound);
    EXPECT_EQ(search.find(*dbx, "  ").outcome, ProductSearch::Result::NotFound);
}

TEST_F(SearchCatalogue, UnfilledPositionsAreNoPartOfTheCode)
{
    EXPECT_EQ(ProductSearch::normalizedCode("1110630  "), QStringLiteral("1110630"));
    EXPECT_EQ(ProductSearch::normalizedCode("1110630**"), QStringLiteral("1110630"));
    auto dbx = b.open();
    EXPECT_EQ(search.find(*dbx, "1110630  ").outcome, ProductSearch::Result::Found);
}

TEST_F(SearchCatalogue, EmptyCurrentSegmentStillSearchesWithItsBranch)
{
    b.tree(0, "A", 4, 5); // a fourth segment row without groups
    auto dbx = b.open();
    dbx->K1T0.setFilter("(LINK1=0) AND (LINK2=5)");
    ASSERT_TRUE(dbx->K1T1.isEmpty());
    EXPECT_EQ(search.find(*dbx, "1110630").outcome, ProductSearch::Result::Found);
}

} // namespace
