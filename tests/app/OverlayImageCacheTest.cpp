#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "app/OverlayImageCache.h"

namespace lumetra {
namespace {

// Draws the cached overlay onto a fresh white 200 x 100 image; reads pixels y-up.
QImage drawOnce(OverlayImageCache& cache, const OverlaySetting& setting, double w = 200) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterSurface surface(painter, 100);
    cache.draw(surface, setting, w, 100);
    return image;
}
QRgb at(const QImage& image, int x, int y) { return image.pixel(x, image.height() - 1 - y); }

TEST(OverlayImageCache, RendersAgainOnlyWhenAnInputChanges) {
    OverlayImageCache cache;
    const QImage first = drawOnce(cache, {kGridSquare, 50.0, 2, kPureRed});
    EXPECT_EQ(at(first, 25, 50), qRgb(255, 0, 0));  // horizontal line at y = 50
    EXPECT_EQ(at(first, 25, 25), qRgb(255, 255, 255));
    EXPECT_EQ(drawOnce(cache, {kGridSquare, 50.0, 2, kPureRed}), first);
    EXPECT_EQ(cache.renderCount(), 1);

    drawOnce(cache, {kGridSquare, 20.0, 2, kPureRed});
    drawOnce(cache, {kGridSquare, 20.0, 3, kPureRed});
    const QImage blue = drawOnce(cache, {kGridSquare, 20.0, 3, kPureBlue});
    drawOnce(cache, {kGridSquare, 20.0, 3, kPureBlue}, 150);
    EXPECT_EQ(cache.renderCount(), 5);
    EXPECT_EQ(at(blue, 5, 20), qRgb(0, 0, 255));
    const QImage off = drawOnce(cache, {kGridNone, 20.0, 3, kPureBlue});
    EXPECT_EQ(at(off, 5, 20), qRgb(255, 255, 255));
}

TEST(OverlayImageCache, NoOverlayForUnusableSizes) {
    OverlayImageCache cache;
    QImage blank(200, 100, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(drawOnce(cache, {kGridSquare, 0.0, 2, kPureRed}), blank);
    for (double w : {0.0, 1e12, std::nan("")})
        EXPECT_EQ(drawOnce(cache, {kGridCrosshair, 0.0, 2, kPureRed}, w), blank) << w;
}

}  // namespace
}  // namespace lumetra
