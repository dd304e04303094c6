#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "app/OverlayImageCache.h"

namespace lumetra {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);

class OverlayImageCacheTest : public testing::Test {
protected:
    // Draws the cached overlay onto a fresh white w x h image.
    QImage drawOnce(const OverlaySetting& setting, double w = 200, double h = 100) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterSurface surface(painter, 100);
        cache.draw(surface, setting, w, h);
        return image;
    }

    static QRgb at(const QImage& image, int x, int y) {
        return image.pixel(x, image.height() - 1 - y);
    }

    OverlayImageCache cache;
};

TEST_F(OverlayImageCacheTest, DrawsTheOverlayLikeStrokingItDirectly) {
    const QImage image = drawOnce({kGridSquare, 50.0, 2, kPureRed});
    EXPECT_EQ(at(image, 25, 50), qRgb(255, 0, 0));   // horizontal line at y = 50
    EXPECT_EQ(at(image, 100, 25), qRgb(255, 0, 0));  // vertical line at x = 100
    EXPECT_EQ(at(image, 25, 25), kWhite);
    EXPECT_EQ(at(image, 0, 25), kWhite);  // no line on the left edge
}

TEST_F(OverlayImageCacheTest, RendersOnlyWhenAnInputChanges) {
    const OverlaySetting grid{kGridSquare, 10.0, 2, kPureRed};
    const QImage first = drawOnce(grid);
    EXPECT_EQ(drawOnce(grid), first);
    EXPECT_EQ(cache.renderCount(), 1);

    drawOnce({kGridSquare, 20.0, 2, kPureRed});
    drawOnce({kGridSquare, 20.0, 3, kPureRed});
    const QImage blue = drawOnce({kGridSquare, 20.0, 3, kPureBlue});
    drawOnce({kGridSquare, 20.0, 3, kPureBlue}, 150, 100);
    EXPECT_EQ(cache.renderCount(), 5);
    EXPECT_EQ(at(blue, 5, 20), qRgb(0, 0, 255));

    const QImage off = drawOnce({kGridNone, 20.0, 3, kPureBlue});
    EXPECT_EQ(cache.renderCount(), 6);
    EXPECT_EQ(at(off, 5, 20), kWhite);
}

TEST_F(OverlayImageCacheTest, NoOverlayOrUnusableSizeLeavesThePictureAlone) {
    const QImage blank = [] {
        QImage i(200, 100, QImage::Format_RGB32);
        i.fill(Qt::white);
        return i;
    }();
    EXPECT_EQ(drawOnce({kGridSquare, 0.0, 2, kPureRed}), blank);
    EXPECT_EQ(drawOnce({kGridCrosshair, 0.0, 2, kPureRed}, 0.0, 100), blank);
    EXPECT_EQ(drawOnce({kGridCrosshair, 0.0, 2, kPureRed}, 1e12, 100), blank);
    EXPECT_EQ(drawOnce({kGridCrosshair, 0.0, 2, kPureRed}, std::nan(""), 100), blank);
}

}  // namespace
}  // namespace lumetra
