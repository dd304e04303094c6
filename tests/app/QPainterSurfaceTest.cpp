#include "app/QPainterSurface.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lumetra {
namespace {

constexpr RgbColor kRed{1.0, 0.0, 0.0};
constexpr RgbColor kBlue{0.0, 0.0, 1.0};
const QRgb kWhite = qRgb(255, 255, 255);

// A white image of w x h pixels painted through a QPainterSurface; pixel
// queries use the surface's y-up coordinates.
class Canvas {
public:
    Canvas(int w, int h) : image_(w, h, QImage::Format_RGB32) { image_.fill(Qt::white); }

    template <typename Draw>
    void paint(Draw draw, StaticTextCache* cache = nullptr) {
        QPainter painter(&image_);
        QPainterSurface surface(painter, image_.height(), cache);
        draw(surface);
    }

    // The pixel whose lower-left corner is (x, y) in y-up coordinates.
    QRgb at(int x, int y) const { return image_.pixel(x, image_.height() - 1 - y); }
    bool inked(int x, int y) const { return at(x, y) != kWhite; }

    // Bounds of all non-white pixels, y-up; false when there are none.
    bool inkBounds(int& minX, int& minY, int& maxX, int& maxY) const {
        minX = minY = std::numeric_limits<int>::max();
        maxX = maxY = std::numeric_limits<int>::min();
        for (int y = 0; y < image_.height(); ++y) {
            for (int x = 0; x < image_.width(); ++x) {
                if (!inked(x, y)) continue;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
        return minX <= maxX;
    }

    const QImage& image() const { return image_; }

private:
    QImage image_;
};

void line(DrawingSurface& s, Point a, Point b, double width, RgbColor color) {
    s.setLineWidth(width);
    s.setStrokeColor(color);
    s.beginPath();
    s.moveTo(a);
    s.lineTo(b);
    s.stroke();
}

// --- geometry and the y-up convention ---------------------------------------------

TEST(QPainterSurfaceGeometry, SegmentAlongYZeroLiesOnTheBottomRow) {
    Canvas c(10, 10);
    c.paint([](DrawingSurface& s) { line(s, {0, 0}, {10, 0}, 2, kRed); });
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(c.at(x, 0), qRgb(255, 0, 0)) << x;
        EXPECT_EQ(c.at(x, 9), kWhite) << x;
    }
}

TEST(QPainterSurfaceGeometry, StrokeWidthAndButtCaps) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) { line(s, {20, 50}, {80, 50}, 6, kRed); });
    // 6 wide around y = 50: rows 47..52 solid.
    for (int y = 47; y <= 52; ++y) EXPECT_EQ(c.at(50, y), qRgb(255, 0, 0)) << y;
    EXPECT_EQ(c.at(50, 45), kWhite);
    EXPECT_EQ(c.at(50, 54), kWhite);
    // Butt caps end exactly at the end points.
    EXPECT_EQ(c.at(20, 50), qRgb(255, 0, 0));
    EXPECT_EQ(c.at(18, 50), kWhite);
    EXPECT_EQ(c.at(81, 50), kWhite);
}

TEST(QPainterSurfaceGeometry, SeparateMoveTosAreSeparatePieces) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        s.setLineWidth(2);
        s.setStrokeColor(kRed);
        s.beginPath();
        s.moveTo({10, 10});
        s.lineTo({90, 10});
        s.moveTo({10, 90});
        s.lineTo({90, 90});
        s.stroke();
    });
    EXPECT_TRUE(c.inked(50, 10));
    EXPECT_TRUE(c.inked(50, 90));
    EXPECT_FALSE(c.inked(90, 50));  // nothing joins the end of one piece to the next
    EXPECT_FALSE(c.inked(50, 50));
}

TEST(QPainterSurfaceGeometry, ClosePathJoinsBackToTheStart) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        s.setLineWidth(2);
        s.setStrokeColor(kRed);
        s.beginPath();
        s.moveTo({10, 10});
        s.lineTo({90, 10});
        s.lineTo({90, 90});
        s.closePath();
        s.stroke();
    });
    EXPECT_TRUE(c.inked(50, 50));  // on the closing diagonal
}

TEST(QPainterSurfaceGeometry, CircleAroundItsCentre) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        s.setLineWidth(2);
        s.setStrokeColor(kRed);
        s.beginPath();
        s.addCircle({50, 30}, 20);
        s.stroke();
    });
    EXPECT_TRUE(c.inked(70, 30));
    EXPECT_TRUE(c.inked(50, 10));
    EXPECT_TRUE(c.inked(50, 49));
    EXPECT_FALSE(c.inked(50, 30));
    EXPECT_FALSE(c.inked(50, 70));
}

