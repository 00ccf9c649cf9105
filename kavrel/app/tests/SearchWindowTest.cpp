#include "Artifacts.h"
#include "MessageBoxService.h"
#include "TFSearch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

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
    // So narrow a window has room for its title only without minimise and
    // maximise buttons.
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinMaxButtonsHint);
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

TEST(SearchWindow, EnterStartsOneSearchPerPress)
{
    int searches = 0;
    TFSearch window(nullptr, "ANG", [&](const QString&) {
        ++searches;
        return false;
    });
    window.show();
    ScriptedMessageBoxes boxes;
    QTest::keyPress(window.MEdit1, Qt::Key_Return);
    EXPECT_EQ(searches, 1);
    // The release of the Enter that closed "CANNOT FIND!" reaches the code
    // field, and so do a held key's repeats: neither searches again.
    QTest::keyRelease(window.MEdit1, Qt::Key_Return);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(window.MEdit1, &repeat);
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(boxes.texts(), QStringList{"CANNOT FIND!"});
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
