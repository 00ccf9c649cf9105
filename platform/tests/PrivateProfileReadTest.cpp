#include "PrivateProfile.h"
#include "ProfileTestSupport.h"

#include "QtPrinters.h"
#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(FIXTURE_DIR "/profile/") + QLatin1String(name);
}

QString get(const char* section, const char* key, const char* file,
            const QString& def = QStringLiteral("NAPAKA"))
{
    return PrivateProfile::getString(QLatin1String(section), QLatin1String(key), def,
                                     fixture(file));
}

int getInt(const char* key, int def = -99)
{
    return PrivateProfile::getInt(QStringLiteral("N"), QLatin1String(key), def,
                                  fixture("ints.ini"));
}

} // namespace

TEST(PrivateProfileRead, SectionAndKeyNamesIgnoreCase)
{
    EXPECT_EQ(get("KAVREL", "JEZIK", "crlf.ini"), QStringLiteral("SLO"));
    EXPECT_EQ(get("kavrel", "jezik", "crlf.ini"), QStringLiteral("SLO"));
    EXPECT_EQ(get("KaVrEl", "Dir", "crlf.ini"), QStringLiteral("C:\\KAVREL\\DATA"));
    EXPECT_EQ(get("other", "a", "crlf.ini"), QStringLiteral("1"));
    // A key of another section is not found.
    EXPECT_EQ(get("Other", "JEZIK", "crlf.ini"), QStringLiteral("NAPAKA"));
    EXPECT_EQ(get("Missing", "JEZIK", "crlf.ini"), QStringLiteral("NAPAKA"));
}

TEST(PrivateProfileRead, BlanksAroundNamesAndValuesAreTrimmed)
{
    EXPECT_EQ(get("KAVREL", "JEZIK", "blanks-quotes.ini"), QStringLiteral("ANG"));
    EXPECT_EQ(get(" KAVREL ", " JEZIK ", "blanks-quotes.ini"), QStringLiteral("ANG"));
    EXPECT_EQ(get("KAVREL", "TAB", "blanks-quotes.ini"), QStringLiteral("x"));
}

TEST(PrivateProfileRead, OnePairOfSurroundingQuotesIsRemoved)
{
    EXPECT_EQ(get("KAVREL", "Q1", "blanks-quotes.ini"), QStringLiteral("  padded  "));
    EXPECT_EQ(get("KAVREL", "Q2", "blanks-quotes.ini"), QStringLiteral("single"));
    EXPECT_EQ(get("KAVREL", "Q3", "blanks-quotes.ini"), QStringLiteral("\"unbalanced"));
    EXPECT_EQ(get("KAVREL", "Q4", "blanks-quotes.ini"), QString());
    EXPECT_EQ(get("KAVREL", "Q5", "blanks-quotes.ini"), QStringLiteral("a\" b \"c"));
    EXPECT_EQ(get("KAVREL", "Q6", "blanks-quotes.ini"), QStringLiteral("\"twice\""));
    // The section lines show the values as they stand in the file.
    EXPECT_TRUE(PrivateProfile::getSection(QStringLiteral("KAVREL"), fixture("blanks-quotes.ini"))
                    .contains(QStringLiteral("Q2='single'")));
}

TEST(PrivateProfileRead, FirstOfDuplicateKeysAndSectionsWins)
{
    EXPECT_EQ(get("S", "K", "duplicates.ini"), QStringLiteral("first"));
    // Only the first section of a name is read.
    EXPECT_EQ(get("S", "Only", "duplicates.ini"), QStringLiteral("NAPAKA"));
    EXPECT_EQ(PrivateProfile::getSection(QStringLiteral("s"), fixture("duplicates.ini")),
              QStringList({QStringLiteral("K=first"), QStringLiteral("k=second")}));
    EXPECT_EQ(PrivateProfile::getSectionNames(fixture("duplicates.ini")),
              QStringList({QStringLiteral("S"), QStringLiteral("s")}));
}

