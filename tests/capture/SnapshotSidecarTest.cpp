#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <tuple>

#include "capture/SnapshotReopening.h"
#include "capture/SnapshotSidecar.h"
#include "capture/SnapshotWriter.h"
#include "image/JpegCodec.h"
#include "image/JpegComment.h"
#include "measure/tools/ToolTable.h"
#include "storage/StorageLayout.h"
#include "support/FileSizeLimit.h"
#include "support/GreyFrame.h"
#include "support/TempDir.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;

using test::greyFrame;
using test::slurp;

// One shape of every tool, points in every slot it keeps but the last.
SnapshotRecord sampleRecord(int shapesPerTool = 1) {
    SnapshotRecord r;
    r.frameWidth = 1280;
    r.frameHeight = 960;
    r.viewWidth = 640.0;
    r.viewHeight = 480.0;
    r.calibrationName = "10x \"objective\"\n\u00B5";
    r.calibration = {62.5f, 0.1f, "\u00B5m"};
    for (int n = 0; n < shapesPerTool; ++n) {
        for (const ToolSpec& tool : measureTools()) {
            RQShape s;
            s.type = tool.mode;
            for (int k = 1; k < tool.pointSlots; ++k) s.pt(k) = {10.25 * k + n, 400.0 / k};
            s.fData1 = 123.456f + static_cast<float>(n);
            s.iDecimal = static_cast<uint8_t>(n % 5);
            if (tool.label == LabelKind::Text) s.textValue = "a, \"b\"\n\u00E9";
            if (tool.mode == kModeCount) s.markClass = static_cast<uint8_t>(2 + n % 2);
            r.shapes.push_back(s);
        }
    }
    return r;
}

TEST(SnapshotSidecar, ReadBackRecomputesEveryValue) {
    SnapshotRecord record = sampleRecord();
    record.shapes[0].fData1 = std::numeric_limits<float>::quiet_NaN();  // written as null
    const std::string json = sidecarJson(record);
    const auto back = parseSidecar(json);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tuple(back->frameWidth, back->viewHeight, back->calibrationName),
              std::tuple(1280, 480.0, record.calibrationName));
    ASSERT_EQ(back->shapes.size(), record.shapes.size());

    const auto doc = nlohmann::json::parse(json);
    EXPECT_EQ(doc["version"], kSidecarVersion);
    // Beyond float's range reads as infinity.
    auto huge = doc;
    huge["shapes"][1]["rawValue"] = -1e300;
    EXPECT_EQ(parseSidecar(huge.dump())->shapes[1].fData1, -std::numeric_limits<float>::infinity());
    for (size_t i = 0; i < record.shapes.size(); ++i) {
        const RQShape& was = record.shapes[i];
        const RQShape& is = back->shapes[i];
        SCOPED_TRACE(findTool(was.type)->name);
        EXPECT_EQ(is.type, was.type);
        EXPECT_EQ(is.iDecimal, was.iDecimal);
        EXPECT_EQ(is.textValue, was.textValue);
        EXPECT_EQ(is.markClass, was.markClass);
        for (int k = 1; k <= 10; ++k) EXPECT_EQ(is.pt(k), was.pt(k)) << k;
        // The values written, recomputed from what was read.
        const auto values = measurementValues(is.type, is.fData1, back->calibration);
        const auto& written = doc["shapes"][i]["values"];
        ASSERT_EQ(written.size(), values.size());
        for (size_t v = 0; v < values.size(); ++v) {
            if (written[v]["value"].is_null()) {
                EXPECT_TRUE(std::isnan(values[v].value));
                continue;
            }
            const double w = written[v]["value"].get<double>();
            EXPECT_NEAR(values[v].value, w, std::abs(w) * 1e-6);
            EXPECT_EQ(formatFixed(is.iDecimal, values[v].value), written[v]["text"]);
        }
    }
}

// Marks keep their class; the counts per class are written with the classes' names,
// and each mark's number is its running number in its class.
TEST(SnapshotSidecar, MarksKeepTheirClassAndTheCountsAreWritten) {
    SnapshotRecord record = sampleRecord(3);  // marks of classes 2, 3, 2
    record.countClassNames[1] = "Spores \"A\"";
    const auto doc = nlohmann::json::parse(sidecarJson(record));
    EXPECT_EQ(doc["counts"],
              nlohmann::json::parse(R"([{"class": 2, "name": "Spores \"A\"", "count": 2},
                                                        {"class": 3, "name": "Class 3", "count": 1}])"));
    std::vector<int> markNumbersWritten;
    for (const auto& shape : doc["shapes"])
        if (shape["type"] == kModeCount) markNumbersWritten.push_back(shape["number"]);
    EXPECT_EQ(markNumbersWritten, (std::vector<int>{1, 1, 2}));
    const auto back = parseSidecar(doc.dump());
    ASSERT_TRUE(back);
    EXPECT_EQ(countsPerClass(back->shapes), countsPerClass(record.shapes));
}

