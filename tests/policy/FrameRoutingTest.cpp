#include <gtest/gtest.h>

#include "policy/FrameRouting.h"
#include "support/FakeFrameTarget.h"

using namespace lumetra;

namespace {

ViewFacts laidOut(uint16_t w, uint16_t h) {
    ViewFacts f;
    f.iVideoWidth = f.iNewVideoWidth = w;
    f.iVideoHeight = f.iNewVideoHeight = h;
    return f;
}

FrameMarks marks(bool decoded, bool changed) {
    FrameMarks m;
    m.decoded = decoded;
    m.changed = changed;
    return m;
}

}  // namespace

TEST(FrameRoutingPath, PlainViewTakesTheFastPathChangedOrNot) {
    const ViewFacts f = laidOut(640, 480);
    EXPECT_EQ(routeFrame(f, marks(true, true)), (FrameRoute{false, FramePath::Layer, true}));
    EXPECT_EQ(routeFrame(f, marks(true, false)), (FrameRoute{false, FramePath::Layer, true}));
}

TEST(FrameRoutingPath, ShapeToolOverlayTextOrScaleBarRedrawsOnlyChangedPicturesButRecordsAll) {
    ViewFacts withShape = laidOut(640, 480);
    withShape.shapesPresent = true;
    ViewFacts withTool = laidOut(640, 480);
    withTool.iMode = kModeLine;
    ViewFacts withGrid = laidOut(640, 480);
    withGrid.iGridMode = kGridScale;
    ViewFacts placingText = laidOut(640, 480);  // the window's own tool is back to 0
    placingText.viewTextTool = true;
    ViewFacts withScaleBar = laidOut(640, 480);
    withScaleBar.scaleBar = true;
    for (ViewFacts f : {withShape, withTool, withGrid, placingText, withScaleBar}) {
        f.redrawing = true;
        EXPECT_EQ(routeFrame(f, marks(true, true)), (FrameRoute{false, FramePath::Image, true}));
        EXPECT_EQ(routeFrame(f, marks(true, false)), (FrameRoute{false, FramePath::None, true}));
    }
}

TEST(FrameRoutingPath, UnchangedPictureStillMovesTheViewOffTheFastPath) {
    ViewFacts f = laidOut(640, 480);
    f.iMode = kModeLine;  // a tool was just chosen over a still picture
    EXPECT_EQ(routeFrame(f, marks(true, false)), (FrameRoute{false, FramePath::Image, true}));
}

TEST(FrameRoutingPath, RepeatedPictureReachesTheViewOnlyToChangeItsPath) {
    FrameMarks repeated = marks(true, false);
    repeated.repeated = true;
    ViewFacts plain = laidOut(640, 480);
    ViewFacts withTool = laidOut(640, 480);
    withTool.iMode = kModeLine;
    for (const bool redrawing : {false, true}) {
        plain.redrawing = withTool.redrawing = redrawing;
        EXPECT_EQ(routeFrame(plain, repeated),
                  (FrameRoute{false, redrawing ? FramePath::Layer : FramePath::None, true}));
        EXPECT_EQ(routeFrame(withTool, repeated),
                  (FrameRoute{false, redrawing ? FramePath::None : FramePath::Image, true}));
    }
}

TEST(FrameRoutingPath, PictureThatDidNotDecodeIsNeitherShownNorRecorded) {
    ViewFacts f;  // not laid out yet: still no layout for a picture that is not shown
    EXPECT_EQ(routeFrame(f, marks(false, true)), FrameRoute{});
}

TEST(FrameRoutingLayout, ChangeInEitherDimensionLaysTheViewOutAgain) {
    ViewFacts f = laidOut(1280, 720);
    f.iNewVideoHeight = 960;
    EXPECT_TRUE(routeFrame(f, marks(true, true)).relayout);
    f = laidOut(1280, 720);
    f.iNewVideoWidth = 1920;
    EXPECT_TRUE(routeFrame(f, marks(true, true)).relayout);
    EXPECT_FALSE(routeFrame(laidOut(1280, 720), marks(true, true)).relayout);
}

TEST(FrameRoutingDisplay, AppliesLayoutViewAndRecorderInThatOrder) {
    test::FakeFrameTarget w;
    w.facts.iNewVideoWidth = 1280;
    w.facts.iNewVideoHeight = 720;
    const Frame frame = Frame::allocate(8, 8);
    w.show(frame, marks(true, true));
    ASSERT_EQ(w.layouts.size(), 1u);
    EXPECT_EQ(w.layouts[0], std::make_pair(1280, 720));
    EXPECT_EQ(w.layerFrames.size(), 1u);
    EXPECT_EQ(w.recorded.size(), 1u);
    w.show(frame, marks(true, true));
    EXPECT_EQ(w.layouts.size(), 1u) << "laid out once per size";
}

TEST(FrameRoutingDisplay, NullFrameDoesNothing) {
    test::FakeFrameTarget w;
    EXPECT_EQ(displayFrame(w, Frame{}, marks(true, true)), FrameRoute{});
    EXPECT_TRUE(w.layouts.empty());
    EXPECT_TRUE(w.recorded.empty());
}
