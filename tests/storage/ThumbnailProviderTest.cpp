#include "StorageTestFiles.h"
#include "storage/ThumbnailProvider.h"

using namespace lumetra;
using namespace lumetra::test;
using Status = ThumbnailProvider::Status;

TEST(ThumbnailProvider, DecodesOnceAndRemembersFailures) {
    TempDir dir;
    MainQueue main;
    std::vector<std::string> ready;
    ThumbnailProvider provider(main.poster(), [&](const std::string& p) { ready.push_back(p); },
                               {kThumbnailMaxSide, 2 * (240 * 135 * 4 + 1000), 256, 1});
    const auto a = (dir.path() / "a.jpg").string(), bad = (dir.path() / "bad.jpg").string();
    spit(a, flatJpeg(1920, 1080, 120));
    spit(bad, "junk");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(provider.thumbnail(a).status, Status::Pending);
        EXPECT_EQ(provider.thumbnail(bad).status, Status::Pending);
    }
    ASSERT_TRUE(main.runUntil([&] { return ready.size() == 2; }));
    EXPECT_EQ(provider.thumbnail(a).status, Status::Ready);
    EXPECT_EQ(provider.thumbnail(a).frame.width, 240);
    EXPECT_EQ(provider.thumbnail(bad).status, Status::Failed);  // an empty cell, not decoded again
    main.drain();
    EXPECT_EQ(ready.size(), 2u);
}