TEST(SnapshotSidecar, MalformedSidecarsAreRefused) {
    const auto valid = nlohmann::json::parse(sidecarJson(sampleRecord()));
    ASSERT_TRUE(parseSidecar(valid.dump()));
    const auto changed = [&](const char* pointer, nlohmann::json value) {
        auto doc = valid;
        doc[nlohmann::json::json_pointer(pointer)] = std::move(value);
        return doc.dump();
    };
    const auto without = [&](const char* key) {
        auto doc = valid;
        doc.erase(key);
        return doc.dump();
    };
    const std::vector<std::string> broken = {
        "{",
        "[]",
        changed("/version", 2),
        without("shapes"),
        changed("/frame/height", 70000),
        changed("/calibration/magnification", "60"),
        changed("/shapes/0/type", 7),
        changed("/shapes/0/points", nlohmann::json::array({nullptr, nullptr, nullptr, nullptr})),
        changed("/shapes/0/points/0", nlohmann::json::array({1, 2, 3})),
        changed("/shapes/0/decimals", 256),
        changed("/shapes/9/text", 5),
        changed("/shapes/10/class", 10),  // a mark of no class
    };
    for (const auto& text : broken) EXPECT_FALSE(parseSidecar(text)) << text;
}

TEST(SnapshotSidecar, WrittenAfterThePictureWhichCarriesTheComment) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    // A sidecar left behind by a deleted picture keeps its name from being reused.
    std::ofstream(folder + "20250101000000.jpg.json") << "{}";
    const auto saved =
        writeSnapshot(greyFrame(32, 24, 90), folder, "20250101000000", sampleRecord());
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->path, folder + "20250101000000-1.jpg");
    EXPECT_TRUE(saved->sidecar);
    EXPECT_TRUE(parseSidecar(slurp(sidecarPath(saved->path))));
    const std::string jpeg = slurp(saved->path);
    const std::span bytes(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size());
    EXPECT_EQ(readJpegComment(bytes), snapshotComment(sampleRecord()));
    EXPECT_TRUE(decodeJpeg(bytes.data(), bytes.size()));
}

// Disk full after the picture: the picture stays, whole, and no partial
// sidecar is left. The file size limit of a child process stands in for it.
TEST(SnapshotSidecar, FailedSidecarWriteKeepsThePicture) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    const SnapshotRecord record = sampleRecord(20);  // a sidecar far larger than the picture
    ASSERT_GT(sidecarJson(record).size(), 40000u);
    ASSERT_TRUE(test::passesInChildWithFileSizeLimit(16384, [&] {
        const auto saved = writeSnapshot(greyFrame(32, 24, 90), folder, "20250101000000", record);
        return saved && saved->sidecar.error() == EFBIG &&
               saved->sidecar.path() == sidecarPath(saved->path);
    }));
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"20250101000000.jpg"});
    EXPECT_TRUE(decodeJpegFile(folder + "20250101000000.jpg"));
}

// The sidecar and companions wait as temporary files for their picture: a picture
// that fails takes them along; one that stands reports each that could not be placed.
TEST(SnapshotSidecar, StagedCompanionsFollowTheirPicture) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    const SnapshotRecord record = sampleRecord();
    const std::vector<uint8_t> jpeg = encodeJpeg(greyFrame(32, 24, 90), 90);
    const SnapshotCompanions companions{jpeg, std::nullopt};
    WriteResult failure;
    EXPECT_FALSE(placeSnapshot({}, folder, "20250101000000",
                               stageSnapshotCompanions(folder, record, companions), &failure));
    EXPECT_EQ(failure.error(), EINVAL);
    EXPECT_TRUE(fs::is_empty(dir.path()));

    StagedCompanions staged = stageSnapshotCompanions(folder, record, companions);
    int waiting = 0;
    for (const auto& e : fs::directory_iterator(dir.path())) {
        EXPECT_TRUE(e.path().filename().string().starts_with(kTemporaryFilePrefix));
        fs::remove(e.path());  // lost before the picture is placed
        ++waiting;
    }
    EXPECT_EQ(waiting, 2);
    const auto saved = placeSnapshot(jpeg, folder, "20250101000000", std::move(staged));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->sidecar.error(), ENOENT);
    EXPECT_EQ(saved->sidecar.path(), sidecarPath(saved->path));
    EXPECT_EQ(saved->cleanCopy.path(), cleanCopyPath(saved->path));
    EXPECT_EQ(saved->cleanCopy.error(), ENOENT);
    EXPECT_TRUE(saved->analysisCopy) << "not asked for";
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"20250101000000.jpg"});
}