TEST(QPainterSurfaceGeometry, FillRectIsYUp) {
    Canvas c(20, 20);
    c.paint([](DrawingSurface& s) { s.fillRect({0, 0, 20, 5}, kBlue); });
    EXPECT_EQ(c.at(10, 0), qRgb(0, 0, 255));
    EXPECT_EQ(c.at(10, 4), qRgb(0, 0, 255));
    EXPECT_EQ(c.at(10, 5), kWhite);
}

// --- stroke state ----------------------------------------------------------------

TEST(QPainterSurfaceState, StrokeEmptiesThePath) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        line(s, {10, 50}, {90, 50}, 4, kRed);
        s.setStrokeColor(kBlue);
        s.stroke();  // nothing left to stroke
    });
    EXPECT_EQ(c.at(50, 50), qRgb(255, 0, 0));
}

TEST(QPainterSurfaceState, ColoursAreOpaque) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) { line(s, {10, 50}, {90, 50}, 4, {0.0, 0.5, 1.0}); });
    const QRgb p = c.at(50, 50);
    EXPECT_EQ(qRed(p), 0);
    EXPECT_NEAR(qGreen(p), 128, 1);
    EXPECT_EQ(qBlue(p), 255);
}

TEST(QPainterSurfaceState, OutOfRangeColourComponentsAreClamped) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        line(s, {10, 50}, {90, 50}, 4, {2.0, -1.0, std::numeric_limits<double>::quiet_NaN()});
    });
    EXPECT_EQ(c.at(50, 50), qRgb(255, 0, 0));
}

TEST(QPainterSurfaceState, RestoreBringsBackWidthColourAndPath) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        s.setLineWidth(2);
        s.setStrokeColor(kRed);
        s.beginPath();
        s.moveTo({10, 20});
        s.lineTo({90, 20});
        s.save();
        s.setStrokeColor(kBlue);
        s.setLineWidth(10);
        s.beginPath();
        s.restore();
        s.stroke();
    });
    EXPECT_EQ(c.at(50, 20), qRgb(255, 0, 0));
    EXPECT_EQ(c.at(50, 23), kWhite);  // width 2, not 10
}

TEST(QPainterSurfaceState, NonFinitePointsBreakThePieceWithoutDrawingAnything) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Canvas c(100, 100);
    c.paint([nan](DrawingSurface& s) {
        s.setLineWidth(2);
        s.setStrokeColor(kRed);
        s.beginPath();
        s.moveTo({10, 10});
        s.lineTo({nan, 50});
        s.lineTo({90, 90});
        s.addCircle({nan, nan}, 10);
        s.addCircle({50, 50}, std::numeric_limits<double>::infinity());
        s.stroke();
        s.drawText("x", {nan, 5}, "Arial", 16, kRed);
        s.setLineWidth(nan);
    });
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
    EXPECT_FALSE(c.inkBounds(minX, minY, maxX, maxY));
}

// --- text ------------------------------------------------------------------------

TEST(QPainterSurfaceText, TextGrowsUpwardFromItsOrigin) {
    Canvas c(200, 100);
    c.paint([](DrawingSurface& s) { s.drawText("Hgjy", {5, 5}, "Arial", 16, kBlue); });
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
    ASSERT_TRUE(c.inkBounds(minX, minY, maxX, maxY));
    EXPECT_GE(minY, 5);   // even the descenders stay above the origin
    EXPECT_LE(minY, 7);   // and reach down close to it
    EXPECT_GE(maxY, 15);  // capital height of a 16-pixel font
    EXPECT_LE(maxY, 5 + 16 + 2);
    EXPECT_GE(minX, 5);
    EXPECT_LE(minX, 8);
}

TEST(QPainterSurfaceText, TextInItsColour) {
    Canvas c(200, 100);
    c.paint([](DrawingSurface& s) { s.drawText("HHHH", {5, 30}, "Arial", 30, kBlue); });
    bool solidBlue = false;
    for (int y = 30; y < 60; ++y) {
        for (int x = 5; x < 100; ++x) {
            const QRgb p = c.at(x, y);
            EXPECT_GE(qBlue(p), qRed(p));
            if (p == qRgb(0, 0, 255)) solidBlue = true;
        }
    }
    EXPECT_TRUE(solidBlue);
}

TEST(QPainterSurfaceText, ArialResolvesToAMetricTwin) {
    StaticTextCache cache;
    const QFontInfo info(cache.font("Arial", 16).font);
    EXPECT_TRUE(info.family() == "Arial" || info.family() == "Liberation Sans") << info.family().toStdString();
}

TEST(QPainterSurfaceText, EmptyTextAndUnusableSizesDrawNothing) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        s.drawText("", {10, 10}, "Arial", 16, kRed);
        s.drawText("x", {10, 10}, "Arial", 0, kRed);
        s.drawText("x", {10, 10}, "Arial", -4, kRed);
    });
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
    EXPECT_FALSE(c.inkBounds(minX, minY, maxX, maxY));
}

