#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <thread>

#include "StorageTestFiles.h"
#include "storage/CalibrationRecords.h"
#include "storage/RQGlobalVariables.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;
using test::slurp;
using test::spit;

namespace {

const std::string kResources = LUMETRA_RESOURCE_DIR;

// Every entry below root, relative, folders marked with a trailing "/".
std::set<std::string> tree(const fs::path& root) {
    std::set<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        auto rel = fs::relative(e.path(), root).string();
        out.insert(e.is_directory() ? rel + "/" : rel);
    }
    return out;
}

}  // namespace

TEST(SettingsCreation, FirstStartLaysOutTheRoot) {
    test::TempDir home;
    RQGlobalVariables settings(home.path().string(), kResources);
    const fs::path root = home.path() / "Lumetra";

    EXPECT_EQ(tree(home.path()),
              (std::set<std::string>{"Lumetra/", "Lumetra/default.txt", "Lumetra/calibration.plist",
                                     "Lumetra/default/", "Lumetra/default/Image/",
                                     "Lumetra/default/Video/"}));
    EXPECT_EQ(slurp(root / "default.txt"), "default");  // 7 bytes, no line end
    EXPECT_EQ(slurp(root / "calibration.plist"), slurp(kResources + "/calibration.plist"));

    EXPECT_EQ(settings.getStrDocuments(), root.string() + "/");
    EXPECT_EQ(settings.getStrDefFolder(), "default");
    EXPECT_EQ(settings.getStrDocumentsPicture(), root.string() + "/default/Image/");
    EXPECT_EQ(settings.getStrDocumentsVideo(), root.string() + "/default/Video/");
    EXPECT_EQ(settings.getStrCalibrationPlist(), root.string() + "/calibration.plist");
    const auto list = readCalibrationList(settings.getStrCalibrationPlist());
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->empty());
}

TEST(SettingsCreation, DrawingDefaultsAndSounds) {
    test::TempDir home;
    RQGlobalVariables settings(home.path().string(), kResources);
    EXPECT_EQ(settings.getILineWidth(), 2);
    EXPECT_EQ(settings.getIFontSize(), 16);
    EXPECT_EQ(settings.getIDecimal(), 3);
    EXPECT_EQ(settings.getOLineColor(), kPureRed);
    EXPECT_EQ(settings.getOFontColor(), kPureBlue);

    const SoundResource* sounds[] = {&settings.getAvCameraVoice(), &settings.getAvStartRecVoice(),
                                     &settings.getAvStopRecVoice()};
    const char* names[] = {"TakePicture", "StartRecord", "StopRecord"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sounds[i]->name, names[i]);
        EXPECT_EQ(sounds[i]->type, "wav");
        EXPECT_EQ(sounds[i]->path, kResources + "/sounds/" + names[i] + ".wav");
        // A short RIFF/WAVE file ships with the application.
        const std::string bytes = slurp(sounds[i]->path);
        ASSERT_GT(bytes.size(), 44u) << names[i];
        EXPECT_LT(bytes.size(), 64u * 1024) << names[i];
        EXPECT_EQ(bytes.substr(0, 4), "RIFF");
        EXPECT_EQ(bytes.substr(8, 4), "WAVE");
    }

    settings.setILineWidth(9);
    settings.setOLineColor(RgbColor{0, 1, 0});
    RQGlobalVariables restarted(home.path().string(), kResources);
    EXPECT_EQ(restarted.getILineWidth(), 2);
    EXPECT_EQ(restarted.getOLineColor(), kPureRed);
}

TEST(SettingsCreation, SecondStartKeepsTheUsersFiles) {
    test::TempDir home;
    { RQGlobalVariables first(home.path().string(), kResources); }
    const fs::path root = home.path() / "Lumetra";
    const std::string changed = test::plistXml({{"Objective 4x", "4.000-mm-0.250"}});
    spit(root / "calibration.plist", changed);
    spit(root / "default.txt", "default");
    RQGlobalVariables second(home.path().string(), kResources);
    EXPECT_EQ(slurp(root / "calibration.plist"), changed);
    EXPECT_EQ(slurp(root / "default.txt"), "default");
}

