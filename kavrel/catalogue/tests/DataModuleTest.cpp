#include "SmallCatalogue.h"
#include "TDBX.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Positions the tree views on segment 0, group 10, 100, 1000.
void openToProducts(TDBX& dbx)
{
    dbx.setSegment(0);
    ASSERT_TRUE(dbx.K1T1.findKey({2, QStringLiteral("A"), 1}));
    ASSERT_EQ(dbx.K1T1.asInt(QStringLiteral("LINK2")), 10);
    dbx.K1T2.first();
    dbx.K1T3.first();
    ASSERT_EQ(dbx.K1T3.asInt(QStringLiteral("LINK2")), 1000);
}

} // namespace

TEST(DataModule, OpensEveryViewAndFollowsTheSegment)
{
    SmallCatalogue cat;
    TDBX dbx;
    QString error;
    ASSERT_TRUE(dbx.open(cat.dbDir(), &error)) << error.toStdString();
    for (TableView* v : {&dbx.K1T0, &dbx.K1T1, &dbx.K1T2, &dbx.K1T3, &dbx.K1T4, &dbx.K2T1,
                         &dbx.K2T3, &dbx.K3T1, &dbx.K3T2, &dbx.K4T1})
        EXPECT_TRUE(v->isActive()) << v->name().toStdString();
    EXPECT_FALSE(dbx.isCertOpen());
    EXPECT_FALSE(dbx.isSearchOpen());

    // Before the first segment change all three segment rows pass.
    EXPECT_EQ(dbx.K1T0.filter(), QStringLiteral("LINK1=0"));
    EXPECT_EQ(dbx.K1T0.recordCount(), 3);

    dbx.setSegment(0);
    EXPECT_EQ(dbx.K1T0.recordCount(), 1);
    EXPECT_EQ(dbx.K1T1.recordCount(), 2);
    // Ordered by SORT: group 10 (SORT 1) before 11 (SORT 2).
    dbx.K1T1.first();
    EXPECT_EQ(dbx.K1T1.asInt(QStringLiteral("LINK2")), 10);
    EXPECT_EQ(dbx.K1T2.recordCount(), 2);

    dbx.setSegment(1); // "Energy" without rows below it
    EXPECT_EQ(dbx.K1T0.filter(), QStringLiteral("(LINK1=0) AND (LINK2=3)"));
    EXPECT_EQ(dbx.K1T1.recordCount(), 0);
    EXPECT_EQ(dbx.K1T2.recordCount(), 0);

    dbx.setSegment(2);
    EXPECT_EQ(dbx.K1T1.recordCount(), 1);
    EXPECT_EQ(dbx.K1T1.asInt(QStringLiteral("LINK2")), 12);
}

TEST(DataModule, NameFieldsOfProducts)
{
    SmallCatalogue cat;
    TDBX dbx;
    ASSERT_TRUE(dbx.open(cat.dbDir()));
    openToProducts(dbx);
    // The other branch code's row (LOOK "B") is not a child.
    ASSERT_EQ(dbx.K1T4.recordCount(), 3);

    dbx.K1T4.setRecNo(1);
    // Lowest LINK3 of the name rows, lowest SORT of the text rows.
    EXPECT_EQ(dbx.K1T4.asString(QStringLiteral("NAZIV")), QStringLiteral("NH00 gG 10 A"));
    EXPECT_EQ(dbx.K1T4.asString(QStringLiteral("KODA")), QStringLiteral("1110100"));
    EXPECT_EQ(dbx.K1T4.asFloat(QStringLiteral("CENA")), 0.0);

    dbx.K1T4.setRecNo(2); // 10001 has no name row
    EXPECT_EQ(dbx.K1T4.asString(QStringLiteral("NAZIV")), QStringLiteral("Ne dela"));
    EXPECT_EQ(dbx.K1T4.asString(QStringLiteral("KODA")), QString());

    dbx.K1T2.setRecNo(2); // 101: a group without a name row
    EXPECT_EQ(dbx.K1T2.asString(QStringLiteral("NAZIV")), QStringLiteral("Ne dela"));
    dbx.K1T1.setRecNo(1);
    EXPECT_EQ(dbx.K1T1.asString(QStringLiteral("NAZIV")), QStringLiteral("NH system"));
}

TEST(DataModule, TextLookupByLanguage)
{
    SmallCatalogue cat;
    TDBX dbx;
    ASSERT_TRUE(dbx.open(cat.dbDir()));

    auto name = [&dbx](int node) {
        const auto t = dbx.lookup(node, QStringLiteral("A"), 0);
        return t ? t->text : QStringLiteral("<none>");
    };
    EXPECT_EQ(name(10000), QStringLiteral("NH00 gG 10 A"));
    EXPECT_EQ(dbx.lookup(10000, QStringLiteral("A"), 0)->koda, QStringLiteral("1110100"));
    EXPECT_EQ(name(10001), QStringLiteral("<none>"));         // no attribute row
    EXPECT_FALSE(dbx.lookup(10000, QStringLiteral("A"), 20)); // no such role
    // An attribute row whose text row is missing gives no result either.
    EXPECT_FALSE(dbx.lookup(10000, QStringLiteral("0"), 1));
    EXPECT_EQ(dbx.attributeLink(10000, QStringLiteral("0"), 1), 1);
    EXPECT_EQ(*dbx.text(10000, QStringLiteral("A"), 10), QStringLiteral("12"));

    dbx.setLanguage(QStringLiteral("HRV"));
    EXPECT_EQ(name(10000), QStringLiteral("NH00 gG 10 A uložak"));
    EXPECT_EQ(name(100), QStringLiteral("NH00 veličina"));
    dbx.setLanguage(QStringLiteral("SLO"));
    EXPECT_EQ(name(10), QStringLiteral("NH sistem"));
    dbx.setLanguage(QStringLiteral("NEM"));
    EXPECT_EQ(name(100), QStringLiteral("NH00 Größe"));
    // Polish has captions but no text column: the names are English.
    dbx.setLanguage(QStringLiteral("POL"));
    EXPECT_EQ(dbx.textColumn(), QStringLiteral("ANG"));
    EXPECT_EQ(name(100), QStringLiteral("NH00 size"));

    // The name field reads the language's column too.
    dbx.setLanguage(QStringLiteral("HRV"));
    openToProducts(dbx);
    dbx.K1T4.setRecNo(1);
    EXPECT_EQ(dbx.K1T4.asString(QStringLiteral("NAZIV")), QStringLiteral("NH00 gG 10 A uložak"));
}

