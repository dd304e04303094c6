#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "PointText.h"
#include "measure/MeasurementPass.h"
#include "support/RecordingSurface.h"

using testing::IsEmpty;

namespace lumetra {
namespace {

using test::RecordingSurface;

constexpr RgbColor kGreen{0.0, 1.0, 0.0};
constexpr RgbColor kGrey{0.5, 0.5, 0.5};

RQShape stored(uint8_t type, const char* points, float fData1) {
    RQShape s;
    static_cast<PointSlots&>(s) = test::slotsOf(points);
    s.type = type;
    s.fData1 = fData1;
    return s;
}

// A stored grey 2 mm line and a note, a green 1 mm line in progress and the
// crosshair. The view's style differs from the stored line's in every field.
class MeasurementPassTest : public testing::Test {
protected:
    MeasurementPassTest() {
        RQShape line = stored(kModeLine, "1=10,10 2=130,10 3=10,30", 120.0f);
        line.iLineWidth = 4;
        line.iFontSize = 20;
        line.ctrLColor = kGrey;
        line.ctrFColor = kGrey;
        RQShape note = stored(kModeText, "1=40,30", 0.0f);
        note.textValue = "Sample 7 \u00B5m";
        model.oMutShapsArray = {line, note};
        static_cast<PointSlots&>(model) = test::slotsOf("1=200,200 2=260,200 3=200,220");
        model.iMode = kModeLine;
        model.iLineWidth = 5;
        model.iFontSize = 30;
        model.ctrLColor = kGreen;
        model.ctrFColor = kGreen;
        model.fData1 = 60.0f;
        model.setGridView(kGridCrosshair, 0.0f, 60.0f, 1.0f);
    }

    MeasureModel model;
};

TEST_F(MeasurementPassTest, FramePreviewOverlayThenStoredShapesEachInItsStyle) {
    RecordingSurface s;
    drawLiveView(s, Frame::allocate(64, 48), model, 640, 480);
    ASSERT_EQ(s.images().size(), 1u);
    EXPECT_EQ(s.images()[0].rect, (RectF{0, 0, 640, 480}));
    EXPECT_EQ(s.outline(),
              "(200,200)(260,200) | (0,240)(640,240) | (320,0)(320,480) | (10,10)(130,10)");
    // Preview and overlay in the view's current style, stored shapes in their own.
    for (size_t k : {0, 1, 3})
        EXPECT_EQ(std::pair(s.strokes()[k].lineWidth, s.strokes()[k].color),
                  k == 3 ? std::pair(4.0, kGrey) : std::pair(5.0, kGreen));
    ASSERT_EQ(s.labels(), "L:1.000mm L:2.000mm Sample 7 \u00B5m");
    const auto& t = s.texts();
    EXPECT_EQ(std::tuple(t[0].fontSize, t[1].fontSize, t[1].color), std::tuple(30.0, 20.0, kGrey));
    EXPECT_EQ(std::tuple(t[2].origin, t[2].color), std::tuple(Point{40, 30}, kPureBlue));

    RecordingSurface noFrame;
    drawLiveView(noFrame, Frame{}, model, 640, 480);
    EXPECT_THAT(noFrame.images(), IsEmpty());
}

TEST_F(MeasurementPassTest, CachedLayersTakeThePlaceOfOverlayAndShapes) {
    RecordingSurface s;
    CachedLayers layers;
    layers.overlay = [&](const OverlaySetting& o, double w, double) {
        s.drawText("overlay " + std::to_string(int{o.iGridMode}) + " " + std::to_string(int(w)), {},
                   "Arial", 1, {});
    };
    layers.shapes = [&](std::span<const RQShape> shapes, const CalibrationValues& cal) {
        s.drawText("shapes " + std::to_string(shapes.size()) + cal.strUnit, {}, "Arial", 1, {});
    };
    model.strUnit = "um";
    drawMeasurementPass(s, model, 640, 480, layers);
    EXPECT_EQ(s.strokes().size(), 1u);  // the preview only
    EXPECT_EQ(s.labels(),
              "L:1.000um overlay " + std::to_string(int{kGridCrosshair}) + " 640 shapes 2um");
}

// The counts per class stand in the top right corner of the view, cached shapes
// or not, and of snapshots at their size.
TEST_F(MeasurementPassTest, CountLegendInTheCornerOfViewAndSnapshot) {
    RQShape mark = stored(kModeCount, "1=300,300", 0.0f);
    mark.markClass = 4;
    model.oMutShapsArray.push_back(mark);
    model.oMutShapsArray.push_back(mark);
    model.countClassNames[3] = "Spores";
    RecordingSurface view;
    CachedLayers layers;
    layers.shapes = [](std::span<const RQShape>, const CalibrationValues&) {};
    drawMeasurementPass(view, model, 640, 480, layers);
    ASSERT_FALSE(view.texts().empty());
    EXPECT_EQ(view.texts().back().text, "4 Spores: 2");
    EXPECT_EQ(view.texts().back().color, countClassColor(4));
    EXPECT_GT(std::min(view.texts().back().origin.x, view.texts().back().origin.y), 400.0);

    RecordingSurface snapshot;
    drawShapes(snapshot, model, 1280, 960, 2.0f, 2.0f);
    EXPECT_EQ(snapshot.texts().back().text, "4 Spores: 2");
    EXPECT_GT(std::min(snapshot.texts().back().origin.x, snapshot.texts().back().origin.y), 880.0);
}

}  // namespace
}  // namespace lumetra
