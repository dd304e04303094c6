#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <limits>
#include <vector>

#include "app/ShapeLayerCache.h"
#include "measure/ShapeRenderer.h"

namespace lumetra {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
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

    QImage drawOnce(const CalibrationValues& cal = kDefault) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterSurface surface(painter, 100);
        cache.draw(surface, shapes, cal, 200, 100);
        return image;
    }

    static QRgb at(const QImage& image, int x, int y) {
        return image.pixel(x, image.height() - 1 - y);
    }

    std::vector<RQShape> shapes;
    ShapeLayerCache cache;
};

TEST_F(ShapeLayerCacheTest, DrawsLikeDrawingTheShapesDirectly) {
    const QImage cached = drawOnce();
    QImage direct(200, 100, QImage::Format_RGB32);
    direct.fill(Qt::white);
    {
        QPainter painter(&direct);
        QPainterSurface surface(painter, 100);
        drawGraphit(surface, shapes, kDefault, 1.0f, 1.0f);
    }
    EXPECT_EQ(at(cached, 100, 30), qRgb(255, 0, 0));
    int differing = 0, inked = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            const QRgb a = cached.pixel(x, y);
            const QRgb b = direct.pixel(x, y);
            inked += a != kWhite;
            differing += std::abs(qRed(a) - qRed(b)) > 2 || std::abs(qGreen(a) - qGreen(b)) > 2 ||
                         std::abs(qBlue(a) - qBlue(b)) > 2;
        }
    }
    EXPECT_GT(inked, 400);  // the line and its label
    EXPECT_EQ(differing, 0);
}

TEST_F(ShapeLayerCacheTest, RendersAgainOnlyWhenSomethingDrawnChanges) {
    drawOnce();
    drawOnce();
    EXPECT_EQ(cache.renderCount(), 1);

    shapes[0].fData1 = 120.0f;
    drawOnce();
    shapes[0].pt2ndPoint.x = 150;
    drawOnce();
    shapes[0].ctrFColor = kPureRed;
    drawOnce();
    shapes[0].fData2 = 99.0f;  // not drawn
    drawOnce();
    EXPECT_EQ(cache.renderCount(), 4);

    const QImage relabelled = drawOnce({60.0f, 1000.0f, "um"});
    EXPECT_EQ(cache.renderCount(), 5);
    shapes.push_back(shapes[0]);
    drawOnce();
    shapes.clear();
    const QImage empty = drawOnce();
    EXPECT_EQ(cache.renderCount(), 7);
    EXPECT_EQ(at(empty, 100, 30), kWhite);
}

TEST_F(ShapeLayerCacheTest, ValueThatIsNotANumberStillMatchesItself) {
    shapes[0].type = kModeAngleThreePoints;
    shapes[0].fData1 = std::numeric_limits<float>::quiet_NaN();
    drawOnce();
    drawOnce();
    EXPECT_EQ(cache.renderCount(), 1);
}

}  // namespace
}  // namespace lumetra