TEST(DataModule, LookupsLeaveTheViewsWhereTheyStand)
{
    SmallCatalogue cat;
    TDBX dbx;
    ASSERT_TRUE(dbx.open(cat.dbDir()));
    openToProducts(dbx);
    dbx.K1T4.setRecNo(3);
    dbx.K2T1.setRecNo(2);
    const int attrRow = dbx.K2T1.currentRowId();
    const int textRow = dbx.K3T2.currentRowId();
    for (int node : {10, 100, 10000, 10001, 12})
        dbx.lookup(node, QStringLiteral("A"), 0);
    // Reading the name fields runs the lookup as well.
    dbx.K1T4.asString(QStringLiteral("NAZIV"));
    EXPECT_EQ(dbx.K1T4.recNo(), 3);
    EXPECT_EQ(dbx.K1T4.asInt(QStringLiteral("LINK2")), 10003);
    EXPECT_EQ(dbx.K2T1.currentRowId(), attrRow);
    EXPECT_EQ(dbx.K3T2.currentRowId(), textRow);
}

TEST(DataModule, DetailViewsFollowTheirMasters)
{
    SmallCatalogue cat;
    TDBX dbx;
    ASSERT_TRUE(dbx.open(cat.dbDir()));
    ASSERT_TRUE(dbx.K2T1.findKey({10000, QStringLiteral("A"), 0}));
    EXPECT_EQ(dbx.K2T1.asInt(QStringLiteral("LINK3")), 506);
    EXPECT_EQ(dbx.K3T2.asString(QStringLiteral("ANG")), QStringLiteral("NH00 gG 10 A"));
    ASSERT_TRUE(dbx.K2T3.findKey({10000, QStringLiteral("0"), 1}));
    EXPECT_EQ(dbx.K4T1.asString(QStringLiteral("IME")), QStringLiteral("NH00"));
    ASSERT_TRUE(dbx.K2T3.findKey({10, QStringLiteral("A"), 0}));
    EXPECT_TRUE(dbx.K4T1.isEmpty()); // picture 500 does not exist
}

TEST(DataModule, CertificatesOpenOnRequestWithTheirFilter)
{
    SmallCatalogue cat;
    TDBX dbx;
    ASSERT_TRUE(dbx.open(cat.dbDir()));
    EXPECT_FALSE(dbx.Cert.isActive());
    dbx.setCertCode(QStringLiteral("1110100")); // kept while closed
    QString error;
    ASSERT_TRUE(dbx.openCert(&error)) << error.toStdString();
    EXPECT_EQ(dbx.Cert.recordCount(), 1);
    EXPECT_EQ(dbx.Cert.asString(QStringLiteral("Files")), QStringLiteral("C1"));
    dbx.setCertCode(QString());
    EXPECT_EQ(dbx.Cert.filter(), QStringLiteral("SIFRA=''"));
    EXPECT_EQ(dbx.Cert.recordCount(), 0);
    dbx.closeCert();
    EXPECT_FALSE(dbx.isCertOpen());
    // A code with a quote neither breaks the filter nor matches anything.
    dbx.setCertCode(QStringLiteral("1'2"));
    ASSERT_TRUE(dbx.openCert());
    EXPECT_EQ(dbx.Cert.recordCount(), 0);

    EXPECT_TRUE(dbx.openSearch());
    EXPECT_TRUE(dbx.IsciCDS3.locate({QStringLiteral("KODA")}, {QStringLiteral("1210200")}));
    EXPECT_EQ(dbx.IsciCDS3.asInt(QStringLiteral("LINK3")), 507);
}

TEST(DataModule, TableThatCannotBeOpenedStopsTheOpening)
{
    SmallCatalogue cat;
    ASSERT_TRUE(QFile::remove(cat.dbDir() + QStringLiteral("/T1.CDS")));
    TDBX dbx;
    QString error;
    EXPECT_FALSE(dbx.open(cat.dbDir(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("T1.CDS"))) << error.toStdString();
    // Texts and attributes opened before the tree; pictures after it did not.
    EXPECT_TRUE(dbx.K3T1.isActive());
    EXPECT_TRUE(dbx.K2T1.isActive());
    EXPECT_FALSE(dbx.K1T1.isActive());
    EXPECT_FALSE(dbx.K4T1.isActive());
    // The rest of the program still asks; nothing throws.
    dbx.setSegment(0);
    EXPECT_TRUE(dbx.lookup(10000, QStringLiteral("A"), 0));

    TDBX wrongDir;
    EXPECT_FALSE(wrongDir.open(cat.dir() + QStringLiteral("\\nowhere"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("T3.CDS"))) << error.toStdString();
    EXPECT_FALSE(wrongDir.lookup(10000, QStringLiteral("A"), 0));
}
