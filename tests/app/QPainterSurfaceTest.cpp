#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstring>
#include <limits>

#include "app/QPainterSurface.h"

namespace lumetra {
namespace {

constexpr RgbColor kRed{1.0, 0.0, 0.0};
constexpr RgbColor kBlue{0.0, 0.0, 1.0};
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kSolidRed = qRgb(255, 0, 0);
const double kNan = std::numeric_limits<double>::quiet_NaN();

// A white image painted through a QPainterSurface; pixels are addressed in the
// surface's y-up coordinates (the pixel whose lower-left corner is x, y).
class Canvas {
public:
    Canvas(int w, int h) : image_(w, h, QImage::Format_RGB32) { image_.fill(Qt::white); }

    template <typename Draw>
    Canvas& paint(Draw draw, StaticTextCache* cache = nullptr) {
        QPainter painter(&image_);
        QPainterSurface surface(painter, image_.height(), cache);
        draw(surface);
        return *this;
    }

    QRgb at(int x, int y) const { return image_.pixel(x, image_.height() - 1 - y); }
    bool inked(int x, int y) const { return at(x, y) != kWhite; }

    // Lowest and highest inked row (y-up), or {-1, -1} for a blank image.
    std::pair<int, int> inkRows() const {
        int low = -1, high = -1;
        for (int y = 0; y < image_.height(); ++y) {
            for (int x = 0; x < image_.width(); ++x) {
                if (!inked(x, y)) continue;
                if (low < 0) low = y;
                high = y;
            }
        }
        return {low, high};
    }
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

void path(DrawingSurface& s, double width, RgbColor color, std::initializer_list<Point> pts) {
    s.setLineWidth(width);
    s.setStrokeColor(color);
    s.beginPath();
    bool first = true;
    for (Point p : pts) {
        if (first)
            s.moveTo(p);
        else
            s.lineTo(p);
        first = false;
    }
}

TEST(QPainterSurfaceGeometry, SegmentAlongYZeroLiesOnTheBottomRow) {
    Canvas c(10, 10);
    c.paint([](DrawingSurface& s) {
        path(s, 2, kRed, {{0, 0}, {10, 0}});
        s.stroke();
    });
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(c.at(x, 0), kSolidRed) << x;
        EXPECT_EQ(c.at(x, 9), kWhite) << x;
    }
}

TEST(QPainterSurfaceGeometry, WidthButtCapsAndOpaqueColour) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        path(s, 6, kRed, {{20, 50}, {80, 50}});
        s.stroke();
        path(s, 4, {0.0, 0.5, 1.0}, {{20, 80}, {80, 80}});
        s.stroke();
    });
    for (int y = 47; y <= 52; ++y) EXPECT_EQ(c.at(50, y), kSolidRed) << y;
    EXPECT_FALSE(c.inked(50, 45));
    EXPECT_FALSE(c.inked(50, 54));
    EXPECT_EQ(c.at(20, 50), kSolidRed);
    EXPECT_FALSE(c.inked(18, 50));  // butt caps end at the end points
    EXPECT_FALSE(c.inked(81, 50));
    const QRgb p = c.at(50, 80);
    EXPECT_EQ(qRed(p), 0);
    EXPECT_NEAR(qGreen(p), 128, 1);
    EXPECT_EQ(qBlue(p), 255);
}

TEST(QPainterSurfaceGeometry, PiecesCirclesAndClosing) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        path(s, 2, kRed, {{10, 10}, {90, 10}});
        s.moveTo({10, 90});  // a second piece: nothing joins (90, 10) to (10, 90)
        s.lineTo({90, 90});
        s.stroke();
    });
    EXPECT_TRUE(c.inked(50, 10));
    EXPECT_TRUE(c.inked(50, 90));
    EXPECT_FALSE(c.inked(50, 50));

    Canvas triangle(100, 100);
    triangle.paint([](DrawingSurface& s) {
        path(s, 2, kRed, {{10, 10}, {90, 10}, {90, 90}});
        s.closePath();
        s.stroke();
    });
    EXPECT_TRUE(triangle.inked(50, 50));  // on the closing diagonal

    Canvas circle(100, 100);
    circle.paint([](DrawingSurface& s) {
        s.setLineWidth(2);
        s.setStrokeColor(kRed);
        s.beginPath();
        s.addCircle({50, 30}, 20);
        s.stroke();
    });
    EXPECT_TRUE(circle.inked(70, 30));
    EXPECT_TRUE(circle.inked(50, 10));
    EXPECT_FALSE(circle.inked(50, 30));
    EXPECT_FALSE(circle.inked(50, 70));
}

TEST(QPainterSurfaceGeometry, FillRectIsYUp) {
    Canvas c(20, 20);
    c.paint([](DrawingSurface& s) { s.fillRect({0, 0, 20, 5}, kBlue); });
    EXPECT_EQ(c.at(10, 4), qRgb(0, 0, 255));
    EXPECT_FALSE(c.inked(10, 5));
}

TEST(QPainterSurfaceState, StrokeEmptiesThePathAndRestoreBringsItBack) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        path(s, 4, kRed, {{10, 50}, {90, 50}});
        s.stroke();
        s.setStrokeColor(kBlue);
        s.stroke();  // nothing left: the red line stays red

        path(s, 2, kRed, {{10, 20}, {90, 20}});
        s.save();
        s.setStrokeColor(kBlue);
        s.setLineWidth(10);
        s.beginPath();
        s.restore();
        s.stroke();  // the saved red 2-wide path
    });
    EXPECT_EQ(c.at(50, 50), kSolidRed);
    EXPECT_EQ(c.at(50, 20), kSolidRed);
    EXPECT_FALSE(c.inked(50, 23));
}

