#include "Artifacts.h"
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

} // namespace
