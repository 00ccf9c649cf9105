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
