#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "measure/MeasurementPass.h"
#include "support/RecordingSurface.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace lumetra {
namespace {

using test::RecordingSurface;

constexpr RgbColor kGreen{0.0, 1.0, 0.0};
constexpr RgbColor kGrey{0.5, 0.5, 0.5};

class MeasurementPassTest : public testing::Test {
protected:
    MeasurementPassTest() {
        model.initVideoView();
        model.resetMeasureParas();
        RQShape stored;
        stored.type = kModeLine;
        stored.pt1stPoint = {10, 10};
        stored.pt2ndPoint = {130, 10};
        stored.pt3rdPoint = {10, 30};
        stored.fData1 = 120.0f;
        stored.ctrLColor = kGrey;
        model.oMutShapsArray.push_back(stored);
        // A line in progress, drawn in the view's current (green) style.
        model.iMode = kModeLine;
        model.ctrLColor = kGreen;
        model.pt1stPoint = {200, 200};
        model.pt2ndPoint = {260, 200};
        model.pt3rdPoint = {200, 220};
        model.fData1 = 60.0f;
        model.setGridView(kGridCrosshair, 0.0f, 60.0f, 1.0f);
    }

    MeasureModel model;
};

TEST_F(MeasurementPassTest, FramePreviewOverlayThenStoredShapes) {
    RecordingSurface s;
    const Frame frame = Frame::allocate(64, 48);
    drawLiveView(s, frame, model, 640, 480);

    ASSERT_EQ(s.images().size(), 1u);
    EXPECT_EQ(s.images()[0].rect, (RectF{0, 0, 640, 480}));
    EXPECT_EQ(s.calls().front(), "drawImage");

    // Preview (green), the crosshair's two strokes (green, view style), the stored line (grey).
    ASSERT_EQ(s.strokes().size(), 4u);
    EXPECT_EQ(s.strokes()[0].pieces[0].points.front(), (Point{200, 200}));
    EXPECT_EQ(s.strokes()[1].pieces[0].points, (std::vector<Point>{{0, 240}, {640, 240}}));
    EXPECT_EQ(s.strokes()[2].pieces[0].points, (std::vector<Point>{{320, 0}, {320, 480}}));
    EXPECT_EQ(s.strokes()[3].color, kGrey);
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.000mm", "L:2.000mm"));
}

TEST_F(MeasurementPassTest, NoFrameNoImage) {
    RecordingSurface s;
    drawLiveView(s, Frame{}, model, 640, 480);
    EXPECT_THAT(s.images(), IsEmpty());
    EXPECT_EQ(s.strokes().size(), 4u);
}

TEST_F(MeasurementPassTest, CachedLayersReplaceOverlayAndShapesInPlace) {
    RecordingSurface s;
    CachedLayers layers;
    layers.overlay = [&](const OverlaySetting& o, double w, double h) {
        EXPECT_EQ(o.iGridMode, kGridCrosshair);
        EXPECT_EQ(o.ctrLColor, kGreen);
        EXPECT_EQ(w, 640);
        EXPECT_EQ(h, 480);
        s.drawText("overlay", {}, "Arial", 1, {});  // marks where it ran
    };
    drawMeasurementPass(s, model, 640, 480, layers);
    EXPECT_EQ(s.strokes().size(), 2u);  // preview and stored line only
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.000mm", "overlay", "L:2.000mm"));

    model.strUnit = "um";
    layers.shapes = [&](std::span<const RQShape> shapes, const CalibrationValues& cal) {
        EXPECT_EQ(shapes.size(), 1u);
        EXPECT_EQ(cal.strUnit, "um");
        s.drawText("shapes", {}, "Arial", 1, {});
    };
    RecordingSurface& again = s = RecordingSurface{};
    drawMeasurementPass(again, model, 640, 480, layers);
    EXPECT_EQ(again.strokes().size(), 1u);  // the preview only
    EXPECT_THAT(again.textStrings(), ElementsAre("L:1.000um", "overlay", "shapes"));
}

TEST_F(MeasurementPassTest, SnapshotVariantUsesTheModelsShapesCalibrationAndOverlay) {
    model.fUnitLength = 1000.0f;
    model.strUnit = "um";
    RecordingSurface s;
    drawShapes(s, model, 1280.0f, 960.0f, 2.0f, 2.0f);
    ASSERT_EQ(s.strokes().size(), 3u);  // the stored line and the crosshair; no preview
    EXPECT_EQ(s.strokes()[0].pieces[0].points, (std::vector<Point>{{20, 20}, {260, 20}}));
    EXPECT_EQ(s.strokes()[1].pieces[0].points, (std::vector<Point>{{0, 480}, {1280, 480}}));
    EXPECT_THAT(s.textStrings(), ElementsAre("L:2000.000um"));
}

}  // namespace
}  // namespace lumetra
