#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/NewFolderController.h"
#include "storage/AlbumLibrary.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

TEST(NewFolderController, RefusesBadNamesThenCreatesAndReportsTheAlbum) {
    TempDir home;
    ScopedHome scopedHome{home.path()};
    RQGlobalVariables settings{home.path().string(), LUMETRA_RESOURCE_DIR};
    AlbumLibrary albums{settings};
    RecordingPresenter alerts;
    RecordingDelegate delegate;
    NewFolderController sheet{nullptr, alerts, albums};
    sheet.delegate = &delegate;
    sheet.open();
    const auto enter = [&](const char* name) {
        sheet.mFolderName()->setText(name);
        sheet.okButton()->click();
    };
    for (const char* name : {"", "default", "a/b"}) enter(name);
    EXPECT_EQ(alerts.alerts, (QStringList{"Please enter folder name", "The folder name exist",
                                          "Name is illegal"}));
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_FALSE(fs::exists(settings.getStrDocuments() + "a"));
    enter("Pollen");
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_TRUE(fs::is_directory(settings.getStrDocuments() + "Pollen/Video"));
    ASSERT_EQ(delegate.types, std::vector<int32_t>{kTransferAlbumCreated});
    EXPECT_EQ(delegate.entities.front().Param1, "Pollen");
}
