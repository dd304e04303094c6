#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "measure/CalibrationCompletion.h"
#include "measure/MeasurementPass.h"
#include "storage/CalibrationRecords.h"
#include "support/RecordingSurface.h"
#include "support/TempDir.h"

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

namespace lumetra {
namespace {

namespace fs = std::filesystem;
using test::RecordingSurface;

constexpr const char* kEmptyList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n<dict/>\n</plist>\n";

struct Transfer {
    UserEntity entity;
    int32_t type;
};

class RecordingDelegate : public RQTransferDelegate {
public:
    void PassValue(const UserEntity& entity, int32_t type) override {
        transfers.push_back({entity, type});
    }
    std::vector<Transfer> transfers;
};

std::string runAndCapture(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        *status = -1;
        return out;
    }
    std::array<char, 4096> buf{};
    size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
    *status = ::pclose(pipe);
    return out;
}

class CalibrationCompletionTest : public testing::Test {
protected:
    CalibrationCompletionTest() : home(tmp.path()) {
        model.initVideoView();
        model.resetMeasureParas();
        model.delegate = &delegate;
    }

    fs::path listPath() const { return tmp.path() / "Lumetra" / "calibration.plist"; }

    void writeList(const std::string& contents) {
        fs::create_directories(listPath().parent_path());
        std::ofstream(listPath()) << contents;
    }

    // Starts calibrating "Cal-A" (magnification 60, actual length 0.5 mm) and
    // draws a 300 px reference line whose label anchor follows the mouse.
    void drawReferenceLine(double length = 300.0) {
        model.setMeasureMode(kModeLine, "Cal A", "mm", 60.0f, 0.5f, true);
        model.mouseDown({100, 100}, false);
        model.mouseMoved({100 + length, 100});
        model.mouseDown({100 + length, 100}, false);
        model.mouseMoved({150, 200});
    }

    RecordingSurface redraw() {
        RecordingSurface s;
        drawMeasurementPass(s, model, 800, 600);
        return s;
    }