TEST(SnapshotSidecar, ASnapshotReopensAsItsCleanCopyWithItsShapes) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    // A clean copy left behind keeps its name from being reused, as a sidecar does.
    std::ofstream(folder + "20250101000000.clean.jpg") << "left behind";
    const SnapshotRecord record = sampleRecord();
    const auto companions = encodeSnapshotCompanions(greyFrame(32, 24, 90), record, true, false);
    ASSERT_TRUE(companions.cleanCopy && !companions.cleanCopy->empty() && !companions.analysisCopy);
    const std::vector<uint8_t> jpeg = encodeJpeg(greyFrame(32, 24, 90), 90);
    const auto saved =
        writeEncodedSnapshot(jpeg, folder, "20250101000000", record, nullptr, companions.view());
    ASSERT_TRUE(saved && saved->sidecar && saved->cleanCopy && saved->analysisCopy);
    EXPECT_EQ(saved->path, folder + "20250101000000-1.jpg");
    EXPECT_EQ(slurp(cleanCopyPath(saved->path)),
              std::string(companions.cleanCopy->begin(), companions.cleanCopy->end()));
    EXPECT_FALSE(fs::exists(analysisCopyPath(saved->path))) << "not asked for";

    // The snapshot, or its clean copy, opens as the clean copy with every shape.
    for (const std::string& opened : {saved->path, cleanCopyPath(saved->path)}) {
        const ReopenPlan plan = planReopening(opened);
        EXPECT_EQ(plan.picture, cleanCopyPath(saved->path));
        ASSERT_TRUE(plan.record);
        EXPECT_EQ(plan.record->shapes.size(), record.shapes.size());
        EXPECT_EQ(plan.record->calibration.fScale, record.calibration.fScale);
        EXPECT_FALSE(plan.shapesBurntIn);
    }
    // Without its clean copy the snapshot shows itself, its shapes being burnt in.
    fs::remove(cleanCopyPath(saved->path));
    const ReopenPlan burnt = planReopening(saved->path);
    EXPECT_EQ(burnt.picture, saved->path);
    ASSERT_TRUE(burnt.record);
    EXPECT_TRUE(burnt.shapesBurntIn && burnt.record->shapes.empty());
    EXPECT_EQ(burnt.record->calibrationName, record.calibrationName);
    // A copy wanted but not encoded is a failure, not a missing file.
    const auto none = encodeSnapshotCompanions(Frame{}, record, true, false);
    const auto unencoded =
        writeEncodedSnapshot(jpeg, folder, "20250101000001", record, nullptr, none.view());
    ASSERT_TRUE(unencoded && unencoded->sidecar);
    EXPECT_EQ(unencoded->cleanCopy.error(), EINVAL);
    // Any other picture opens as it is.
    const ReopenPlan plain = planReopening(folder + "20250101000000.clean.jpg");
    EXPECT_EQ(plain.picture, folder + "20250101000000.clean.jpg");
    EXPECT_FALSE(plain.record || plain.shapesBurntIn);
    EXPECT_EQ(plain.sidecarProblem, "");
}

TEST(SnapshotSidecar, ASnapshotWhoseSidecarCannotBeReadSaysSo) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    const auto saved =
        writeSnapshot(greyFrame(32, 24, 90), folder, "20250101000000", sampleRecord());
    ASSERT_TRUE(saved && saved->sidecar);
    std::ofstream(sidecarPath(saved->path)) << "{\"version\": ";  // cut short
    const ReopenPlan plan = planReopening(saved->path);
    EXPECT_EQ(plan.picture, saved->path);
    EXPECT_FALSE(plan.record);
    EXPECT_EQ(plan.sidecarProblem, "The measurements kept with the picture in \"" +
                                       sidecarPath(saved->path) +
                                       "\" cannot be read; it opens without them.");
}

}  // namespace
}  // namespace lumetra
