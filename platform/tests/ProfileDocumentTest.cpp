#include "ProfileDocument.h"
#include "Windows1250.h"

#include "QtPrinters.h"
#include <gtest/gtest.h>

TEST(ProfileDocument, UnchangedFilesAreReproducedExactly)
{
    const QByteArray inputs[] = {
        QByteArray(),
        QByteArray("\xEF\xBB\xBF"),
        QByteArray("\r\n\r\n"),
        QByteArray("[S]\rA=1\r"),            // lone CRs are no line ends
        QByteArray("[S]\r\nA=1\n\nB=2\r\n"), // mixed line ends
        QByteArray("[S\r\nA\r\n=\r\n;\r\n[]\r\n"),
        QByteArray("[S]\r\nA=\x8A\x9A\xFF\x81"), // Windows-1250, undefined byte included
        QByteArray("\0[S]\0\r\nA=\0", 11),
    };
    for (const QByteArray& in : inputs)
        EXPECT_EQ(ProfileDocument(in).toBytes(), in);
}

TEST(ProfileDocument, LoneCarriageReturnAndOddHeaders)
{
    ProfileDocument doc(QByteArray("[ S \r\nA = 1 \r\n[]\r\nB=2\r\n"));
    // An unclosed header still names its section; an empty name is a name.
    EXPECT_EQ(doc.sectionNames(), QStringList({QStringLiteral("S"), QString()}));
    EXPECT_EQ(doc.value(QStringLiteral("s"), QStringLiteral("a")), QStringLiteral("1"));
    EXPECT_EQ(doc.value(QString(), QStringLiteral("B")), QStringLiteral("2"));
}

TEST(ProfileDocument, Windows1250TextNeverReadsBackAsOtherCharacters)
{
    // B's bytes C4 8D are "ÄŤ" in Windows-1250 but "č" in UTF-8. Once A's
    // byte, the only one that is not UTF-8, is gone, the file must not
    // turn into a UTF-8 file that says "č".
    ProfileDocument doc(QByteArray("[S]\r\nA=\xE8\r\nB=\xC4\x8D\r\n"));
    EXPECT_FALSE(doc.isUtf8());
    ASSERT_EQ(doc.value(QStringLiteral("S"), QStringLiteral("B")), QString::fromUtf8("ÄŤ"));
    ASSERT_TRUE(doc.setValue(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("x")));
    const ProfileDocument reread(doc.toBytes());
    EXPECT_EQ(reread.value(QStringLiteral("S"), QStringLiteral("A")), QStringLiteral("x"));
    EXPECT_EQ(reread.value(QStringLiteral("S"), QStringLiteral("B")), QString::fromUtf8("ÄŤ"));
}

TEST(ProfileDocument, EncodedValuesSurviveParsing)
{
    for (const QString& v : {QStringLiteral(" a"), QStringLiteral("\"a\""), QStringLiteral("'a'"),
                             QStringLiteral("\"a'"), QStringLiteral("\t"), QString()}) {
        ProfileDocument doc;
        ASSERT_TRUE(doc.setValue(QStringLiteral("S"), QStringLiteral("K"), v));
        EXPECT_EQ(ProfileDocument(doc.toBytes()).value(QStringLiteral("S"), QStringLiteral("K")),
                  v);
    }
    EXPECT_EQ(ProfileDocument::encodeValue(QStringLiteral("\"a'")), QStringLiteral("\"a'"));
}

TEST(ProfileDocument, NamesTheChecksAcceptReadBack)
{
    // A key that starts with U+FEFF once lost it on reading (the line was
    // decoded as if it began a file with a byte order mark).
    const QString bom(QChar(0xFEFF));
    const std::pair<QString, QString> cases[] = {
        {QString(QChar(0xFFFD)), QStringLiteral("\n") + bom + QChar(0xFFFD) + QStringLiteral("]")},
        {QStringLiteral("S"), bom + QStringLiteral("K")},
        {bom + QStringLiteral("S"), QStringLiteral("K") + bom},
    };
    for (const auto& [section, key] : cases) {
        ASSERT_TRUE(ProfileDocument::checkSection(section).isEmpty());
        ASSERT_TRUE(ProfileDocument::checkKey(key).isEmpty());
        for (const QByteArray& file : {QByteArray(), QByteArray("\xEF\xBB\xBF[S]\r\nA=1\r\n")}) {
            ProfileDocument doc(file);
            ASSERT_TRUE(doc.setValue(section, key, QStringLiteral("v")));
            EXPECT_EQ(ProfileDocument(doc.toBytes()).value(section, key), QStringLiteral("v"));
        }
    }
}

TEST(Windows1250, TableMatchesTheCodePage)
{
    EXPECT_EQ(Windows1250::decode(QByteArray("\x80\x8A\x8E\x9A\x9E\xA3\xB3\xC8\xE8\xD0\xF0\xFF")),
              QString::fromUtf8("€ŠŽšžŁłČčĐđ˙"));
    EXPECT_EQ(Windows1250::encode(QString::fromUtf8("ČčŠšŽžĆćĐđ")),
              QByteArray("\xC8\xE8\x8A\x9A\x8E\x9E\xC6\xE6\xD0\xF0"));
    // Every byte decodes and encodes back to itself.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Windows1250::encode(Windows1250::decode(all)), all);
    EXPECT_FALSE(Windows1250::canEncode(QString::fromUtf8("東")));
    EXPECT_EQ(Windows1250::encode(QString::fromUtf8("a東b")), QByteArray("a?b"));
    // One '?' per character, also beyond the 16-bit range; a real SUB stays.
    EXPECT_EQ(Windows1250::encode(QString::fromUtf8("č𝄞\x1A")), QByteArray("\xE8?\x1A"));
}

TEST(Windows1250, Utf8Validation)
{
    EXPECT_TRUE(Windows1250::isValidUtf8(QByteArray("plain")));
    EXPECT_TRUE(Windows1250::isValidUtf8(QString::fromUtf8("čćž€𝄞").toUtf8()));
    EXPECT_FALSE(Windows1250::isValidUtf8(QByteArray("\xE8")));             // lone lead byte
    EXPECT_FALSE(Windows1250::isValidUtf8(QByteArray("\xC0\xAF")));         // overlong
    EXPECT_FALSE(Windows1250::isValidUtf8(QByteArray("\xED\xA0\x80")));     // surrogate
    EXPECT_FALSE(Windows1250::isValidUtf8(QByteArray("\xF4\x90\x80\x80"))); // above U+10FFFF
    EXPECT_FALSE(Windows1250::isValidUtf8(QByteArray("\x8A")));             // stray continuation
}
