#include "Artifacts.h"
#include "CatalogueBuilder.h"
#include "MessageBoxService.h"
#include "ProductSearch.h"
#include "TDBX.h"
#include "TFSearch.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
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

// ---- The search window.

TEST(SearchWindow, CaptionsByLanguage)
{
    const std::pair<QString, TFSearch::Captions> cases[] = {
        {"SLO", {"IŠČI", "ŠIFRA"}},        {"ANG", {"SEARCH", "CODE No."}},
        {"NEM", {"SUCHE", "KODE"}},        {"HRV", {"TRAŽI", "ŠIFRA"}},
        {"POL", {"SZUKAJ", "Nr. kodowy"}}, {"XYZ", {"SEARCH", "CODE NO.:"}},
    };
    for (const auto& [code, expected] : cases) {
        TFSearch window(nullptr, code, [](const QString&) { return false; });
        window.show();
        EXPECT_EQ(window.windowTitle(), expected.caption) << code.toStdString();
        EXPECT_EQ(window.Label1->text(), expected.label) << code.toStdString();
    }
}

TEST(SearchWindow, CodeFieldTakesNineDigitsAndHasTheFocus)
{
    TFSearch window(nullptr, "ANG", [](const QString&) { return false; });
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), window.MEdit1);
    EXPECT_EQ(window.MEdit1->displayText(), QStringLiteral("*********"));
    QTest::keyClicks(window.MEdit1, "12a3");
    EXPECT_EQ(window.code(), QStringLiteral("123"));
    QTest::keyClicks(window.MEdit1, "4567890123");
    EXPECT_EQ(window.code(), QStringLiteral("123456789"));
    const QFont font = window.MEdit1->font();
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    EXPECT_EQ(window.size(), QSize(153, 92));
    Artifacts::save(&window, "kavrel_search_window");
}

TEST(SearchWindow, EnterRunsTheSearchOnceAndSuccessClosesTheWindow)
{
    QStringList asked;
    QPointer<TFSearch> window = new TFSearch(nullptr, "ANG", [&](const QString& code) {
        asked << code;
        return true;
    });
    window->show();
    QTest::keyClicks(window->MEdit1, "1110630");
    QTest::keyClick(window->MEdit1, Qt::Key_Return);
    EXPECT_EQ(asked, QStringList{"1110630"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()); // closed and destroyed
}

TEST(SearchWindow, NotFoundMessagesByLanguageKeepTheWindowOpen)
{
    const std::tuple<QString, QString, QString> cases[] = {
        {"SLO", "NE NAJDEM!", "OPOZORILO"},    {"ANG", "CANNOT FIND!", "WARNING"},
        {"NEM", "CANNOT FIND!", "WARNING"},    {"HRV", "NE NAĐEM!", "UPOZORENJE"},
        {"POL", "NIE ZNALEZIONO!", "WARNING"},
    };
    for (const auto& [code, text, title] : cases) {
        ScriptedMessageBoxes boxes;
        TFSearch window(nullptr, code, [](const QString&) { return false; });
        window.show();
        QTest::keyClicks(window.MEdit1, "1234567");
        QTest::mouseClick(window.Button1, Qt::LeftButton);
        ASSERT_EQ(boxes.shown().size(), 1) << code.toStdString();
        EXPECT_EQ(boxes.shown()[0].text, text);
        EXPECT_EQ(boxes.shown()[0].title, title);
        EXPECT_EQ(boxes.shown()[0].buttons, MessageBoxService::Ok | MessageBoxService::Cancel);
        EXPECT_TRUE(window.isVisible());
    }
    ScriptedMessageBoxes boxes;
    TFSearch other(nullptr, "XYZ", [](const QString&) { return false; });
    other.show();
    QTest::mouseClick(other.Button1, Qt::LeftButton);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(other.isVisible());
}

TEST(SearchWindow, OtherKeysDoNotSearch)
{
    int searches = 0;
    TFSearch window(nullptr, "ANG", [&](const QString&) {
        ++searches;
        return false;
    });
    window.show();
    ScriptedMessageBoxes boxes;
    QTest::keyClicks(window.MEdit1, "12");
    QTest::keyClick(window.MEdit1, Qt::Key_Tab);
    EXPECT_EQ(searches, 0);
    QTest::keyClick(window.MEdit1, Qt::Key_Enter);
    EXPECT_EQ(searches, 1);
}

} // namespace
