#include "MessageBoxService.h"

#include "QtPrinters.h"
#include <gtest/gtest.h>

TEST(MessageBoxService, ScriptedAnswersAreRecorded)
{
    ScriptedMessageBoxes boxes;
    boxes.answer(MessageBoxService::Cancel);
    EXPECT_EQ(MessageBoxService::show(nullptr, QStringLiteral("Install again"), QStringLiteral("T"),
                                      MessageBoxService::Ok | MessageBoxService::Cancel),
              MessageBoxService::Cancel);
    // With the script used up, the first offered of Ok, Yes, Cancel, No.
    EXPECT_EQ(MessageBoxService::show(nullptr, QStringLiteral("Save?"), QString(),
                                      MessageBoxService::Yes | MessageBoxService::No),
              MessageBoxService::Yes);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("T"));
    EXPECT_EQ(boxes.texts(),
              QStringList({QStringLiteral("Install again"), QStringLiteral("Save?")}));
}

TEST(MessageBoxService, ResponderIsRemovedWithTheScript)
{
    {
        ScriptedMessageBoxes boxes;
        EXPECT_TRUE(MessageBoxService::hasResponder());
    }
    EXPECT_FALSE(MessageBoxService::hasResponder());
}

TEST(MessageBoxService, WithoutResponderOffscreenNothingBlocks)
{
    ASSERT_FALSE(MessageBoxService::hasResponder());
    EXPECT_EQ(MessageBoxService::show(
                  nullptr, QStringLiteral("Ponovno namestite !"), QStringLiteral("POZOR!"),
                  MessageBoxService::Ok | MessageBoxService::Cancel, MessageBoxService::Warning),
              MessageBoxService::Cancel);
    EXPECT_EQ(MessageBoxService::show(nullptr, QStringLiteral("Save?"), QString(),
                                      MessageBoxService::Yes | MessageBoxService::No),
              MessageBoxService::No);
    EXPECT_EQ(
        MessageBoxService::show(nullptr, QStringLiteral("Please open valid database."), QString()),
        MessageBoxService::Ok);
}

TEST(MessageBoxService, ScriptSkipsAnswersTheBoxDoesNotOffer)
{
    ScriptedMessageBoxes boxes;
    boxes.answer(MessageBoxService::Yes); // not offered by the first box: skipped
    boxes.answer(MessageBoxService::Cancel);
    boxes.answer(MessageBoxService::No);
    EXPECT_EQ(MessageBoxService::show(nullptr, QStringLiteral("a"), QString(),
                                      MessageBoxService::Ok | MessageBoxService::Cancel),
              MessageBoxService::Cancel);
    EXPECT_EQ(MessageBoxService::show(nullptr, QStringLiteral("b"), QString(),
                                      MessageBoxService::Yes | MessageBoxService::No |
                                          MessageBoxService::Cancel,
                                      MessageBoxService::Warning),
              MessageBoxService::No);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[1].icon, MessageBoxService::Warning);
    EXPECT_EQ(boxes.shown()[1].buttons,
              MessageBoxService::Yes | MessageBoxService::No | MessageBoxService::Cancel);
    // No buttons at all means OK, as on Windows.
    MessageBoxService::show(nullptr, QStringLiteral("c"), QString(), MessageBoxService::NoButton);
    EXPECT_EQ(boxes.shown()[2].buttons, MessageBoxService::Ok);
}
