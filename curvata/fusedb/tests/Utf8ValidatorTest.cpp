#include "Utf8Validator.h"
#include "Windows1250.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

// Fed in pieces of any size, the validator judges like the one-piece check
// of the platform: same verdict on overlong forms, surrogates, values above
// U+10FFFF and sequences cut off at the end.
TEST(Utf8Validator, JudgesPiecesLikeTheWhole)
{
    EXPECT_TRUE(Utf8Validator::isValid("a\xc5\x82\xe2\x82\xac\xf0\x9f\x98\x80"));
    for (const char* bad : {"\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82", "\xb3"})
        EXPECT_FALSE(Utf8Validator::isValid(bad)) << bad;

    static const unsigned char kBytes[] = {'a', 0x80, 0x82, 0xA3, 0xBF, 0xC0, 0xC5, 0xDF,
                                           0xE0, 0xE2, 0xED, 0xF0, 0xF4, 0xF5, 0xFF};
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(random() % 24, 'x');
        for (char& c : bytes)
            c = char(kBytes[random() % sizeof kBytes]);
        Utf8Validator pieces;
        for (size_t at = 0; at < bytes.size();) {
            const size_t size = std::min<size_t>(1 + random() % 5, bytes.size() - at);
            pieces.feed(bytes.data() + at, size);
            at += size;
        }
        ASSERT_EQ(pieces.valid(), Windows1250::isValidUtf8(QByteArray::fromStdString(bytes)))
            << QByteArray::fromStdString(bytes).toHex().constData();
    }
}
