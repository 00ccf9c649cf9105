#include "FieldConversion.h"

#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

using namespace std::string_view_literals;

TEST(FieldConversion, StrictIntegerAcceptsOnlyANumberUpToEndOrLineBreak)
{
    EXPECT_EQ(FieldConversion::strictInt("12"), 12);
    EXPECT_EQ(FieldConversion::strictInt("\n12"), 12); // records separated by line breaks
    EXPECT_EQ(FieldConversion::strictInt(" \t-7"), -7);
    EXPECT_EQ(FieldConversion::strictInt("+3"), 3);
    EXPECT_EQ(FieldConversion::strictInt("12\n"), 12);
    EXPECT_EQ(FieldConversion::strictInt("12\r"), 12);
    // The conversion stops at the line break; what follows does not matter.
    EXPECT_EQ(FieldConversion::strictInt("12\nxyz"), 12);

    EXPECT_FALSE(FieldConversion::strictInt("12 "));
    EXPECT_FALSE(FieldConversion::strictInt("12a"));
    EXPECT_FALSE(FieldConversion::strictInt("1.5"));
    EXPECT_FALSE(FieldConversion::strictInt(""));
    EXPECT_FALSE(FieldConversion::strictInt("\n"));
    EXPECT_FALSE(FieldConversion::strictInt("-"));
    EXPECT_FALSE(FieldConversion::strictInt("x2"));
}

