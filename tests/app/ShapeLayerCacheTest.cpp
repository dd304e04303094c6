#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <limits>
#include <vector>

#include "app/ShapeLayerCache.h"

namespace lumetra {
namespace {

const CalibrationValues kDefault{60.0f, 1.0f, "mm"};

class ShapeLayerCacheTest : public testing::Test {
protected:
    ShapeLayerCacheTest() {
        RQShape line;
        line.type = kModeLine;
        line.pt1stPoint = {20, 30};
        line.pt2ndPoint = {180, 30};
        line.pt3rdPoint = {20, 60};
        line.fData1 = 160.0f;
        shapes.push_back(line);
    }

    // Draws through the cache onto a white 200 x 100 image.
    QImage draw(const CalibrationValues& cal = kDefault) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterSurface surface(painter, 100);
        cache.draw(surface, shapes, cal, 200, 100);
        return image;
    }

    std::vector<RQShape> shapes;
    ShapeLayerCache cache;
};

TEST_F(ShapeLayerCacheTest, RendersAgainOnlyWhenSomethingDrawnChanges) {
    draw();
    draw();
    EXPECT_EQ(cache.renderCount(), 1);
    shapes[0].fData1 = 120.0f;
    draw();
    shapes[0].pt2ndPoint.x = 150;
    draw();
    shapes[0].ctrFColor = kPureRed;
    draw();
    shapes[0].fData2 = 99.0f;  // not drawn
    draw();
    EXPECT_EQ(cache.renderCount(), 4);
    draw({60.0f, 1000.0f, "um"});
    EXPECT_EQ(cache.renderCount(), 5) << "a new calibration relabels";
    EXPECT_EQ(draw().pixel(100, 99 - 30), qRgb(255, 0, 0)) << "the line, drawn y-up";
    shapes.clear();
    const QImage empty = draw();
    EXPECT_EQ(cache.renderCount(), 7);
    EXPECT_EQ(empty.pixel(100, 99 - 30), qRgb(255, 255, 255));

    shapes.push_back(RQShape{});
    shapes[0].type = kModeAngleThreePoints;
    shapes[0].fData1 = std::numeric_limits<float>::quiet_NaN();
    draw();
    draw();
    EXPECT_EQ(cache.renderCount(), 8) << "a value that is not a number still matches itself";
}

}  // namespace
}  // namespace lumetra
