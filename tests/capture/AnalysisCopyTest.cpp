#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "capture/AnalysisCopy.h"
#include "support/TempDir.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;

Frame colours(int w, int h) {
    Frame f = Frame::allocate(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = f.row(y) + 4 * x;
            p[0] = static_cast<uint8_t>(x);  // blue
            p[1] = static_cast<uint8_t>(y);  // green
            p[2] = 200;                      // red
            p[3] = 255;
        }
    return f;
}

// What libtiff's tiffinfo says about a file.
std::string tiffinfo(const std::string& path) {
    std::string out;
    const std::string command = "tiffinfo -s '" + path + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return out;
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get())) out += buffer.data();
    return out;
}

// 800 x 600 pixels of a 950 x 712.5 view; a line of 60 view units reads 1 unit.
SnapshotRecord recordIn(const std::string& unit) {
    SnapshotRecord r;
    r.frameWidth = 800;
    r.frameHeight = 600;
    r.viewWidth = 950.0;
    r.viewHeight = 712.5;
    r.calibrationName = "10x";
    r.calibration = {60.0f, 1.0f, unit};
    return r;
}

}  // namespace

TEST(AnalysisCopy, LibtiffReadsThePixelSizeAndUnitOfTheCalibration) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    // Pixels per unit: 800 pixels over 950 / 60 units.
    const double perUnit = 800.0 / (950.0 / 60.0);
    const struct {
        std::string unit;
        std::string imagejUnit;
        std::string resolutionUnit;  // as tiffinfo names it
        double pixelsPerUnit;
    } cases[] = {
        {"\u00B5m", "micron", "(unitless)", perUnit},
        {"mm", "mm", "(unitless)", perUnit},
        {"cm", "cm", "pixels/cm", perUnit},
        {"mil", "inch", "pixels/inch", perUnit * 1000},
    };
    for (const auto& c : cases) {
        const auto path = writeAnalysisCopy(colours(800, 600), recordIn(c.unit), folder, "1");
        ASSERT_TRUE(path) << c.unit;
        const std::string info = tiffinfo(*path);
        EXPECT_NE(info.find("Image Width: 800 Image Length: 600"), std::string::npos) << info;
        EXPECT_NE(info.find("ImageDescription: ImageJ=1.11a\nunit=" + c.imagejUnit + "\n"),
                  std::string::npos)
            << info;
        const size_t at = info.find("Resolution: ");
        ASSERT_NE(at, std::string::npos) << info;
        double x = 0, y = 0;
        std::array<char, 32> unit{};
        ASSERT_EQ(
            std::sscanf(info.c_str() + at, "Resolution: %lf, %lf %31[(a-z/)]", &x, &y, unit.data()),
            3)
            << info;
        EXPECT_NEAR(x, c.pixelsPerUnit, 1e-4 * c.pixelsPerUnit) << c.unit;
        EXPECT_NEAR(y, c.pixelsPerUnit, 1e-4 * c.pixelsPerUnit) << c.unit;
        EXPECT_EQ(std::string(unit.data()), c.resolutionUnit) << info;
        fs::remove(*path);
    }
}

TEST(AnalysisCopy, PixelsComeBackAndAnUncalibratedPictureCarriesNoScale) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    SnapshotRecord none = recordIn("mm");
    none.calibration.fScale = 0.0f;
    const auto path = writeAnalysisCopy(colours(33, 7), none, folder, "2");
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, folder + "2.tif");
    const std::string info = tiffinfo(*path);
    EXPECT_EQ(info.find("Resolution"), std::string::npos) << info;
    EXPECT_EQ(info.find("ImageDescription"), std::string::npos) << info;
    // Uncompressed RGB after the 8-byte header, row by row.
    const std::string bytes = test::slurp(*path);
    ASSERT_GT(bytes.size(), 8u + 33 * 7 * 3);
    const auto at = [&](int x, int y, int c) {
        return static_cast<uint8_t>(bytes[8 + (static_cast<size_t>(y) * 33 + x) * 3 + c]);
    };
    EXPECT_EQ((std::array{at(5, 6, 0), at(5, 6, 1), at(5, 6, 2)}),
              (std::array<uint8_t, 3>{200, 6, 5}));

    // A name taken by a snapshot is passed over; a folder that is missing fails with its reason.
    std::ofstream(folder + "3.jpg") << "a snapshot";
    EXPECT_EQ(writeAnalysisCopy(colours(4, 4), none, folder, "3"), folder + "3-1.tif");
    WriteResult failure;
    EXPECT_FALSE(writeAnalysisCopy(colours(4, 4), none, folder + "missing/", "4", &failure));
    EXPECT_NE(failure.message().find("missing"), std::string::npos) << failure.message();
}

}  // namespace lumetra
