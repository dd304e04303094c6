// The click/move state machine of MeasureModel: every tool driven through a
// whole click-and-move sequence, and the stored RQShape checked.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "PointText.h"
#include "measure/MeasureModel.h"

namespace lumetra {
namespace {

constexpr RgbColor kGreen{0.0, 1.0, 0.0};
constexpr RgbColor kGrey{0.5, 0.5, 0.5};

class RecordingDelegate : public RQTransferDelegate {
public:
    void PassValue(const UserEntity& entity, int32_t type) override {
        EXPECT_TRUE(entity.Param1.empty() && entity.Param5.empty());
        types.push_back(type);
    }
    std::vector<int32_t> types;
};

class MeasureInteraction : public ::testing::Test {
protected:
    void SetUp() override {
        m.viewWidth = 800;
        m.viewHeight = 600;
        m.delegate = &delegate;
        m.iLineWidth = 5;  // a style other than the initial one
        m.iFontSize = 24;
        m.iDecimal = 1;
        m.ctrLColor = kGreen;
        m.ctrFColor = kGrey;
    }
    void choose(int32_t mode) { m.setMeasureMode(mode, "", "mm", 60.0f, 1.0f, false); }
    // Mouse events as text: "c10,20" click, "k10,20" Control-click, "m10,20" move.
    void run(const std::string& script) { test::playMouse(m, script); }
    void expectNoPoints() {
        for (int k = 1; k <= 10; ++k) EXPECT_EQ(m.pt(k), Point{}) << "slot " << k;
        EXPECT_EQ(m.fData1, 0.0f);
    }

