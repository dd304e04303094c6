#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <vector>

#include "AppTestSupport.h"
#include "app/NewFolderController.h"
#include "storage/AlbumLibrary.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

namespace {

struct RecordingDelegate : RQTransferDelegate {
    void PassValue(const UserEntity& entity, int32_t type) override {
        transfers.push_back({entity.Param1, type});
    }
    std::vector<std::pair<std::string, int32_t>> transfers;
};

class NewFolderControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.delegate = &delegate;
        sheet.open();
    }
    void enter(const QString& name) {
        sheet.mFolderName()->setText(name);
        sheet.okButton()->click();
    }

    TempDir home;
    ScopedHome scopedHome{home.path()};
    RQGlobalVariables settings{home.path().string(), resourceDirectory()};
    AlbumLibrary albums{settings};
    RecordingPresenter alerts;
    RecordingDelegate delegate;
    NewFolderController sheet{nullptr, alerts, albums};
};

}  // namespace

TEST_F(NewFolderControllerTest, CreatesTheAlbumAndReportsIt) {
    enter("Pollen");
    EXPECT_TRUE(alerts.alerts.isEmpty());
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_TRUE(fs::is_directory(settings.getStrDocuments() + "Pollen/Image"));
    EXPECT_TRUE(fs::is_directory(settings.getStrDocuments() + "Pollen/Video"));
    EXPECT_EQ(delegate.transfers,
              (std::vector<std::pair<std::string, int32_t>>{{"Pollen", kTransferAlbumCreated}}));
}

TEST_F(NewFolderControllerTest, RefusalsAlertAndKeepTheSheetOpen) {
    enter("");
    enter("default");
    enter("a/b");
    EXPECT_EQ(alerts.alerts, (QStringList{"Please enter folder name", "The folder name exist",
                                          "Name is illegal"}));
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_TRUE(delegate.transfers.empty());
    EXPECT_FALSE(fs::exists(settings.getStrDocuments() + "a"));
}
