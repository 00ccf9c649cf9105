#include "ProductPage.h"
#include "CatalogueBuilder.h"
#include "FocusDetails.h"
#include "TDBX.h"

#include <gtest/gtest.h>

namespace {

const QStringList Head = {
    QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
    QStringLiteral("<html>"),
    QStringLiteral("<head>"),
    QStringLiteral("<title></title>"),
    QStringLiteral("</head>"),
    QStringLiteral("<body ms_positioning=\"gridlayout\">")};
const QStringList Tail = {QStringLiteral("</body>"), QStringLiteral("</html>")};

// Chapter 10 with a product 1000 below a path of groups 100 and 101.
class PageCatalogue : public ::testing::Test
{
protected:
    void SetUp() override
    {
        b.tree(0, "A", 1, 2);
        b.node(2, 1, 10, "", "NH fuse system");
        b.node(10, 1, 100, "", "Fuse links");
        b.node(100, 1, 101, "", "Size NH00");
        b.node(101, 1, 1000, "1110630", "Fuse link NH00 63 A");
    }
    CatalogueBuilder b;
};

TEST_F(PageCatalogue, HeadingUnderlinedAndPlainParagraphsInSortOrder)
{
    // Added out of order: the page follows SORT, not the file.
    b.nodeText(1000, 3, "plain <b>bold</b> & more");
    b.nodeText(1000, 1, "Fuse link", "B");
    b.nodeText(1000, 2, "gG 63 A", "C");
    auto dbx = b.open();
    ProductPage page(*dbx);
    QStringList expected = Head;
    expected << "<p align=\"center\">"
             << "<strong><font size=\"6\">"
             << "Fuse link"
             << "</font></strong>"
             << "</p>";
    expected << "<p align=\"center\">"
             << "<font size=\"5\">"
             << "<u>"
             << "gG 63 A"
             << "</u>"
             << "</font>"
             << "</p>";
    expected << "<p align=\"center\">"
             << "<font size=\"5\">"
             << "plain <b>bold</b> & more"
             << "</font>"
             << "</p>";
    expected << Tail;
    EXPECT_EQ(page.lines(1000), expected);
    EXPECT_EQ(page.html(1000), expected.join("\r\n"));
}

TEST_F(PageCatalogue, NodeWithoutParagraphsGivesOnlyTheFrame)
{
    // Name (0), page (10) and drawing (12) rows are no paragraphs.
    b.nodeText(1000, 10, "12");
    b.nodeText(1000, 12, "KS_FUSE");
    auto dbx = b.open();
    ProductPage page(*dbx);
    EXPECT_EQ(page.lines(1000), Head + Tail);
    EXPECT_EQ(page.lines(424242), Head + Tail);
}

TEST_F(PageCatalogue, UnknownStyleAndMissingTextGiveEmptyParagraphs)
{
    b.nodeText(1000, 4, "never shown", "X");
    b.attribute(1000, "A", 5, 777777, "B"); // text number without a text row
    auto dbx = b.open();
    ProductPage page(*dbx);
    QStringList expected = Head;
    expected << "<p align=\"center\">"
             << "</p>";
    expected << "<p align=\"center\">"
             << "<strong><font size=\"6\">"
             << ""
             << "</font></strong>"
             << "</p>";
    expected << Tail;
    EXPECT_EQ(page.lines(1000), expected);
}

TEST_F(PageCatalogue, TextOfTheUserLanguageAndLowestTextNumber)
{
    b.attribute(1000, "A", 1, 90002, "");
    b.text(90002, 1, "", "second", "drugi");
    b.attribute(1000, "A", 1, 90001, "");
    b.text(90001, 2, "", "first (old)", "prvi (star)");
    b.text(90001, 1, "", "first", "prvi");
    auto dbx = b.open(QStringLiteral("SLO"));
    ProductPage page(*dbx);
    const QStringList lines = page.lines(1000);
    ASSERT_EQ(lines.size(), Head.size() + 5 + Tail.size());
    EXPECT_EQ(lines[Head.size() + 2], QStringLiteral("prvi"));
}

TEST(FocusDetailsPages, OnlyWholeNumbersCount)
{
    EXPECT_EQ(FocusDetails::pageNumber("12"), 12);
    EXPECT_EQ(FocusDetails::pageNumber(" 7 "), 7);
    EXPECT_EQ(FocusDetails::pageNumber("12a"), 0);
    EXPECT_EQ(FocusDetails::pageNumber("a12"), 0);
    EXPECT_EQ(FocusDetails::pageNumber("1 2"), 0);
    EXPECT_EQ(FocusDetails::pageNumber(""), 0);
    EXPECT_EQ(FocusDetails::pageNumber("-"), 0);
    EXPECT_EQ(FocusDetails::pageNumber("99999999999"), 0);
}

TEST_F(PageCatalogue, DocumentsPagesAndDrawingsOfAProduct)
{
    b.nodeText(1000, 10, "12");
    b.nodeText(1000, 20, "12a");
    b.nodeText(1000, 12, "KS_FUSE");
    b.nodeText(1000, 13, "");
    b.nodeText(1000, 11, "KD_NH00");
    auto dbx = b.open();
    const FocusDetails d = FocusDetails::compute(*dbx, "C:\\data", 3, 1000, 10, true);
    EXPECT_EQ(d.level, 3);
    EXPECT_EQ(d.chapter, QStringLiteral("NH fuse system"));
    EXPECT_EQ(d.catalogueDocument, QStringLiteral("C:\\data\\PDF\\NH fuse system.PDF"));
    EXPECT_EQ(d.technicalDocument, QStringLiteral("C:\\data\\PDF\\TECH_DATA.PDF"));
    EXPECT_EQ(d.cataloguePage, 12);
    EXPECT_EQ(d.technicalPage, 0);
    EXPECT_EQ(d.certificateCode, QStringLiteral("1110630"));
    EXPECT_TRUE(d.symbol1.available);
    EXPECT_EQ(d.symbol1.name, QStringLiteral("KS_FUSE"));
    EXPECT_FALSE(d.symbol3.available); // empty text: no drawing
    EXPECT_TRUE(d.symbol3.name.isEmpty());
    EXPECT_TRUE(d.dimension.available);
    EXPECT_EQ(d.dimension.name, QStringLiteral("KD_NH00"));

    const FocusDetails noBench = FocusDetails::compute(*dbx, "C:\\data", 3, 1000, 10, false);
    EXPECT_FALSE(noBench.symbol1.available);
    EXPECT_TRUE(noBench.symbol1.name.isEmpty());
}

TEST_F(PageCatalogue, GroupsHaveNoCertificateCodeAndAMissingChapterIsEmpty)
{
    b.tree(2, "A", 3, 12); // a chapter without a name row
    auto dbx = b.open();
    const FocusDetails group = FocusDetails::compute(*dbx, "D", 1, 100, 10, false);
    EXPECT_TRUE(group.certificateCode.isEmpty());
    EXPECT_EQ(group.cataloguePage, 0);
    const FocusDetails unnamed = FocusDetails::compute(*dbx, "D", 0, 12, 12, false);
    EXPECT_EQ(unnamed.catalogueDocument, QStringLiteral("D\\PDF\\.PDF"));
}

} // namespace