TEST(PrivateProfileRead, FileThatIsNotUtf8IsReadAsWindows1250)
{
    EXPECT_EQ(get("Customer", "N1E1", "cp1250.ini"), QString::fromUtf8("Šolska ulica čćžđ ŠČŽ"));
    EXPECT_EQ(get("Customer", "N2E1", "cp1250.ini"), QStringLiteral("Ljubljana"));
}

TEST(PrivateProfileRead, Utf8WithByteOrderMark)
{
    EXPECT_EQ(PrivateProfile::getSectionNames(fixture("utf8-bom.ini")),
              QStringList({QStringLiteral("S")}));
    EXPECT_EQ(get("S", "Name", "utf8-bom.ini"), QString::fromUtf8("Čevlji €"));
}

TEST(PrivateProfileRead, MissingFileReadsAsEmpty)
{
    const char* missing = "does-not-exist.ini";
    EXPECT_EQ(get("KAVREL", "INI", missing), QStringLiteral("NAPAKA"));
    EXPECT_EQ(
        PrivateProfile::getInt(QStringLiteral("S"), QStringLiteral("K"), 110, fixture(missing)),
        110);
    EXPECT_TRUE(PrivateProfile::getSection(QStringLiteral("S"), fixture(missing)).isEmpty());
    EXPECT_TRUE(PrivateProfile::getSectionNames(fixture(missing)).isEmpty());
}

TEST(PrivateProfileRead, IntegerForms)
{
    EXPECT_EQ(getInt("A"), 12); // "12abc": the leading digits
    EXPECT_EQ(getInt("B"), -5);
    EXPECT_EQ(getInt("C"), -99); // empty value: the default
    EXPECT_EQ(getInt("D"), 0);   // no digits
    EXPECT_EQ(getInt("E"), 7);
    EXPECT_EQ(getInt("F"), 2147483647);
    EXPECT_EQ(getInt("G"), -2147483647 - 1);
    EXPECT_EQ(getInt("H"), 42);
    EXPECT_EQ(getInt("I"), 17); // quotes are removed first
    EXPECT_EQ(getInt("J"), 3);
    EXPECT_EQ(getInt("K"), 0); // the sign must touch the digits
    EXPECT_EQ(getInt("missing"), -99);
}

TEST(PrivateProfileRead, SectionLinesSkipCommentsAndBlankLines)
{
    const QString file = fixture("comments.ini");
    EXPECT_EQ(PrivateProfile::getSection(QStringLiteral("S"), file),
              QStringList({QStringLiteral("K=v"), QStringLiteral("looseline")}));
    EXPECT_EQ(PrivateProfile::getSectionNames(file),
              QStringList({QStringLiteral("S"), QStringLiteral("T")}));
    // A line without '=' is no key, and lines before the first section
    // belong to none.
    EXPECT_EQ(get("S", "looseline", "comments.ini"), QStringLiteral("NAPAKA"));
    EXPECT_EQ(get("", "orphan", "comments.ini"), QStringLiteral("NAPAKA"));
    EXPECT_EQ(get("S", "; note", "comments.ini"), QStringLiteral("NAPAKA"));
}

TEST(PrivateProfileRead, LineEndsOfEveryKindAndNoFinalLineEnd)
{
    EXPECT_EQ(get("S", "A", "lf.ini"), QStringLiteral("1"));
    EXPECT_EQ(get("S", "A", "no-final-newline.ini"), QStringLiteral("1"));
}

TEST(PrivateProfileRead, LeadingIntegerParsing)
{
    EXPECT_EQ(PrivateProfile::parseLeadingInt(QString()), std::nullopt);
    EXPECT_EQ(PrivateProfile::parseLeadingInt(QStringLiteral("   ")), std::nullopt);
    EXPECT_EQ(PrivateProfile::parseLeadingInt(QStringLiteral("-")), 0);
    EXPECT_EQ(PrivateProfile::parseLeadingInt(QStringLiteral("007")), 7);
    EXPECT_EQ(PrivateProfile::parseLeadingInt(QStringLiteral("-2147483648")), -2147483647 - 1);
    EXPECT_EQ(PrivateProfile::parseLeadingInt(QStringLiteral("2147483648")), 2147483647);
}
