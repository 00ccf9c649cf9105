#include "CatalogueBuilder.h"
#include "PictureScale.h"
#include "PictureSelector.h"
#include "TDBX.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

TEST(PictureScaleRules, LevelZeroFillsOtherLevelsFit)
{
    const QSize view(400, 300);
    const QSize wide(800, 200); // 4:1 in a 4:3 view
    EXPECT_DOUBLE_EQ(PictureScale::forLevel(0, wide, view), 300.0 / 200.0);
    for (int level = 1; level <= 3; ++level)
        EXPECT_DOUBLE_EQ(PictureScale::forLevel(level, wide, view), 400.0 / 800.0);
    const QSize tall(100, 400);
    EXPECT_DOUBLE_EQ(PictureScale::forLevel(0, tall, view), 400.0 / 100.0);
    EXPECT_DOUBLE_EQ(PictureScale::forLevel(3, tall, view), 300.0 / 400.0);
    // The same aspect as the view (r = 1) fits either way.
    EXPECT_DOUBLE_EQ(PictureScale::forLevel(0, QSize(800, 600), view), 0.5);
    EXPECT_DOUBLE_EQ(PictureScale::forLevel(2, QSize(800, 600), view), 0.5);
}

TEST(PictureScaleRules, EmptyPictureOrViewKeepsScaleOne)
{
    EXPECT_DOUBLE_EQ(PictureScale::forLevel(0, QSize(0, 0), QSize(400, 300)), 1.0);
    EXPECT_DOUBLE_EQ(PictureScale::forLevel(3, QSize(100, 100), QSize(0, 300)), 1.0);
    EXPECT_DOUBLE_EQ(PictureScale::forLevel(3, QSize(100, 100), QSize(300, 0)), 1.0);
}

// Picture rows: node 10 has picture 1 ("NHSYSTEM"), node 11 none, node 12
// a picture number without a picture row, node 13 the same picture as 10.
class PictureRows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        b.attribute(5, "0", 1, 2); // the attribute table's first row
        b.attribute(10, "0", 1, 1);
        b.attribute(10, "A", 0, 1);
        b.attribute(11, "A", 0, 1);
        b.attribute(12, "0", 1, 999);
        b.attribute(13, "0", 1, 1);
        b.attribute(14, "0", 1, 3);
        b.picture(1, "NHSYSTEM");
        b.picture(2, "FIRST");
        b.picture(3, "");
        dbx = b.open();
    }
    CatalogueBuilder b;
    std::unique_ptr<TDBX> dbx;
};

TEST_F(PictureRows, PictureOfTheNodeAndTheSamePictureIsNotReloaded)
{
    PictureSelector pictures(*dbx, "P");
    ASSERT_TRUE(pictures.moveToNode(10));
    EXPECT_EQ(pictures.pictureChange(), std::optional<QString>("P\\NHSYSTEM.jpg"));
    EXPECT_EQ(pictures.lastShown(), 1);
    ASSERT_TRUE(pictures.moveToNode(13)); // another row, same picture
    EXPECT_EQ(pictures.pictureChange(), std::nullopt);
}

TEST_F(PictureRows, NodeWithoutPictureRowFallsBackToTheFirstRow)
{
    PictureSelector pictures(*dbx, "P");
    ASSERT_TRUE(pictures.moveToNode(10));
    pictures.pictureChange();
    ASSERT_TRUE(pictures.moveToNode(11));
    EXPECT_EQ(dbx->K2T3.recNo(), 1);
    EXPECT_EQ(pictures.pictureChange(), std::optional<QString>("P\\FIRST.jpg"));
    // Already on the first row: the row does not change, nothing runs.
    EXPECT_FALSE(pictures.moveToNode(11));
}

TEST_F(PictureRows, FirstFocusShowsThePictureOfTheRowTheViewStartsOn)
{
    PictureSelector pictures(*dbx, "P");
    ASSERT_EQ(dbx->K2T3.recNo(), 1);
    EXPECT_TRUE(pictures.moveToNode(5)); // the node of the first row
    EXPECT_EQ(pictures.pictureChange(), std::optional<QString>("P\\FIRST.jpg"));
    EXPECT_FALSE(pictures.moveToNode(5));
}

TEST_F(PictureRows, MissingPictureRowGivesBlankUnlessZeroWasShownLast)
{
    PictureSelector pictures(*dbx, "P");
    ASSERT_TRUE(pictures.moveToNode(12));
    // Number 0 is where the program starts: nothing to do.
    EXPECT_EQ(pictures.pictureChange(), std::nullopt);
    pictures.moveToNode(10);
    pictures.pictureChange();
    pictures.moveToNode(12);
    EXPECT_EQ(pictures.pictureChange(), std::optional<QString>("P\\blank.jpg"));
    EXPECT_EQ(pictures.lastShown(), 0);
}

TEST_F(PictureRows, EmptyPictureNameShowsBlank)
{
    PictureSelector pictures(*dbx, "P");
    pictures.moveToNode(14);
    EXPECT_EQ(pictures.pictureChange(), std::optional<QString>("P\\blank.jpg"));
    EXPECT_EQ(pictures.lastShown(), 3);
}

} // namespace
