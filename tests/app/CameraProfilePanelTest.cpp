#include <gtest/gtest.h>

#include <QComboBox>
#include <filesystem>
#include <fstream>

#include "AppTestSupport.h"
#include "storage/CameraProfiles.h"

using namespace lumetra;
using namespace lumetra::test;

// An unreadable profile file is told about when the window opens, and kept aside.
TEST(CameraProfilePanel, AnUnreadableFileIsToldAtTheStart) {
    auto home = std::make_shared<TempDir>();
    const std::filesystem::path root = home->path() / "Lumetra";
    std::filesystem::create_directories(root);
    std::ofstream(root / CameraProfiles::kFileName) << "{\"cameras\": 3}";
    WindowHarness h(home);
    const std::string path = (root / CameraProfiles::kFileName).string();
    EXPECT_EQ(h.alerts->alerts,
              QStringList{QString::fromStdString("The camera profiles in " + path +
                                                 " cannot be read; the file was kept as " + path +
                                                 ".unreadable and the profiles start afresh.")});
    EXPECT_FALSE(h.ui().camera.profiles.cameraProfiles->isEnabled());
}