TEST(SettingsCreation, DeletedCurrentAlbumIsRecreated) {
    test::TempDir home;
    const fs::path root = home.path() / "Lumetra";
    fs::create_directory(root);
    spit(root / "default.txt", "Zwiebel");
    RQGlobalVariables settings(home.path().string(), kResources);
    EXPECT_EQ(settings.getStrDefFolder(), "Zwiebel");
    EXPECT_TRUE(fs::is_directory(root / "Zwiebel" / "Image"));
    EXPECT_TRUE(fs::is_directory(root / "Zwiebel" / "Video"));
    EXPECT_EQ(settings.getStrDocumentsPicture(), root.string() + "/Zwiebel/Image/");
    EXPECT_FALSE(fs::exists(root / "default"));
}

TEST(SettingsCreation, LineFeedIsPartOfTheAlbumName) {
    test::TempDir home;
    const fs::path root = home.path() / "Lumetra";
    fs::create_directory(root);
    spit(root / "default.txt", "hand\n");
    RQGlobalVariables settings(home.path().string(), kResources);
    EXPECT_EQ(settings.getStrDefFolder(), "hand\n");
    EXPECT_TRUE(fs::is_directory(root / "hand\n" / "Image"));
    EXPECT_EQ(slurp(root / "default.txt"), "hand\n");
}

TEST(SettingsCreation, EmptyNameUsesTheRootsOwnFolders) {
    test::TempDir home;
    const fs::path root = home.path() / "Lumetra";
    fs::create_directory(root);
    spit(root / "default.txt", "");
    RQGlobalVariables settings(home.path().string(), kResources);
    EXPECT_EQ(settings.getStrDefFolder(), "");
    EXPECT_EQ(settings.getStrDocumentsPicture(), root.string() + "//Image/");
    EXPECT_TRUE(fs::is_directory(root / "Image"));
    EXPECT_TRUE(fs::is_directory(root / "Video"));
}

TEST(SettingsCreation, UnusableDefaultNameFallsBackWithoutTouchingTheFile) {
    for (const std::string& content :
         {std::string("caf\xE9"), std::string("../outside"), std::string(".."), std::string("a/b"),
          std::string("x\0y", 3)}) {
        test::TempDir home;
        const fs::path root = home.path() / "Lumetra";
        fs::create_directory(root);
        spit(root / "default.txt", content);
        RQGlobalVariables settings(home.path().string(), kResources);
        EXPECT_EQ(settings.getStrDefFolder(), "default");
        EXPECT_EQ(settings.getStrDocumentsPicture(), root.string() + "/default/Image/");
        EXPECT_EQ(slurp(root / "default.txt"), content);
        EXPECT_FALSE(fs::exists(home.path() / "outside"));
    }
}

TEST(SettingsCreation, MissingPiecesArePassedOver) {
    // A home that does not exist: no parents are made, the paths are set all the same.
    test::TempDir dir;
    const fs::path home = dir.path() / "gone";
    RQGlobalVariables settings(home.string(), kResources);
    EXPECT_FALSE(fs::exists(home));
    EXPECT_EQ(settings.getStrDocumentsPicture(), home.string() + "/Lumetra/default/Image/");

    // Without the template resource the list file still starts as an empty dictionary.
    test::TempDir other;
    RQGlobalVariables noResources(other.path().string(), (dir.path() / "nothing").string());
    const auto list = readCalibrationList(noResources.getStrCalibrationPlist());
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->empty());
    EXPECT_EQ(noResources.getAvCameraVoice().path,
              (dir.path() / "nothing" / "sounds" / "TakePicture.wav").string());
}

TEST(SettingsShared, OneInstanceForAllThreads) {
    test::TempDir home;
    test::ScopedHome scoped(home.path());
    RQGlobalVariables* seen[4] = {};
    std::vector<std::thread> threads;
    for (auto& slot : seen) threads.emplace_back([&slot] { slot = &RQGlobalVariables::shared(); });
    for (auto& t : threads) t.join();
    for (auto* p : seen) EXPECT_EQ(p, seen[0]);
    EXPECT_EQ(seen[0]->getStrDocuments(), (home.path() / "Lumetra").string() + "/");
    EXPECT_TRUE(fs::is_directory(home.path() / "Lumetra" / "default" / "Video"));
}
