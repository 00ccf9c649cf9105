#include "Artifacts.h"
#include "CatalogueBuilder.h"
#include "PictureScale.h"
#include "PictureSelector.h"
#include "TDBX.h"
#include "TImgView.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>

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

QImage checker(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, ((x + y) % 2) ? QColor(200, 0, 0) : QColor(0, 0, 200));
    return image;
}

TEST(PictureView, WhiteBackgroundNearestNeighbourFromTopLeft)
{
    TImgView view;
    view.resize(200, 150);
    view.show();
    view.setPicture(checker(4, 2));
    view.setScale(10.0);
    QImage shot = view.viewport()->grab().toImage();
    Artifacts::save(&view, "kavrel_picture_view_checker");
    // Blocks of 10 × 10 pixels with hard edges, starting at the top-left.
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0, 0, 200));
    EXPECT_EQ(shot.pixelColor(9, 9), QColor(0, 0, 200));
    EXPECT_EQ(shot.pixelColor(10, 0), QColor(200, 0, 0));
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(0, 0, 200));
    EXPECT_EQ(shot.pixelColor(29, 19), QColor(200, 0, 0));
    EXPECT_EQ(shot.pixelColor(39, 19), QColor(0, 0, 200));
    // Outside the picture: white.
    EXPECT_EQ(shot.pixelColor(41, 5), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(5, 21), QColor(Qt::white));
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
}

// At start-up the first focus change comes before the main window is shown,
// when the view has no real size yet: the fit must follow the shown size.
TEST(PictureView, FitAskedWhileHiddenIsMadeWhenShown)
{
    QWidget window;
    auto* view = new TImgView(&window);
    view->setGeometry(0, 0, 40, 30);
    view->setPicture(checker(400, 100)); // wide: level 0 fills the height
    view->fitForLevel(0);
    view->setGeometry(0, 0, 400, 300);
    window.resize(400, 300);
    window.show();
    QCoreApplication::processEvents();
    const int bar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    const double filled = double(view->availableSize().height()) / 100.0;
    const double besideBar = double(view->availableSize().height() - bar) / 100.0;
    EXPECT_TRUE(std::abs(view->scale() - filled) < 1e-9 ||
                std::abs(view->scale() - besideBar) < 1e-9)
        << view->scale();
    // Once shown, a zoom by the user is not undone by later resizes.
    view->scaleUp();
    const double zoomed = view->scale();
    view->setGeometry(0, 0, 300, 200);
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(view->scale(), zoomed);
}

TEST(PictureView, ScrollBarsWhenLargerAndZoomSteps)
{
    TImgView view;
    view.resize(200, 150);
    view.show();
    view.setPicture(checker(100, 50));
    view.setScale(1.0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());

    view.scaleUp();
    EXPECT_DOUBLE_EQ(view.scale(), 1.1);
    view.scaleDown();
    EXPECT_DOUBLE_EQ(view.scale(), 1.1 * 0.9);

    view.setScale(4.0); // 400 × 200 in a 200 × 150 view
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(view.verticalScrollBar()->isVisible());
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
    view.horizontalScrollBar()->setValue(50);
    EXPECT_EQ(view.pictureRect().left(), -50);
}

TEST(PictureView, WheelNotchesZoomAndPartialDeltasAddUp)
{
    TImgView view;
    view.resize(200, 150);
    view.show();
    view.setPicture(checker(10, 10));
    view.setScale(1.0);
    int ups = 0, downs = 0;
    QObject::connect(&view, &TImgView::mouseWheelUp, [&] { ++ups; });
    QObject::connect(&view, &TImgView::mouseWheelDown, [&] { ++downs; });
    auto wheel = [&](int delta) {
        const QPointF pos(20, 20);
        QWheelEvent event(pos, view.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view.viewport(), &event);
    };
    wheel(120);
    EXPECT_EQ(ups, 1);
    EXPECT_DOUBLE_EQ(view.scale(), 1.1);
    wheel(60);
    EXPECT_EQ(ups, 1); // half a notch
    wheel(60);
    EXPECT_EQ(ups, 2);
    wheel(-240);
    EXPECT_EQ(downs, 2);
    EXPECT_NEAR(view.scale(), 1.1 * 1.1 * 0.9 * 0.9, 1e-12);
}

TEST(PictureView, ZoomStaysWithinLimits)
{
    TImgView view;
    view.setPicture(checker(10, 10));
    for (int i = 0; i < 500; ++i)
        view.scaleUp();
    EXPECT_DOUBLE_EQ(view.scale(), TImgView::MaxScale);
    for (int i = 0; i < 1000; ++i)
        view.scaleDown();
    EXPECT_DOUBLE_EQ(view.scale(), TImgView::MinScale);
    view.setScale(0.0);
    view.setScale(std::nan(""));
    EXPECT_DOUBLE_EQ(view.scale(), TImgView::MinScale);
}

TEST(PictureView, WidePictureFillsHeightAtLevelZeroAndFitsOnAProduct)
{
    TImgView view;
    view.resize(300, 200);
    view.show();
    QCoreApplication::processEvents();
    QImage wide(800, 200, QImage::Format_RGB32);
    wide.fill(QColor(250, 135, 61));
    view.setPicture(wide);

    view.fitForLevel(0);
    QCoreApplication::processEvents();
    // Fills the visible height and overflows to the right; no vertical bar.
    EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(view.verticalScrollBar()->isVisible());
    EXPECT_EQ(view.pictureRect().height(), view.viewport()->height());
    EXPECT_GT(view.pictureRect().width(), view.viewport()->width());
    Artifacts::save(&view, "kavrel_picture_level0_fill");

    view.fitForLevel(3);
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(view.verticalScrollBar()->isVisible());
    EXPECT_EQ(view.pictureRect().width(), view.availableSize().width());
    EXPECT_LE(view.pictureRect().height(), view.viewport()->height());
    Artifacts::save(&view, "kavrel_picture_product_fit");
}

TEST(PictureView, LoadsJpegFilesThroughThePathMapping)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/BMP");
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 0));
    ASSERT_TRUE(image.save(dir.path() + "/BMP/nh00gg.jpg", "JPEG", 95));
    TImgView view;
    // Pictures copied from Windows keep their case; the names in the table
    // may differ from it.
    EXPECT_TRUE(view.loadFromFile(dir.path() + "\\bmp\\NH00GG.jpg"));
    EXPECT_EQ(view.picture().size(), QSize(64, 32));
    const QColor c = view.picture().pixelColor(10, 10);
    EXPECT_NEAR(c.green(), 128, 6);
    EXPECT_FALSE(view.loadFromFile(dir.path() + "\\BMP\\missing.jpg"));
    EXPECT_EQ(view.picture().size(), QSize(64, 32)); // the previous one stays
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