TEST(FieldConversion, IntegersBeyondThirtyTwoBitsSaturate)
{
    EXPECT_EQ(FieldConversion::strictInt("2147483647"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(FieldConversion::strictInt("99999999999999999999"),
              std::numeric_limits<int32_t>::max());
    EXPECT_EQ(FieldConversion::strictInt("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(FieldConversion::strictInt("-99999999999999999999"),
              std::numeric_limits<int32_t>::min());
    EXPECT_EQ(FieldConversion::lenientInt("4294967297x"), std::numeric_limits<int32_t>::max());
}

TEST(FieldConversion, StrictDecimalNumbers)
{
    EXPECT_EQ(FieldConversion::strictDouble("0.5"), 0.5);
    EXPECT_EQ(FieldConversion::strictDouble("\n-1.25e2"), -125.0);
    EXPECT_EQ(FieldConversion::strictDouble(".25"), 0.25);
    EXPECT_EQ(FieldConversion::strictDouble("5."), 5.0);
    EXPECT_EQ(FieldConversion::strictDouble("1E+3\n"), 1000.0);
    EXPECT_EQ(FieldConversion::strictDouble("1e-999"), 0.0); // underflow is zero, not an error

    EXPECT_FALSE(FieldConversion::strictDouble("0.5 "));
    EXPECT_FALSE(FieldConversion::strictDouble("0,5")); // never the user's decimal comma
    EXPECT_FALSE(FieldConversion::strictDouble("1e"));  // "1" converts, stops at 'e'
    EXPECT_FALSE(FieldConversion::strictDouble("1e+"));
    EXPECT_FALSE(FieldConversion::strictDouble("."));
    EXPECT_FALSE(FieldConversion::strictDouble(""));
    // Only decimal notation: no infinities, NaNs or hexadecimal.
    EXPECT_FALSE(FieldConversion::strictDouble("inf"));
    EXPECT_FALSE(FieldConversion::strictDouble("nan"));
    EXPECT_FALSE(FieldConversion::strictDouble("0x10"));
    // Too large for a double: rejected rather than infinite.
    EXPECT_FALSE(FieldConversion::strictDouble("1e999"));
}

TEST(FieldConversion, LenientTakesTheLeadingNumberAndDefaultsToZero)
{
    EXPECT_EQ(FieldConversion::lenientInt("  12abc"), 12);
    EXPECT_EQ(FieldConversion::lenientInt("\n-2"), -2);
    EXPECT_EQ(FieldConversion::lenientInt("2.9"), 2);
    EXPECT_EQ(FieldConversion::lenientInt("abc"), 0);
    EXPECT_EQ(FieldConversion::lenientInt(""), 0);
    EXPECT_EQ(FieldConversion::lenientDouble("3.5e2xyz"), 350.0);
    EXPECT_EQ(FieldConversion::lenientDouble("1e"), 1.0);
    EXPECT_EQ(FieldConversion::lenientDouble(" 0.001 "), 0.001);
    EXPECT_EQ(FieldConversion::lenientDouble("junk"), 0.0);
    EXPECT_EQ(FieldConversion::lenientDouble("1e999"), 0.0);
}

TEST(FieldConversion, NumbersIgnoreTheUsersLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FieldConversion::strictDouble("1.5"), 1.5);
    EXPECT_FALSE(FieldConversion::strictDouble("1,5"));
    EXPECT_EQ(FieldConversion::strictDouble("1.5e-320"), 1.5e-320); // through the slow path
    EXPECT_EQ(FieldConversion::lenientDouble("2.5,7"), 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
    QLocale::setDefault(QLocale::c());
    if (!german)
        GTEST_LOG_(INFO) << "de_DE.UTF-8 is not installed; only the Qt locale was changed";
}

TEST(FieldConversion, OnlyZeroIsALinearFlag)
{
    EXPECT_FALSE(FieldConversion::isLogarithmicFlag("0"));
    EXPECT_TRUE(FieldConversion::isLogarithmicFlag("1"));
    EXPECT_TRUE(FieldConversion::isLogarithmicFlag("00"));
    EXPECT_TRUE(FieldConversion::isLogarithmicFlag(""));
    EXPECT_TRUE(FieldConversion::isLogarithmicFlag(" 0"));
    EXPECT_TRUE(FieldConversion::isLogarithmicFlag("\n0"));
}

TEST(FieldConversion, TextIsKeptExactlyInEitherEncoding)
{
    constexpr TextEncoding utf8 = TextEncoding::Utf8, cp1250 = TextEncoding::Windows1250;
    EXPECT_EQ(FieldConversion::text("\nNH00 gG 6,3 A ", cp1250), QStringLiteral("\nNH00 gG 6,3 A "));
    EXPECT_EQ(FieldConversion::text("\xc5\xa0ibka", utf8), QStringLiteral("\u0160ibka"));
    EXPECT_EQ(FieldConversion::text("\x8aibka \xe8", cp1250), QStringLiteral("\u0160ibka \u010d"));
    EXPECT_EQ(FieldConversion::text("", utf8), QString());
    EXPECT_EQ(FieldConversion::text("a\0b"sv, utf8).size(), 3);
    // "ÓŁ" in Windows-1250 happens to be well-formed UTF-8 (one Cyrillic
    // letter): the file decides, not the field.
    EXPECT_EQ(FieldConversion::text("WSP\xd3\xa3", cp1250), QStringLiteral("WSP\u00d3\u0141"));
    EXPECT_EQ(FieldConversion::encodingOf("WSP\xd3\xa3@Wk\xb3" "adka@"), cp1250);
    EXPECT_EQ(FieldConversion::encodingOf("WSP\xc3\x93\xc5\x81@"), utf8);
    // A UTF-8 file cannot hold malformed bytes, so they name nothing there.
    EXPECT_EQ(FieldConversion::textIn("Wk\xb3" "adka", utf8), std::nullopt);
    EXPECT_EQ(FieldConversion::textIn("Wk\xb3" "adka", cp1250), QStringLiteral("Wk\u0142adka"));
}

TEST(FieldConversion, DecimalsRoundLikeTheCLibrary)
{
    // Short decimals take a fast path; it must give the very same doubles.
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + int(random() % 19);
        std::string text;
        for (int d = 0; d < digits; ++d)
            text.push_back(char('0' + random() % 10));
        const int dot = int(random() % (digits + 1));
        text.insert(size_t(dot), ".");
        if (random() % 3 == 0)
            text += "e" + std::to_string(int(random() % 61) - 30);
        const double expected = std::strtod(text.c_str(), nullptr);
        const std::optional<double> got = FieldConversion::strictDouble(text);
        ASSERT_TRUE(got.has_value()) << text;
        ASSERT_EQ(*got, expected) << text;
    }
}

TEST(FieldConversion, InlineReadersAgreeWithTheGeneralOnes)
{
    const char* const samples[] = {"0",
                                   "-0",
                                   "\n7",
                                   "\n-7",
                                   "123456789",
                                   "1234567890",
                                   "2147483648",
                                   "-",
                                   "\n",
                                   "",
                                   "\n\n5",
                                   " 5",
                                   "5 ",
                                   "5\r",
                                   "5\nx",
                                   "0.1875",
                                   "\n0.5",
                                   "-.5",
                                   ".",
                                   "5.",
                                   "1.2.3",
                                   "1e5",
                                   "1.5E-3\n",
                                   "0.1234567890123456789",
                                   "12345678901234567",
                                   "-\n1",
                                   "9007199254740993",
                                   "0.000000000000001",
                                   "+1",
                                   "1,5",
                                   "0x1"};
    for (const char* sample : samples) {
        EXPECT_EQ(FieldConversion::strictInt(sample), FieldConversion::strictIntGeneral(sample))
            << sample;
        EXPECT_EQ(FieldConversion::strictDouble(sample),
                  FieldConversion::strictDoubleGeneral(sample))
            << sample;
    }
    std::mt19937 random(11);
    // With the neighbours of the digits and bytes above 0x7f, which must
    // never pass for digits.
    const char alphabet[] = "0123456789.-\n e/:\x80\xff@";
    for (int i = 0; i < 50000; ++i) {
        std::string text;
        const int length = int(random() % 20);
        for (int c = 0; c < length; ++c)
            text.push_back(alphabet[random() % (sizeof alphabet - 1)]);
        ASSERT_EQ(FieldConversion::strictInt(text), FieldConversion::strictIntGeneral(text))
            << text;
        ASSERT_EQ(FieldConversion::strictDouble(text), FieldConversion::strictDoubleGeneral(text))
            << text;
    }
}
