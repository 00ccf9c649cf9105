#include "KavrelConfig.h"
#include "SmallCatalogue.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(Configuration, ValuesAndDefaults)
{
    SmallCatalogue cat;
    EXPECT_EQ(KavrelConfig::path(), cat.configPath());
    const KavrelConfig::StartValues v = KavrelConfig::readStart();
    EXPECT_TRUE(v.valid());
    EXPECT_EQ(v.language, QStringLiteral("ANG"));
    EXPECT_EQ(v.dataDir, cat.dataDir());
    EXPECT_EQ(v.databaseDir, cat.dbDir());
    EXPECT_EQ(v.wwwDir, QStringLiteral("www"));
    EXPECT_EQ(v.priceDir, QString());
    EXPECT_EQ(v.priceFile, QStringLiteral("cenik.xls"));

    // Absent keys take their defaults; DIRDB is not checked.
    {
        QFile f(cat.configPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[KAVREL]\r\nJEZIK=SLO\r\nDIR=" + cat.dataDir().toUtf8() + "\r\n");
    }
    const KavrelConfig::StartValues d = KavrelConfig::readStart();
    EXPECT_TRUE(d.valid());
    EXPECT_EQ(d.databaseDir, QStringLiteral("NAPAKA"));
    EXPECT_EQ(d.priceFile, QStringLiteral("NAPAKA"));

    // Options are "T" or "F"; numbers whole decimals.
    EXPECT_TRUE(
        KavrelConfig::writeBool(QStringLiteral("SetAcadAtt"), QStringLiteral("CBItem"), false));
    EXPECT_FALSE(
        KavrelConfig::readBool(QStringLiteral("SetAcadAtt"), QStringLiteral("CBItem"), true));
    EXPECT_TRUE(
        KavrelConfig::readBool(QStringLiteral("SetAcadAtt"), QStringLiteral("CBItemNo"), true));
    KavrelConfig::writeString(QStringLiteral("SetAcadAtt"), QStringLiteral("CBItem"),
                              QStringLiteral("t"));
    EXPECT_FALSE(
        KavrelConfig::readBool(QStringLiteral("SetAcadAtt"), QStringLiteral("CBItem"), true));
    KavrelConfig::writeInt(QStringLiteral("OknoPDF"), QStringLiteral("Left"), -12);
    EXPECT_EQ(KavrelConfig::readInt(QStringLiteral("OknoPDF"), QStringLiteral("Left"), 5), -12);
    KavrelConfig::writeString(QStringLiteral("OknoPDF"), QStringLiteral("Top"),
                              QStringLiteral("12a"));
    EXPECT_EQ(KavrelConfig::readInt(QStringLiteral("OknoPDF"), QStringLiteral("Top"), 7), 7);
    EXPECT_EQ(
        KavrelConfig::readInt(QStringLiteral("OknoKosovnica"), QStringLiteral("PanelHeight"), 110),
        110);
}
