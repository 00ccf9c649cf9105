#include "CatalogueBuilder.h"
#include "CertGridModel.h"
#include "TDBX.h"

#include <gtest/gtest.h>

namespace {

class CertCatalogue : public ::testing::Test
{
protected:
    void SetUp() override
    {
        b.certificate("1110630", "CB test certificate", "CB-1/2021", "R-1", "CB_A");
        b.certificate("2000000", "Other", "X-9", "R-9", "CB_X");
        b.certificate("1110630", "ENEC", "ENEC-2", "R-2", "CB_B");
        b.certificate("1110630", "VDE", "VDE-3", "R-3", "CB_C");
        dbx = b.open();
    }
    CatalogueBuilder b;
    std::unique_ptr<TDBX> dbx;
};

TEST_F(CertCatalogue, ThreeColumnsOfTheFocusedProduct)
{
    CertGridModel model(dbx->Cert);
    EXPECT_EQ(model.rowCount(), 0); // closed
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Certificate"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Certificate No."));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Report No."));

    dbx->setCertCode("1110630");
    ASSERT_TRUE(dbx->openCert());
    model.refresh();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("CB test certificate"));
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QStringLiteral("ENEC-2"));
    EXPECT_EQ(model.data(model.index(2, 2)).toString(), QStringLiteral("R-3"));
    EXPECT_EQ(model.files(2), QStringLiteral("CB_C"));
    EXPECT_TRUE(model.files(3).isEmpty());
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(CertCatalogue, ReadingTheRowsKeepsTheCurrentRow)
{
    dbx->setCertCode("1110630");
    ASSERT_TRUE(dbx->openCert());
    dbx->Cert.setRecNo(2);
    CertGridModel model(dbx->Cert);
    model.refresh();
    EXPECT_EQ(dbx->Cert.recNo(), 2);
}

TEST_F(CertCatalogue, GroupFilterAndClosingEmptyTheGrid)
{
    CertGridModel model(dbx->Cert);
    dbx->setCertCode("1110630");
    ASSERT_TRUE(dbx->openCert());
    model.refresh();
    EXPECT_EQ(model.rowCount(), 3);
    dbx->setCertCode("");
    model.refresh();
    EXPECT_EQ(model.rowCount(), 0);
    dbx->setCertCode("2000000");
    model.refresh();
    EXPECT_EQ(model.rowCount(), 1);
    dbx->closeCert();
    model.refresh();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
