#include <memory>
#include <set>

#include "StorageTestFiles.h"
#include "storage/CalibrationRecords.h"
#include "storage/RQGlobalVariables.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

const std::string kResources = LUMETRA_RESOURCE_DIR;

class Settings : public ::testing::Test {
protected:
    std::unique_ptr<RQGlobalVariables> start(const std::string& resources = kResources) {
        return std::make_unique<RQGlobalVariables>(home.path().string(), resources);
    }

    TempDir home;
    fs::path root = home.path() / "Lumetra";
};

}  // namespace

TEST_F(Settings, FirstStartLaysOutTheRootAndTheNextKeepsTheUsersFiles) {
    const auto settings = start();
    std::set<std::string> tree;  // every entry below the home, folders with a trailing "/"
    for (const auto& e : fs::recursive_directory_iterator(home.path()))
        tree.insert(fs::relative(e.path(), home.path()).string() + (e.is_directory() ? "/" : ""));
    EXPECT_EQ(tree, (std::set<std::string>{"Lumetra/", "Lumetra/default.txt",
                                           "Lumetra/calibration.plist", "Lumetra/default/",
                                           "Lumetra/default/Image/", "Lumetra/default/Video/"}));
    EXPECT_EQ(slurp(root / "default.txt"), "default");  // 7 bytes, no line end
    EXPECT_EQ(slurp(root / "calibration.plist"), slurp(kResources + "/calibration.plist"));
    EXPECT_EQ(settings->getStrDocumentsVideo(), root.string() + "/default/Video/");

    const std::string changed = plistXml({{"Objective 4x", "4.000-mm-0.250"}});
    spit(root / "calibration.plist", changed);
    start();
    EXPECT_EQ(slurp(root / "calibration.plist"), changed);
}

TEST_F(Settings, DefaultTxtNamesTheCurrentAlbumAndIsNeverRewritten) {
    const std::pair<std::string, std::string> cases[] = {
        {"Zwiebel", "Zwiebel"},  // deleted since: made again
        {"hand\n", "hand\n"},    // the line feed is part of the name
        {"", ""},                // the root's own folders
        // Not UTF-8, or reaching outside the root: the default album instead.
        {"caf\xE9", "default"},
        {"../outside", "default"},
    };
    for (const auto& [content, album] : cases) {
        fs::remove_all(root);
        fs::create_directory(root);
        spit(root / "default.txt", content);
        const auto settings = start();
        EXPECT_EQ(settings->getStrDocumentsPicture(), root.string() + "/" + album + "/Image/");
        EXPECT_TRUE(fs::is_directory(settings->getStrDocumentsVideo())) << album;
        EXPECT_EQ(slurp(root / "default.txt"), content);
        EXPECT_FALSE(fs::exists(home.path() / "outside"));
    }
}

TEST_F(Settings, MissingHomeOrTemplateIsPassedOver) {
    const fs::path gone = home.path() / "gone";
    RQGlobalVariables settings(gone.string(), kResources);
    EXPECT_FALSE(fs::exists(gone));  // no parents are made
    // Without the template the list file starts as an empty dictionary.
    const auto list = readCalibrationList(start("/nonexistent")->getStrCalibrationPlist());
    EXPECT_TRUE(list && list->empty());
}
