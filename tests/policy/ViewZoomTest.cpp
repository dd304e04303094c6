#include <gtest/gtest.h>

#include <cmath>

#include "policy/ViewZoom.h"

using namespace lumetra;

namespace {

// A 950 x 712.5 picture in a 1200 x 800 widget: the height decides the fit.
constexpr double kW = 1200.0;
constexpr double kH = 800.0;
const ViewFit kFit = fitView({950.0, 712.5}, kW, kH);

// Whether the placed picture covers the widget along each axis where it is
// larger, and is centred along one where it is not (at fit, to a whole pixel).
void expectCoversOrCentred(const ViewFit& v) {
    const double width = v.logical.width * v.scale;
    const double height = v.logical.height * v.scale;
    if (width <= kW) {
        EXPECT_NEAR(v.left, (kW - width) / 2, 1.0);
    } else {
        EXPECT_LE(v.left, 0.0);
        EXPECT_GE(v.left + width, kW - 1e-9);
    }
    if (height <= kH) {
        EXPECT_NEAR(v.top, (kH - height) / 2, 1.0);
    } else {
        EXPECT_LE(v.top, 0.0);
        EXPECT_GE(v.top + height, kH - 1e-9);
    }
}

}  // namespace

TEST(ViewZoom, PictureAndScreenMapBothWaysAtEveryZoomAndThePictureCoversTheView) {
    ViewZoom zoom;
    EXPECT_EQ(zoom.place(kFit, kW, kH).left, kFit.left) << "fit is the fit itself";
    // Up to 16x in eighth octaves, about a point off centre, then panned.
    for (int step = 0; step <= 40; ++step) {
        const ViewFit v = zoom.place(kFit, kW, kH);
        EXPECT_NEAR(v.scale, kFit.scale * zoom.factor(), 1e-12);
        expectCoversOrCentred(v);
        for (const double px : {0.0, 0.125, 333.3, 1199.875}) {
            for (const double py : {0.0, 17.5, 799.9}) {
                EXPECT_NEAR(v.pixelX(v.unitX(px)), px, 1e-6);
                EXPECT_NEAR(v.pixelY(v.unitYUp(py)), py, 1e-6);
            }
        }
        for (const double x : {0.0, 1.0 / 16, 475.3, 950.0}) {
            EXPECT_NEAR(v.unitX(v.pixelX(x)) * v.scale, x * v.scale, 1e-6);
            EXPECT_NEAR(v.unitYUp(v.pixelY(x * 0.75)) * v.scale, x * 0.75 * v.scale, 1e-6);
        }
        zoom.zoomAbout(std::exp2(0.125), 900.0, 250.0, kFit, kW, kH);
        if (step % 5 == 0) zoom.panBy(-37.5, 61.0, kFit, kW, kH);
    }
    EXPECT_EQ(zoom.factor(), kMaxZoom) << "no further than 16x";
}

TEST(ViewZoom, ZoomingKeepsThePointUnderThePointerAndComesBackToFitExactly) {
    ViewZoom zoom;
    double px = 700.0, py = 300.0;
    for (const double ratio : {2.0, 1.5, 4.0 / 3.0, 2.0}) {
        const ViewFit before = zoom.place(kFit, kW, kH);
        const double x = before.unitX(px), y = before.unitYUp(py);
        zoom.zoomAbout(ratio, px, py, kFit, kW, kH);
        const ViewFit after = zoom.place(kFit, kW, kH);
        EXPECT_NEAR(after.pixelX(x), px, 1e-9) << zoom.factor();
        EXPECT_NEAR(after.pixelY(y), py, 1e-9) << zoom.factor();
        px -= 40.0;  // the pointer moves between steps
        py += 25.0;
    }
    EXPECT_DOUBLE_EQ(zoom.factor(), 8.0);
    // At the widget's corner the picture's corner stays put even where it is clamped.
    zoom.zoomAbout(2.0, 0.0, 0.0, kFit, kW, kH);
    zoom.zoomAbout(0.5, kW, kH, kFit, kW, kH);
    zoom.panBy(1e6, 1e6, kFit, kW, kH);
    EXPECT_EQ(zoom.place(kFit, kW, kH).left, 0.0) << "panned as far as the left edge";
    EXPECT_EQ(zoom.place(kFit, kW, kH).top, 0.0);

    zoom.zoomAbout(std::nan(""), 10.0, 10.0, kFit, kW, kH);
    zoom.zoomAbout(0.0, 10.0, 10.0, kFit, kW, kH);
    EXPECT_DOUBLE_EQ(zoom.factor(), 8.0) << "a bogus ratio changes nothing";
    for (int i = 0; i < 3; ++i) zoom.zoomAbout(0.5, 123.0, 456.0, kFit, kW, kH);
    zoom.zoomAbout(0.5, 123.0, 456.0, kFit, kW, kH);
    EXPECT_TRUE(zoom.atFit()) << "not below fit";
    const ViewFit back = zoom.place(kFit, kW, kH);
    EXPECT_EQ(back.left, kFit.left);
    EXPECT_EQ(back.scale, kFit.scale);
    zoom.panBy(50.0, 50.0, kFit, kW, kH);
    EXPECT_EQ(zoom.place(kFit, kW, kH).left, kFit.left) << "nothing to pan at fit";
}
