#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "measure/CalibrationCompletion.h"
#include "measure/MeasurementPass.h"
#include "support/RecordingSurface.h"
#include "support/TempDir.h"

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

namespace lumetra {
namespace {

namespace fs = std::filesystem;

// Each transfer as its type followed by Param1 to Param5.
class RecordingDelegate : public RQTransferDelegate {
public:
    void PassValue(const UserEntity& e, int32_t type) override {
        calls.push_back({std::to_string(type), e.Param1, e.Param2, e.Param3, e.Param4, e.Param5});
    }
    std::vector<std::vector<std::string>> calls;
};

class CalibrationCompletionTest : public testing::Test {
protected:
    CalibrationCompletionTest() : home(tmp.path()) { model.delegate = &delegate; }

    fs::path listPath() const { return tmp.path() / "Lumetra" / "calibration.plist"; }

    void writeList(const std::string& text = "<plist version=\"1.0\"><dict/></plist>") {
        fs::create_directories(listPath().parent_path());
        std::ofstream(listPath()) << text;
    }

    // Calibrates "Cal A" (magnification 60, actual length 0.5 mm) with a
    // reference line of the given length whose label anchor follows the mouse.
    void drawReferenceLine(double length = 300.0) {
        model.setMeasureMode(kModeLine, "Cal A", "mm", 60.0f, 0.5f, true);
        model.mouseDown({100, 100}, false);
        model.mouseMoved({100 + length, 100});
        model.mouseDown({100 + length, 100}, false);
        model.mouseMoved({150, 200});
    }

    std::string redraw() {  // the labels drawn
        test::RecordingSurface s;
        drawMeasurementPass(s, model, 800, 600);
        return s.labels();
    }

    test::TempDir tmp;
    test::ScopedHome home;
    RecordingDelegate delegate;
    MeasureModel model;
};

TEST_F(CalibrationCompletionTest, ReferenceLineReadsItsLengthIsStoredAndReportedOnce) {
    writeList();
    drawReferenceLine();

    EXPECT_EQ(redraw(), "L:0.500mm");
    EXPECT_FLOAT_EQ(model.fUnitLength, 0.1f);
    EXPECT_FALSE(model.bCalibration || model.bCompletedCalibration);
    EXPECT_EQ(model.strCalplist, listPath().string());
    EXPECT_THAT(delegate.calls,
                ElementsAre(ElementsAre("3", "Cal A", "60.000000", "0.100000", "mm", "Cal A")));

    // The record is stored, and another reader of property lists accepts the file.
    FILE* pipe = ::popen(("plistutil -f xml -i '" + listPath().string() + "'").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string xml(4096, '\0');
    xml.resize(std::fread(xml.data(), 1, xml.size(), pipe));
    EXPECT_EQ(::pclose(pipe), 0);
    EXPECT_THAT(xml, HasSubstr("<key>Cal A</key>"));
    EXPECT_THAT(xml, HasSubstr("<string>60.000-mm-0.100</string>"));

    // Completed once: the next redraw reports nothing more.
    redraw();
    EXPECT_EQ(delegate.calls.size(), 1u);
}

TEST_F(CalibrationCompletionTest, MissingOrUnreadableListTakesEffectButIsNotReported) {
    for (const std::string list : {"", "this is not a property list"}) {
        if (!list.empty()) writeList(list);
        drawReferenceLine();
        EXPECT_EQ(redraw(), "L:0.500mm");
        EXPECT_THAT(delegate.calls, IsEmpty());
        std::stringstream onDisk;
        onDisk << std::ifstream(listPath()).rdbuf();
        EXPECT_EQ(onDisk.str(), list);  // left as it was, or still missing
        EXPECT_EQ(fs::exists(listPath()), !list.empty());
    }
}

TEST_F(CalibrationCompletionTest, NotDueWithoutTheAnchorOrAFiniteLength) {
    writeList();
    drawReferenceLine();
    model.pt3rdPoint = {};  // no label anchor
    EXPECT_FALSE(completeCalibrationIfDue(model));
    drawReferenceLine();
    model.fScale = 0.0f;  // would read infinite, unit length 0
    EXPECT_FALSE(completeCalibrationIfDue(model));
    EXPECT_FLOAT_EQ(model.fUnitLength, 1.0f);
    EXPECT_THAT(delegate.calls, IsEmpty());

    drawReferenceLine(0.0);
    redraw();
    EXPECT_TRUE(model.bCalibration);  // checked again at the next redraw
    drawReferenceLine();
    model.delegate = nullptr;  // completes without a receiver too
    EXPECT_TRUE(completeCalibrationIfDue(model));
}

}  // namespace
}  // namespace lumetra
