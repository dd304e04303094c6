#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "MainQueue.h"
#include "StorageTestFiles.h"
#include "storage/ThumbnailProvider.h"
#include "support/TempDir.h"

using namespace lumetra;
namespace fs = std::filesystem;

namespace {

class ThumbnailProviderTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::MainQueue main;
    std::vector<std::string> ready;

    std::string jpeg(const std::string& name, int w = 320, int h = 240) {
        const auto p = dir.path() / name;
        test::writeJpeg(p, w, h);
        return p.string();
    }
};

}  // namespace

TEST_F(ThumbnailProviderTest, DecodesLazilyAndAnswersFromTheCache) {
    ThumbnailProvider provider(main.poster(), [&](const std::string& p) { ready.push_back(p); });
    const std::string a = jpeg("a.jpg", 1920, 1080);
    EXPECT_EQ(provider.thumbnail(a).status, ThumbnailProvider::Status::Pending);
    ASSERT_TRUE(main.runUntil([&] { return !ready.empty(); }));
    EXPECT_EQ(ready, (std::vector<std::string>{a}));
    const auto t = provider.thumbnail(a);
    ASSERT_EQ(t.status, ThumbnailProvider::Status::Ready);
    EXPECT_EQ(t.frame.width, 240);
    EXPECT_EQ(t.frame.height, 135);
}

TEST_F(ThumbnailProviderTest, UndecodableFileIsReportedOnceAsFailed) {
    ThumbnailProvider provider(main.poster(), [&](const std::string& p) { ready.push_back(p); });
    const auto bad = (dir.path() / "bad.jpg").string();
    test::spit(bad, "junk");
    provider.thumbnail(bad);
    ASSERT_TRUE(main.runUntil([&] { return !ready.empty(); }));
    EXPECT_EQ(provider.thumbnail(bad).status, ThumbnailProvider::Status::Failed);
    EXPECT_EQ(provider.thumbnail(bad).status, ThumbnailProvider::Status::Failed);
    main.runPending();
    EXPECT_EQ(ready.size(), 1u);  // not decoded again
}

TEST_F(ThumbnailProviderTest, RepeatedRequestsDecodeOnce) {
    ThumbnailProvider provider(main.poster(), [&](const std::string& p) { ready.push_back(p); });
    const std::string a = jpeg("a.jpg");
    for (int i = 0; i < 10; ++i) provider.thumbnail(a);
    ASSERT_TRUE(main.runUntil([&] { return !ready.empty(); }));
    for (int i = 0; i < 10; ++i) provider.thumbnail(a);
    main.runPending();
    EXPECT_EQ(ready.size(), 1u);
}

TEST_F(ThumbnailProviderTest, ForgottenFileIsDecodedAfresh) {
    ThumbnailProvider provider(main.poster(), [&](const std::string& p) { ready.push_back(p); });
    const std::string a = jpeg("a.jpg", 320, 240);
    provider.thumbnail(a);
    ASSERT_TRUE(main.runUntil([&] { return ready.size() == 1; }));
    // The file is replaced by a new snapshot of the same name.
    test::writeJpeg(a, 100, 50);
    provider.forget(a);
    EXPECT_EQ(provider.thumbnail(a).status, ThumbnailProvider::Status::Pending);
    ASSERT_TRUE(main.runUntil([&] { return ready.size() == 2; }));
    EXPECT_EQ(provider.thumbnail(a).frame.width, 100);
}

TEST_F(ThumbnailProviderTest, ResultOfAForgottenDecodeIsDropped) {
    ThumbnailProvider provider(main.poster(), [&](const std::string& p) { ready.push_back(p); });
    const std::string a = jpeg("a.jpg");
    provider.thumbnail(a);
    ASSERT_TRUE(main.waitForQueued(1));  // decoded, delivery waiting on the main thread
    provider.forget(a);
    main.runPending();
    EXPECT_TRUE(ready.empty());
    EXPECT_EQ(provider.cache().size(), 0u);
}

TEST_F(ThumbnailProviderTest, CancelDropsWaitingResults) {
    ThumbnailProvider provider(main.poster(), [&](const std::string& p) { ready.push_back(p); });
    const std::string a = jpeg("a.jpg");
    provider.thumbnail(a);
    ASSERT_TRUE(main.waitForQueued(1));
    provider.cancelPending();
    main.runPending();
    EXPECT_TRUE(ready.empty());
    // Asking again after the switch works.
    provider.thumbnail(a);
    ASSERT_TRUE(main.runUntil([&] { return !ready.empty(); }));
}

TEST_F(ThumbnailProviderTest, MemoryStaysWithinTheBudget) {
    ThumbnailProvider::Options options;
    options.cacheBytes = 3 * (240 * 135 * 4 + 1000);
    ThumbnailProvider provider(
        main.poster(), [&](const std::string& p) { ready.push_back(p); }, options);
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i) paths.push_back(jpeg(std::to_string(i) + ".jpg", 1920, 1080));
    for (const auto& p : paths) provider.thumbnail(p);
    ASSERT_TRUE(main.runUntil([&] { return ready.size() == paths.size(); }));
    EXPECT_EQ(provider.cache().size(), 3u);
    EXPECT_LE(provider.cache().bytes(), options.cacheBytes);
    provider.clear();
    EXPECT_EQ(provider.cache().size(), 0u);
}

TEST_F(ThumbnailProviderTest, DestroyedProviderDropsLateDeliveries) {
    auto provider = std::make_unique<ThumbnailProvider>(
        main.poster(), [&](const std::string& p) { ready.push_back(p); });
    provider->thumbnail(jpeg("a.jpg"));
    ASSERT_TRUE(main.waitForQueued(1));
    provider.reset();
    main.runPending();  // must neither crash nor deliver
    EXPECT_TRUE(ready.empty());
}
