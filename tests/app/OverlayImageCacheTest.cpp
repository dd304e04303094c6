#include "app/OverlayImageCache.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace lumetra {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);

class OverlayImageCacheTest : public testing::Test {
protected:
    // Draws the cached overlay onto a fresh white w x h image.
    QImage drawOnce(const OverlaySetting& setting, int w = 200, int h = 100) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterSurface surface(painter, h);
        cache.draw(surface, setting, w, h);
        return image;
    }

    static QRgb at(const QImage& image, int x, int y) { return image.pixel(x, image.height() - 1 - y); }

    OverlayImageCache cache;
};

TEST_F(OverlayImageCacheTest, DrawsTheOverlayInItsColour) {
    const QImage image = drawOnce({kGridSquare, 50.0, 2, kPureRed});
    EXPECT_EQ(at(image, 25, 50), qRgb(255, 0, 0));   // horizontal line at y = 50
    EXPECT_EQ(at(image, 100, 25), qRgb(255, 0, 0));  // vertical line at x = 100
    EXPECT_EQ(at(image, 25, 25), kWhite);
    EXPECT_EQ(at(image, 0, 25), kWhite);  // no line on the left edge
}

TEST_F(OverlayImageCacheTest, RendersOnceForUnchangedInputs) {
    const OverlaySetting grid{kGridSquare, 10.0, 2, kPureRed};
    const QImage first = drawOnce(grid);
    const QImage second = drawOnce(grid);
    drawOnce(grid);
    EXPECT_EQ(cache.renderCount(), 1);
    EXPECT_EQ(first, second);
}

TEST_F(OverlayImageCacheTest, RendersAgainWhenAnInputChanges) {
    drawOnce({kGridSquare, 10.0, 2, kPureRed});
    drawOnce({kGridSquare, 20.0, 2, kPureRed});
    EXPECT_EQ(cache.renderCount(), 2);
    drawOnce({kGridSquare, 20.0, 3, kPureRed});
    EXPECT_EQ(cache.renderCount(), 3);
    const QImage blue = drawOnce({kGridSquare, 20.0, 3, kPureBlue});
    EXPECT_EQ(cache.renderCount(), 4);
    EXPECT_EQ(at(blue, 5, 20), qRgb(0, 0, 255));
    drawOnce({kGridSquare, 20.0, 3, kPureBlue}, 300, 100);
    EXPECT_EQ(cache.renderCount(), 5);
    const QImage off = drawOnce({kGridNone, 20.0, 3, kPureBlue}, 300, 100);
    EXPECT_EQ(cache.renderCount(), 6);
    EXPECT_EQ(at(off, 5, 20), kWhite);
}

TEST_F(OverlayImageCacheTest, NoOverlayLeavesThePictureAlone) {
    for (const OverlaySetting& s : {OverlaySetting{kGridNone, 10.0, 2, kPureRed},
                                    OverlaySetting{kGridSquare, 0.0, 2, kPureRed}}) {
        const QImage image = drawOnce(s);
        for (int y = 0; y < image.height(); y += 7) {
            for (int x = 0; x < image.width(); x += 7) ASSERT_EQ(at(image, x, y), kWhite);
        }
    }
}

TEST_F(OverlayImageCacheTest, MatchesStrokingDirectly) {
    const OverlaySetting crosshair{kGridCrosshair, 0.0, 3, kPureRed};
    const QImage cached = drawOnce(crosshair);
    QImage direct(200, 100, QImage::Format_RGB32);
    direct.fill(Qt::white);
    {
        QPainter painter(&direct);
        QPainterSurface surface(painter, 100);
        surface.setLineWidth(3);
        surface.setStrokeColor(kPureRed);
        surface.beginPath();
        surface.moveTo({0, 50});
        surface.lineTo({200, 50});
        surface.stroke();
        surface.beginPath();
        surface.moveTo({100, 0});
        surface.lineTo({100, 100});
        surface.stroke();
    }
    EXPECT_EQ(at(cached, 30, 50), at(direct, 30, 50));
    EXPECT_EQ(at(cached, 100, 80), at(direct, 100, 80));
    EXPECT_EQ(at(cached, 30, 80), kWhite);
}

TEST_F(OverlayImageCacheTest, UnusableSizesDrawNothing) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterSurface surface(painter, 10);
    cache.draw(surface, {kGridCrosshair, 0.0, 2, kPureRed}, 0.0, 10.0);
    cache.draw(surface, {kGridCrosshair, 0.0, 2, kPureRed}, 1e12, 10.0);
    cache.draw(surface, {kGridCrosshair, 0.0, 2, kPureRed}, std::nan(""), 10.0);
    painter.end();
    EXPECT_EQ(image.pixel(5, 5), kWhite);
}

}  // namespace
}  // namespace lumetra
