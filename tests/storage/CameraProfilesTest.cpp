#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "storage/CameraProfiles.h"
#include "storage/TextFiles.h"
#include "support/TempDir.h"

using namespace lumetra;

namespace {

const CameraProfile kBright{"bright \xff", {60, 50, 50, 0, 3, 100}, "1280x720", "30 fps"};
const CameraProfile kDim{"dim", {10, 20, 30, 40, 50, 60}, "", ""};

}  // namespace

TEST(CameraProfiles, ProfilesAndTheLastUsedComeBackPerCamera) {
    test::TempDir dir;
    const std::string path = (dir.path() / CameraProfiles::kFileName).string();
    const std::string usb = "usb:14c31301:usb-0000:00:14.0-2", wifi = "wifi-cgi@127.0.0.1";
    {
        CameraProfiles profiles(path);
        EXPECT_EQ(profiles.load(), "");  // no file yet
        ASSERT_TRUE(profiles.save(usb, kBright));
        ASSERT_TRUE(profiles.save(usb, kDim));
        ASSERT_TRUE(profiles.save(wifi, kDim));
        ASSERT_TRUE(profiles.use(usb, kBright.name));
        CameraProfile brighter = kBright;
        brighter.adjustments[0] = 70;
        ASSERT_TRUE(profiles.save(wifi, brighter));
        ASSERT_TRUE(profiles.remove(wifi, kDim.name));
    }
    CameraProfiles read(path);
    ASSERT_EQ(read.load(), "");
    // A byte that is no UTF-8 comes back as U+FFFD, in the name and the last-used mark.
    CameraProfile bright = kBright;
    bright.name = "bright \xEF\xBF\xBD";
    EXPECT_EQ(read.profilesOf(usb), (std::vector<CameraProfile>{bright, kDim}));
    EXPECT_EQ(read.lastUsed(usb), bright);
    ASSERT_EQ(read.profilesOf(wifi).size(), 1u);
    EXPECT_EQ(read.lastUsed(wifi)->adjustments[0], 70);
    EXPECT_TRUE(read.profilesOf("usb:other").empty());
    EXPECT_EQ(read.lastUsed("usb:other"), std::nullopt);
}

TEST(CameraProfiles, AnUnreadableFileIsKeptAsideAndTheProfilesStartAfresh) {
    test::TempDir dir;
    const std::string path = (dir.path() / CameraProfiles::kFileName).string();
    for (const char* text :
         {"{\"cameras\": {\"usb:1\": {\"lastUsed\": \"a\", \"profiles\": [{\"name\": \"a\", "
          "\"adjustments\": [1, 2, 3], \"resolution\": \"\", \"frameRate\": \"\"}]}}}",
          // A value beyond int, which would wrap into another slider position.
          "{\"cameras\": {\"usb:1\": {\"lastUsed\": \"a\", \"profiles\": [{\"name\": \"a\", "
          "\"adjustments\": [4294967297, 2, 3, 4, 5, 6], \"resolution\": \"\", "
          "\"frameRate\": \"\"}]}}}",
          "{\"cameras\": [", "[]"}) {
        SCOPED_TRACE(text);
        std::ofstream(path) << text;
        CameraProfiles profiles(path);
        EXPECT_EQ(profiles.load(), "The camera profiles in " + path +
                                       " cannot be read; the file was kept as " + path +
                                       ".unreadable and the profiles start afresh.");
        EXPECT_TRUE(profiles.profilesOf("usb:1").empty());
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_EQ(readWholeFile(path + ".unreadable"), text);
        EXPECT_TRUE(profiles.save("usb:1", kDim));
        EXPECT_EQ(CameraProfiles(path).load(), "");
    }
}
