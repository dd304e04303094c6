#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <cerrno>
#include <filesystem>
#include <string>

#include "AppTestSupport.h"
#include "app/NewFolderController.h"
#include "storage/AlbumLibrary.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

TEST(NewFolderController, RefusesBadNamesThenCreatesAndReportsTheAlbum) {
    TempDir root;
    RQGlobalVariables settings{root.path().string(), LUMETRA_RESOURCE_DIR};
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
    const std::string tooLong(300, 'x');  // longer than a file name may be
    for (const char* name : {"", "default", "a/b", tooLong.c_str()}) enter(name);
    EXPECT_EQ(alerts.alerts, (QStringList{"Please enter folder name", "The folder name exist",
                                          "Name is illegal", "Name is illegal"}));
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_FALSE(fs::exists(settings.getStrDocuments() + "a"));
    enter("Pollen");
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_TRUE(fs::is_directory(settings.getStrDocuments() + "Pollen/Video"));
    ASSERT_EQ(delegate.types, std::vector<int32_t>{kTransferAlbumCreated});
    EXPECT_EQ(delegate.entities.front().Param1, "Pollen");

    // A folder that cannot be made: said, the sheet stays, nothing is left.
    AlbumLibrary full{settings, [](const std::string&) { return ENOSPC; }};
    NewFolderController failing{nullptr, alerts, full};
    failing.delegate = &delegate;
    failing.open();
    failing.mFolderName()->setText("Spores");
    failing.okButton()->click();
    EXPECT_TRUE(failing.isVisible());
    EXPECT_TRUE(alerts.alerts.back().startsWith("The album could not be made. "));
    EXPECT_TRUE(alerts.alerts.back().contains("No space left on device"));
    EXPECT_EQ(delegate.types.size(), 1u);
}