TEST(QPainterSurfaceState, BadNumbersNeitherDrawNorStop) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        path(s, 4, {2.0, -1.0, kNan}, {{10, 50}, {90, 50}});  // clamps to red
        s.stroke();
        s.setLineWidth(kNan);
        s.beginPath();
        s.moveTo({kNan, 10});
        s.addCircle({kNan, kNan}, 10);
        s.addCircle({50, 50}, std::numeric_limits<double>::infinity());
        s.stroke();
        s.drawText("x", {kNan, 5}, "Arial", 16, kRed);
        // A point that is not a number breaks the polyline: (10, 60) is not joined to (90, 90).
        path(s, 2, kRed, {{10, 60}, {kNan, 70}, {90, 90}, {90, 80}});
        s.stroke();
    });
    EXPECT_EQ(c.at(50, 50), kSolidRed);
    EXPECT_FALSE(c.inked(50, 75));
    EXPECT_TRUE(c.inked(90, 85));
    EXPECT_EQ(c.inkRows().first, 48);
}

TEST(QPainterSurfaceText, TextGrowsUpwardFromItsOriginInItsColour) {
    Canvas c(200, 100);
    c.paint([](DrawingSurface& s) { s.drawText("Hgjy", {5, 5}, "Arial", 16, kBlue); });
    const auto [low, high] = c.inkRows();
    EXPECT_GE(low, 5);  // descenders stay above the origin
    EXPECT_LE(low, 7);
    EXPECT_GE(high, 15);
    EXPECT_LE(high, 5 + 16 + 2);
    bool solidBlue = false;
    for (int y = 5; y < 25; ++y) {
        for (int x = 0; x < 60; ++x) {
            EXPECT_EQ(qRed(c.at(x, y)), qGreen(c.at(x, y)));  // only blue over white
            solidBlue = solidBlue || c.at(x, y) == qRgb(0, 0, 255);
        }
    }
    EXPECT_TRUE(solidBlue);
}

TEST(QPainterSurfaceText, EmptyTextAndUnusableSizesDrawNothing) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        s.drawText("", {10, 10}, "Arial", 16, kRed);
        s.drawText("x", {10, 10}, "Arial", 0, kRed);
        s.drawText("x", {10, 10}, "Arial", -4, kRed);
    });
    EXPECT_EQ(c.inkRows(), std::make_pair(-1, -1));
}

TEST(QPainterSurfaceText, SharedCacheLaysOutEachLabelOnceAndStaysBounded) {
    StaticTextCache cache;
    QImage first;
    for (int frame = 0; frame < 3; ++frame) {
        Canvas c(200, 200);
        c.paint(
            [](DrawingSurface& s) {
                s.drawText("A:2.778mm\u00B2", {10, 100}, "Arial", 16, kBlue);
                s.drawText("A:2.778mm\u00B2", {10, 50}, "Arial", 16, kBlue);
                s.drawText("A:2.778mm\u00B2", {10, 150}, "Arial", 20, kBlue);
            },
            &cache);
        if (frame == 0)
            first = c.image();
        else
            EXPECT_EQ(c.image(), first);  // cached layout draws like a fresh one
    }
    EXPECT_EQ(cache.size(), 2u);  // keyed by text and size

    StaticTextCache small(8);
    Canvas(100, 100).paint(
        [](DrawingSurface& s) {
            for (int i = 0; i < 50; ++i) s.drawText(std::to_string(i), {5, 5}, "Arial", 12, kRed);
        },
        &small);
    EXPECT_LE(small.size(), 8u);
}

TEST(QPainterSurfaceImage, FrameReplacesThePixelsTopRowUp) {
    // Top row red, green; bottom row blue, white; BGRA with alpha 0 on purpose.
    Frame f = Frame::allocate(2, 2);
    const uint8_t px[16] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    std::memcpy(f.data.get(), px, sizeof px);
    Canvas c(100, 100);
    c.paint([&f](DrawingSurface& s) {
        s.fillRect({0, 0, 100, 100}, {0.0, 1.0, 1.0});
        s.drawImage(f, {0, 0, 100, 100});
    });
    EXPECT_EQ(c.at(5, 95), kSolidRed);
    EXPECT_EQ(c.at(95, 95), qRgb(0, 255, 0));
    EXPECT_EQ(c.at(5, 5), qRgb(0, 0, 255));
    EXPECT_EQ(c.at(95, 5), kWhite);
}

TEST(QPainterSurfaceImage, RectPlacementAndRowPadding) {
    Frame f;
    f.width = 2;
    f.height = 2;
    f.stride = 16;  // 8 bytes of padding per row
    f.data = std::shared_ptr<uint8_t[]>(new uint8_t[32]);
    std::memset(f.data.get(), 0xFF, 32);
    std::memset(f.row(1), 0, 8);  // bottom row black
    Canvas c(100, 100);
    c.paint([&f](DrawingSurface& s) { s.drawImage(f, {10, 20, 30, 40}); });
    EXPECT_EQ(c.at(25, 22), qRgb(0, 0, 0));  // bottom row of the frame at the bottom of the rect
    EXPECT_EQ(c.at(25, 58), kWhite);
    EXPECT_EQ(c.inkRows().first, 20);
    EXPECT_FALSE(c.inked(9, 22));
    EXPECT_FALSE(c.inked(40, 22));

    Frame bad = Frame::allocate(4, 4);
    bad.stride = 4;  // shorter than a row
    Canvas blank(20, 20);
    blank.paint([&bad](DrawingSurface& s) {
        s.drawImage(Frame{}, {0, 0, 20, 20});
        s.drawImage(bad, {0, 0, 20, 20});
    });
    EXPECT_EQ(blank.inkRows(), std::make_pair(-1, -1));
}

}  // namespace
}  // namespace lumetra