    MeasureModel m;
    RecordingDelegate delegate;
};

struct Sequence {
    int32_t mode;
    const char* events;
    const char* slots;  // the stored shape's points
    float fData1;
};

TEST_F(MeasureInteraction, EveryToolStoresItsShapeWithTheStyleOfItsCreation) {
    const Sequence sequences[] = {
        // Line: the end where clicked; the storing click's place is not used.
        {kModeLine, "c100,100 m160,180 c130,140 m250,250 c10,10", "1=100,100 2=130,140 3=250,250",
         50},
        // Continuous line ended by Control right after its start; once ended it
        // ignores Control-clicks.
        {kModeContinuousLine, "c10,10 k40,50 m70,70 k80,80 c60,60", "1=10,10 2=40,50 10=60,60", 50},
        // Continuous line: vertices where clicked, the length taken from them.
        {kModeContinuousLine, "c10,10 m13,14 c20,10 k20,40 c50,50",
         "1=10,10 2=20,10 3=20,40 10=50,50", 40},
        {kModeParallelLines, "c10,10 m110,10 c110,10 m35,30 c60,60 m70,80 c5,5",
         "1=10,10 2=110,10 3=60,60 4=60,10 5=70,80", 50},
        {kModeCircleRadius, "c100,100 m130,140 c130,140 m200,60 c1,1",
         "1=100,100 2=130,140 3=200,60", 50},
        {kModeCircleDiameter, "c100,100 m160,180 c160,180 m250,250 c250,250",
         "1=100,100 2=160,180 3=250,250", 100},
        {kModeCircleThreePoints, "c10,10 m50,50 c110,10 m10,110 c10,110 m200,200 c1,1",
         "1=10,10 2=110,10 3=10,110 4=200,200 5=60,60", static_cast<float>(std::sqrt(5000.0))},
        // The vertex's coordinates are truncated for the angle.
        {kModeAngleThreePoints, "c110,10 m20,100 c10,110 m10.7,10.9 c10,10 m150,150 c3,3",
         "1=110,10 2=10,110 3=10,10 4=150,150", 90},
        {kModeAngleFourPoints,
         "c10,10 m110,10 c110,10 m80,80 c60,60 m110,110 c110,110 m300,40 c1,1",
         "1=10,10 2=110,10 3=60,60 4=110,110 5=300,40", 45},
        {kModePolygon, "c10,10 m110,10 c110,10 m110,110 c110,110 m10,110 k10,110 m200,50 c220,60",
         "1=10,10 2=110,10 3=110,110 4=10,110 10=220,60", 10000},
        // A Control-click away from the last move: the area is the clicked vertex's.
        {kModePolygon, "c10,10 c110,10 m110,110 k110,210 c300,300",
         "1=10,10 2=110,10 3=110,210 10=300,300", 10000},
        {kModeText, "c100,100 m150,120 c400,400", "1=150,120", 0},
        // Nine vertices end a figure by themselves; then only the label follows the mouse.
        {kModePolygon,
         "c10,10 c60,10 c110,10 c110,60 c110,110 c60,110 c10,110 c10,80 c10,40 m300,300 c310,320",
         "1=10,10 2=60,10 3=110,10 4=110,60 5=110,110 6=60,110 7=10,110 8=10,80 9=10,40 10=310,320",
         10000},
    };
    for (const Sequence& seq : sequences) {
        SCOPED_TRACE(seq.events);
        const bool text = seq.mode == kModeText;
        choose(seq.mode);
        if (text) m.textField->stringValue = "sample A";
        run("m333,333");  // before the first click a move changes nothing
        expectNoPoints();

        run(seq.events);

        ASSERT_EQ(m.oMutShapsArray.size(), 1u);
        const RQShape& s = m.oMutShapsArray[0];
        EXPECT_EQ(s.type, seq.mode);
        const PointSlots expected = test::slotsOf(seq.slots);
        for (int k = 1; k <= 10; ++k) EXPECT_EQ(s.pt(k), expected.pt(k)) << "slot " << k;
        EXPECT_NEAR(s.fData1, seq.fData1, 1e-4);
        // The style of its creation; a text keeps the initial decimals.
        EXPECT_EQ(std::tuple(int{s.iLineWidth}, int{s.iFontSize}, int{s.iDecimal}),
                  std::tuple(5, 24, text ? 3 : 1));
        EXPECT_EQ(std::tuple(s.ctrLColor, s.ctrFColor), std::tuple(kGreen, kGrey));
        EXPECT_EQ(s.textValue, text ? "sample A" : "");
        // Idle again: same tool (none after a text), nothing in progress.
        EXPECT_EQ(m.iMode, text ? kModeNone : seq.mode);
        expectNoPoints();
        const bool figure = seq.mode == kModeContinuousLine || seq.mode == kModePolygon;
        EXPECT_EQ(delegate.types,
                  figure ? std::vector<int32_t>{kTransferFigureStored} : std::vector<int32_t>{});
        m.removeShapes(ShapeRemoval::All);
        delegate.types.clear();
    }
}

TEST_F(MeasureInteraction, ControlClicksAndModesWithoutAToolStartNothing) {
    for (int32_t mode : {0, 7, 13, 200}) {
        choose(mode);
        run("c100,100 m150,150 c150,150 k160,160");
        EXPECT_TRUE(m.oMutShapsArray.empty()) << mode;
        expectNoPoints();
    }
    // Only an unfinished continuous line or polygon takes a Control-click.
    choose(kModeLine);
    run("c100,100 k150,100");
    EXPECT_LT(m.iToolStep, 2) << "no second end";
    for (int32_t mode : {kModePolygon, kModeContinuousLine}) {
        choose(mode);
        run("k10,10");
        EXPECT_FALSE(m.shapeInProgress()) << mode;
    }
    m.delegate = nullptr;  // storing a figure needs no receiver
    run("c10,10 k20,20 c30,30");
    EXPECT_EQ(m.oMutShapsArray.size(), 1u);
}

TEST_F(MeasureInteraction, EveryToolCanBeAbandonedAndTakesDegenerateClicks) {
    const std::string steps = "m20,40 c20,40 m50,50 c50,50 m80,60 c80,60 m90,70 c90,70";
    for (int32_t mode : {1, 2, 3, 4, 5, 6, 8, 9, 10}) {
        for (size_t clicks = 1; clicks <= 4; ++clicks) {
            choose(mode);
            run(steps.substr(0, 14 * clicks));  // one to four clicks
            const size_t stored = m.oMutShapsArray.size();
            choose(mode);     // abandons the shape in progress
            run("c500,500");  // and the next click starts afresh
            SCOPED_TRACE(testing::Message() << mode << "/" << clicks);
            EXPECT_EQ(m.oMutShapsArray.size(), stored);
            EXPECT_EQ(std::pair(m.pt1stPoint, m.pt3rdPoint), std::pair(Point{500, 500}, Point{}));
            m.removeShapes(ShapeRemoval::All);
        }
        // Every click on one point: zero-length bases, coinciding circle points.
        choose(mode);
        for (int c = 0; c < 10 && m.oMutShapsArray.empty(); ++c) run("m50,50 c50,50");
        ASSERT_EQ(m.oMutShapsArray.size(), 1u) << mode;
        const RQShape& s = m.oMutShapsArray[0];
        EXPECT_TRUE(std::isfinite(s.fData1) && std::isfinite(s.fData3)) << mode;
        for (int k = 1; k <= 10; ++k)
            EXPECT_TRUE(std::isfinite(s.pt(k).x) && std::isfinite(s.pt(k).y)) << mode;
        m.removeShapes(ShapeRemoval::All);
    }
}

}  // namespace
}  // namespace lumetra