TEST(QPainterSurfaceText, SharedCacheLaysOutEachLabelOnce) {
    StaticTextCache cache;
    Canvas c(200, 200);
    for (int frame = 0; frame < 3; ++frame) {
        c.paint(
            [](DrawingSurface& s) {
                s.drawText("L:1.000mm", {10, 100}, "Arial", 16, kBlue);
                s.drawText("L:1.000mm", {10, 50}, "Arial", 16, kBlue);
                s.drawText("L:1.000mm", {10, 150}, "Arial", 20, kBlue);
            },
            &cache);
    }
    EXPECT_EQ(cache.size(), 2u);  // keyed by text and size
}

TEST(QPainterSurfaceText, CacheIsBounded) {
    StaticTextCache cache(8);
    Canvas c(100, 100);
    c.paint(
        [](DrawingSurface& s) {
            for (int i = 0; i < 50; ++i) s.drawText(std::to_string(i), {5, 5}, "Arial", 12, kRed);
        },
        &cache);
    EXPECT_LE(cache.size(), 8u);
    EXPECT_GE(cache.size(), 1u);
}

TEST(QPainterSurfaceText, CachedTextDrawsLikeFreshText) {
    StaticTextCache cache;
    Canvas first(200, 60);
    Canvas second(200, 60);
    first.paint([](DrawingSurface& s) { s.drawText("A:2.778mm\u00B2", {5, 5}, "Arial", 16, kBlue); },
                &cache);
    second.paint([](DrawingSurface& s) { s.drawText("A:2.778mm\u00B2", {5, 5}, "Arial", 16, kBlue); },
                 &cache);
    EXPECT_EQ(first.image(), second.image());
}

// --- images ---------------------------------------------------------------------------

Frame twoByTwo() {
    // Top row: red, green; bottom row: blue, white. BGRA bytes, alpha 0 on purpose.
    Frame f = Frame::allocate(2, 2);
    const uint8_t px[2][2][4] = {{{0, 0, 255, 0}, {0, 255, 0, 0}}, {{255, 0, 0, 0}, {255, 255, 255, 0}}};
    for (int y = 0; y < 2; ++y) std::memcpy(f.row(y), px[y], 8);
    return f;
}

TEST(QPainterSurfaceImage, FrameFillsTheRectTopRowUp) {
    Canvas c(100, 100);
    c.image();
    c.paint([](DrawingSurface& s) {
        s.fillRect({0, 0, 100, 100}, {0.0, 1.0, 1.0});
        s.drawImage(twoByTwo(), {0, 0, 100, 100});
    });
    // The alpha byte is ignored: the frame replaces what was beneath.
    EXPECT_EQ(c.at(5, 95), qRgb(255, 0, 0));    // top left
    EXPECT_EQ(c.at(95, 95), qRgb(0, 255, 0));   // top right
    EXPECT_EQ(c.at(5, 5), qRgb(0, 0, 255));     // bottom left
    EXPECT_EQ(c.at(95, 5), qRgb(255, 255, 255));
}

TEST(QPainterSurfaceImage, RectIsPlacedYUp) {
    Canvas c(100, 100);
    Frame f = Frame::allocate(4, 4);
    std::memset(f.data.get(), 0, f.byteCount());  // black
    c.paint([&f](DrawingSurface& s) { s.drawImage(f, {10, 20, 30, 40}); });
    EXPECT_EQ(c.at(25, 40), qRgb(0, 0, 0));
    EXPECT_EQ(c.at(25, 15), kWhite);
    EXPECT_EQ(c.at(25, 65), kWhite);
    EXPECT_EQ(c.at(5, 40), kWhite);
}

TEST(QPainterSurfaceImage, RowsWithPaddingAreHonoured) {
    Frame f;
    f.width = 2;
    f.height = 2;
    f.stride = 16;  // 8 bytes of padding per row
    f.data = std::shared_ptr<uint8_t[]>(new uint8_t[32]);
    std::memset(f.data.get(), 0xFF, 32);
    std::memset(f.row(1), 0, 8);  // bottom row black
    Canvas c(20, 20);
    c.paint([&f](DrawingSurface& s) { s.drawImage(f, {0, 0, 20, 20}); });
    EXPECT_EQ(c.at(10, 2), qRgb(0, 0, 0));
    EXPECT_EQ(c.at(10, 18), kWhite);
}

TEST(QPainterSurfaceImage, NullOrInconsistentFramesAreIgnored) {
    Canvas c(20, 20);
    Frame bad = Frame::allocate(4, 4);
    bad.stride = 4;  // shorter than a row
    c.paint([&bad](DrawingSurface& s) {
        s.drawImage(Frame{}, {0, 0, 20, 20});
        s.drawImage(bad, {0, 0, 20, 20});
    });
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
    EXPECT_FALSE(c.inkBounds(minX, minY, maxX, maxY));
}

}  // namespace
}  // namespace lumetra
