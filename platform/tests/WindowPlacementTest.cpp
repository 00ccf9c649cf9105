// The stored placement record: only a well-formed 44-byte record places a
// window; anything else is ignored rather than guessed at.
#include "WindowPlacement.h"

#include <QtEndian>
#include <gtest/gtest.h>
#include <initializer_list>

namespace {

QByteArray record(std::initializer_list<int32_t> fields)
{
    QByteArray bytes;
    for (int32_t f : fields) {
        char le[4];
        qToLittleEndian(f, le);
        bytes.append(le, 4);
    }
    return bytes;
}

// length, flags, show command, min x/y, max x/y, normal left/top/right/bottom
QByteArray normalRecord(int32_t show = 1)
{
    return record({44, 0, show, -1, -1, -8, -8, 100, 50, 500, 350});
}

} // namespace

TEST(WindowPlacement, DecodesTheFortyFourByteRecord)
{
    const auto p = WindowPlacement::decode(normalRecord(3));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->showCommand, 3u);
    EXPECT_TRUE(p->isMaximized());
    EXPECT_EQ(p->minPosition, QPoint(-1, -1));
    EXPECT_EQ(p->maxPosition, QPoint(-8, -8));
    // Right and bottom are exclusive: 400 x 300 from (100, 50).
    EXPECT_EQ(p->normalRect, QRect(100, 50, 400, 300));
}

TEST(WindowPlacement, IgnoresEveryOtherRecord)
{
    const QByteArray good = normalRecord();
    EXPECT_FALSE(WindowPlacement::decode(QByteArray()));
    EXPECT_FALSE(WindowPlacement::decode(good.left(43)));
    EXPECT_FALSE(WindowPlacement::decode(good + '\0'));
    EXPECT_FALSE(WindowPlacement::decode(good + good));
    // A record of the right size that lies about its length.
    EXPECT_FALSE(WindowPlacement::decode(record({40, 0, 1, 0, 0, 0, 0, 100, 50, 500, 350})));
    // Rectangles that cannot hold a window: empty, inverted.
    EXPECT_FALSE(WindowPlacement::decode(record({44, 0, 1, 0, 0, 0, 0, 100, 50, 100, 350})));
    EXPECT_FALSE(WindowPlacement::decode(record({44, 0, 1, 0, 0, 0, 0, 500, 350, 100, 50})));
    // The widest rectangle the fields allow overflows no size.
    EXPECT_FALSE(WindowPlacement::decode(
        record({44, 0, 1, 0, 0, 0, 0, INT32_MIN, 0, INT32_MAX, 10})));
}