    test::TempDir tmp;
    test::ScopedHome home;
    RecordingDelegate delegate;
    MeasureModel model;
};

TEST_F(CalibrationCompletionTest, ReferenceLineReadsItsActualLengthAndIsStored) {
    writeList(kEmptyList);
    drawReferenceLine();
    ASSERT_TRUE(model.bCalibration);
    ASSERT_TRUE(model.bCompletedCalibration);

    const RecordingSurface s = redraw();

    EXPECT_FLOAT_EQ(model.fUnitLength, 0.1f);
    EXPECT_FALSE(model.bCalibration);
    EXPECT_FALSE(model.bCompletedCalibration);
    EXPECT_EQ(model.strCalplist, tmp.path().string() + "/Lumetra/calibration.plist");
    EXPECT_THAT(s.textStrings(), ElementsAre("L:0.500mm"));
    EXPECT_EQ(model.iMode, kModeLine);  // stays on the line tool

    const auto entries = readCalibrationList(listPath().string());
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ((*entries)[0].name, "Cal A");
    EXPECT_EQ((*entries)[0].record, "60.000-mm-0.100");

    int status = 0;
    const std::string xml =
        runAndCapture("plistutil -f xml -i '" + listPath().string() + "'", &status);
    EXPECT_EQ(status, 0);
    EXPECT_THAT(xml, HasSubstr("<key>Cal A</key>"));
    EXPECT_THAT(xml, HasSubstr("<string>60.000-mm-0.100</string>"));
}

TEST_F(CalibrationCompletionTest, SendsTransferThreeWithTheNewValues) {
    writeList(kEmptyList);
    drawReferenceLine();
    redraw();
    ASSERT_EQ(delegate.transfers.size(), 1u);
    const Transfer& t = delegate.transfers[0];
    EXPECT_EQ(t.type, kTransferCalibrationStored);
    EXPECT_EQ(t.entity.Param1, "Cal A");
    EXPECT_EQ(t.entity.Param2, "60.000000");
    EXPECT_EQ(t.entity.Param3, "0.100000");
    EXPECT_EQ(t.entity.Param4, "mm");
    EXPECT_EQ(t.entity.Param5, "Cal A");
}

TEST_F(CalibrationCompletionTest, CompletesOnceAndLaterLinesReadInTheNewCalibration) {
    writeList(kEmptyList);
    drawReferenceLine();
    redraw();
    EXPECT_THAT(redraw().textStrings(), ElementsAre("L:0.500mm"));
    EXPECT_FLOAT_EQ(model.fUnitLength, 0.1f);
    model.mouseDown({150, 200}, false);  // stores the reference line
    ASSERT_EQ(model.oMutShapsArray.size(), 1u);
    model.mouseDown({100, 300}, false);
    model.mouseMoved({700, 300});
    model.mouseDown({700, 300}, false);
    model.mouseMoved({300, 400});
    const RecordingSurface s = redraw();
    EXPECT_THAT(s.textStrings(), ElementsAre("L:1.000mm", "L:0.500mm"));  // preview, then stored
    EXPECT_EQ(delegate.transfers.size(), 1u);
}

TEST_F(CalibrationCompletionTest, MissingListStoresNothingAndTellsNobody) {
    drawReferenceLine();
    const RecordingSurface s = redraw();
    EXPECT_FLOAT_EQ(model.fUnitLength, 0.1f);  // in force in the view all the same
    EXPECT_FALSE(model.bCalibration);
    EXPECT_THAT(s.textStrings(), ElementsAre("L:0.500mm"));
    EXPECT_THAT(delegate.transfers, IsEmpty());
    EXPECT_FALSE(fs::exists(listPath()));
}

TEST_F(CalibrationCompletionTest, UnreadableListIsNotReportedAsStored) {
    writeList("this is not a property list");
    drawReferenceLine();
    redraw();
    EXPECT_FLOAT_EQ(model.fUnitLength, 0.1f);
    EXPECT_THAT(delegate.transfers, IsEmpty());
    std::ifstream in(listPath());
    std::string contents;
    std::getline(in, contents);
    EXPECT_EQ(contents, "this is not a property list");
}

TEST_F(CalibrationCompletionTest, HalfLengthLineDoublesTheUnitLengthWithoutDelegate) {
    model.delegate = nullptr;
    model.iMode = kModeLine;
    model.bCalibration = true;
    model.bCompletedCalibration = true;
    model.fActualLength = 1.0f;
    model.fUnitLength = 1.0f;
    model.fScale = 60.0f;
    model.fData1 = 30.0f;  // reads 0.5
    model.pt1stPoint = {10, 10};
    model.pt2ndPoint = {40, 10};
    model.pt3rdPoint = {20, 20};
    EXPECT_TRUE(completeCalibrationIfDue(model));
    EXPECT_FLOAT_EQ(model.fUnitLength, 2.0f);
}

TEST_F(CalibrationCompletionTest, NotDueUntilLineAnchorAndFlagsAreThere) {
    writeList(kEmptyList);
    model.setMeasureMode(kModeLine, "Cal A", "mm", 60.0f, 0.5f, true);
    model.mouseDown({100, 100}, false);
    model.mouseMoved({400, 100});  // anchor follows, second end not placed
    EXPECT_FALSE(completeCalibrationIfDue(model));
    model.mouseDown({400, 100}, false);
    model.pt3rdPoint = {};  // no label anchor yet
    EXPECT_FALSE(completeCalibrationIfDue(model));
    model.pt3rdPoint = {150, 200};
    model.iMode = kModeCircleRadius;
    EXPECT_FALSE(completeCalibrationIfDue(model));
    model.iMode = kModeLine;
    model.bCalibration = false;
    EXPECT_FALSE(completeCalibrationIfDue(model));
    EXPECT_FLOAT_EQ(model.fUnitLength, 1.0f);
    EXPECT_THAT(delegate.transfers, IsEmpty());
}

TEST_F(CalibrationCompletionTest, ZeroOrInfiniteLengthDoesNotComplete) {
    writeList(kEmptyList);
    model.setMeasureMode(kModeLine, "Cal A", "mm", 60.0f, 0.5f, true);
    model.mouseDown({100, 100}, false);
    model.mouseDown({100, 100}, false);  // second end on the first: 0 px
    model.mouseMoved({150, 200});
    redraw();
    EXPECT_TRUE(model.bCalibration);  // checked again at the next redraw
    EXPECT_TRUE(model.bCompletedCalibration);

    drawReferenceLine();
    model.fScale = 0.0f;  // the line would read infinite and the unit length become 0
    EXPECT_FALSE(completeCalibrationIfDue(model));
    EXPECT_FLOAT_EQ(model.fUnitLength, 1.0f);
    EXPECT_THAT(delegate.transfers, IsEmpty());
}

}  // namespace
}  // namespace lumetra
