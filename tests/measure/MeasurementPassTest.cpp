#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "PointText.h"
#include "measure/MeasurementPass.h"
#include "support/RecordingSurface.h"

using testing::IsEmpty;

namespace lumetra {
namespace {

using test::RecordingSurface;

constexpr RgbColor kGreen{0.0, 1.0, 0.0};
constexpr RgbColor kGrey{0.5, 0.5, 0.5};

// A stored grey 2 mm line, a green 1 mm line in progress and the crosshair.
class MeasurementPassTest : public testing::Test {
protected:
    MeasurementPassTest() {
        RQShape stored;
        static_cast<PointSlots&>(stored) = test::slotsOf("1=10,10 2=130,10 3=10,30");
        stored.type = kModeLine;
        stored.fData1 = 120.0f;
        stored.ctrLColor = kGrey;
        model.oMutShapsArray.push_back(stored);
        static_cast<PointSlots&>(model) = test::slotsOf("1=200,200 2=260,200 3=200,220");
        model.iMode = kModeLine;
        model.ctrLColor = kGreen;
        model.fData1 = 60.0f;
        model.setGridView(kGridCrosshair, 0.0f, 60.0f, 1.0f);
    }

    MeasureModel model;
};

TEST_F(MeasurementPassTest, FrameThenPreviewThenOverlayThenStoredShapes) {
    RecordingSurface s;
    drawLiveView(s, Frame::allocate(64, 48), model, 640, 480);
    ASSERT_EQ(s.images().size(), 1u);
    EXPECT_EQ(s.images()[0].rect, (RectF{0, 0, 640, 480}));
    EXPECT_EQ(s.calls().front(), "drawImage");
    EXPECT_EQ(s.outline(),
              "(200,200)(260,200) | (0,240)(640,240) | (320,0)(320,480) | (10,10)(130,10)");
    EXPECT_EQ(s.strokes()[1].color, kGreen);  // the overlay in the view's style
    EXPECT_EQ(s.strokes()[3].color, kGrey);
    EXPECT_EQ(s.labels(), "L:1.000mm L:2.000mm");

    RecordingSurface noFrame;
    drawLiveView(noFrame, Frame{}, model, 640, 480);
    EXPECT_THAT(noFrame.images(), IsEmpty());
    EXPECT_EQ(noFrame.strokes().size(), 4u);
}

TEST_F(MeasurementPassTest, CachedLayersTakeThePlaceOfOverlayAndShapes) {
    RecordingSurface s;
    CachedLayers layers;
    layers.overlay = [&](const OverlaySetting& o, double w, double) {
        EXPECT_EQ(o.iGridMode, kGridCrosshair);
        EXPECT_EQ(w, 640);
        s.drawText("overlay", {}, "Arial", 1, {});  // marks where it ran
    };
    layers.shapes = [&](std::span<const RQShape> shapes, const CalibrationValues& cal) {
        s.drawText("shapes " + std::to_string(shapes.size()) + cal.strUnit, {}, "Arial", 1, {});
    };
    model.strUnit = "um";
    drawMeasurementPass(s, model, 640, 480, layers);
    EXPECT_EQ(s.strokes().size(), 1u);  // the preview only
    EXPECT_EQ(s.labels(), "L:1.000um overlay shapes 1um");
}

}  // namespace
}  // namespace lumetra
