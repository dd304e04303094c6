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
struct Canvas {
    Canvas(int w, int h) : image(w, h, QImage::Format_RGB32) { image.fill(Qt::white); }

    template <typename Draw>
    Canvas& paint(Draw draw, StaticTextCache* cache = nullptr) {
        QPainter painter(&image);
        QPainterSurface surface(painter, image.height(), cache);
        draw(surface);
        return *this;
    }
    QRgb at(int x, int y) const { return image.pixel(x, image.height() - 1 - y); }
    bool inked(int x, int y) const { return at(x, y) != kWhite; }
    // Lowest and highest inked row (y-up), or {-1, -1} for a blank image.
    std::pair<int, int> inkRows() const {
        std::pair<int, int> rows{-1, -1};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (inked(x, y)) rows = {rows.first < 0 ? y : rows.first, y};
        return rows;
    }
    QImage image;
};

void path(DrawingSurface& s, double width, RgbColor color, std::initializer_list<Point> pts) {
    s.setLineWidth(width);
    s.setStrokeColor(color);
    s.beginPath();
    s.moveTo(*pts.begin());
    for (auto p = pts.begin() + 1; p != pts.end(); ++p) s.lineTo(*p);
}

TEST(QPainterSurface, StrokesAreYUpWithWidthPiecesAndSavedState) {
    Canvas c(100, 100);
    c.paint([](DrawingSurface& s) {
        path(s, 2, kRed, {{0, 0}, {10, 0}});  // on the bottom row
        s.stroke();
        path(s, 6, kRed, {{20, 50}, {80, 50}});
        s.moveTo({20, 90});  // a second piece: nothing joins (80, 50) to (20, 90)
        s.lineTo({80, 90});
        s.stroke();
        path(s, 2, kRed, {{10, 20}, {90, 20}});
        s.save();
        s.setStrokeColor(kBlue);
        s.setLineWidth(10);
        s.beginPath();
        s.restore();
        s.stroke();  // the saved red 2-wide path
    });
    EXPECT_EQ(c.at(5, 0), kSolidRed);
    EXPECT_FALSE(c.inked(5, 1));
    EXPECT_EQ(c.at(50, 47), kSolidRed);
    EXPECT_FALSE(c.inked(50, 70));
    EXPECT_EQ(c.at(50, 90), kSolidRed);
    EXPECT_FALSE(c.inked(50, 22)) << "the saved 2-wide path, not the 10-wide one";
}

TEST(QPainterSurface, BadNumbersNeitherDrawNorStop) {
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

TEST(QPainterSurface, TextGrowsUpwardFromItsOriginAndItsLayoutsAreCached) {
    StaticTextCache cache(8);
    Canvas c(200, 100);
    c.paint([](DrawingSurface& s) { s.drawText("Hgjy", {5, 5}, "Arial", 16, kBlue); }, &cache);
    const auto [low, high] = c.inkRows();
    EXPECT_TRUE(low >= 5 && low <= 7) << low << " (descenders stay above the origin)";
    EXPECT_TRUE(high >= 15 && high <= 5 + 16 + 2) << high;
    Canvas again(200, 100);
    again.paint([](DrawingSurface& s) { s.drawText("Hgjy", {5, 5}, "Arial", 16, kBlue); }, &cache);
    EXPECT_EQ(again.image, c.image) << "a cached layout draws like a fresh one";
}

TEST(QPainterSurface, FramePlacedTopRowUpWithRowPadding) {
    Frame f;
    f.width = 2;
    f.height = 2;
    f.stride = 16;  // 8 bytes of padding per row
    f.data = std::shared_ptr<uint8_t[]>(new uint8_t[32]);
    std::memset(f.data.get(), 0, 32);   // alpha 0 on purpose: drawn opaque
    f.row(0)[2] = 255;                  // top left red
    std::memset(f.row(1) + 4, 255, 3);  // bottom right white
    Canvas c(100, 100);
    c.paint([&f](DrawingSurface& s) {
        s.fillRect({0, 0, 100, 100}, {0.0, 1.0, 1.0}, 1.0);
        s.drawImage(f, {10, 20, 40, 40});
    });
    EXPECT_EQ(c.at(15, 55), kSolidRed);
    EXPECT_EQ(c.at(45, 25), kWhite);
    EXPECT_EQ(c.at(5, 25), qRgb(0, 255, 255));

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
