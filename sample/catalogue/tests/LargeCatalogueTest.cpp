#include "LargeCatalogue.h"
#include "CsvTable.h"
#include "SampleCatalogue.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(LargeCatalogue, HasTheShapeOfTheSampleAndReadsBack)
{
    QTemporaryDir dir;
    const auto counts = LargeCatalogue::writeCsv(1234, dir.path());
    EXPECT_EQ(counts.products, 1234);
    EXPECT_EQ(counts.attributeRows - 1234 * 16, counts.treeRows - 1234 - 3); // one name per group
    EXPECT_GE(counts.textRows, 1234 * 10);

    const SampleCatalogue cat = SampleCatalogue::load(dir.path());
    const QVector<int> products = cat.allProducts();
    ASSERT_EQ(products.size(), 1234);
    QSet<QString> codes;
    for (int node : products) {
        const QString code = cat.code(node);
        EXPECT_EQ(code.size(), 7);
        codes.insert(code);
        EXPECT_LE(cat.name(node, QStringLiteral("SLO")).size(), 40);
        EXPECT_EQ(cat.paragraphs(node, QStringLiteral("ANG")).size(), 9);
        EXPECT_GT(cat.placementPage(node, 10), 0);
    }
    EXPECT_EQ(codes.size(), 1234);
    EXPECT_EQ(cat.segments().size(), 3);
    EXPECT_THROW(LargeCatalogue::writeCsv(0, dir.path()), std::runtime_error);
}

TEST(LargeCatalogue, DefaultSizeGivesTheBenchmarkFigures)
{
    QTemporaryDir dir;
    const auto counts = LargeCatalogue::writeCsv(20000, dir.path());
    EXPECT_NEAR(counts.attributeRows, 300000, 30000);
    EXPECT_NEAR(counts.textRows, 200000, 20000);
}
