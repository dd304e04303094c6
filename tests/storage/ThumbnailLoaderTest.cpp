#include <memory>
#include <thread>

#include "StorageTestFiles.h"
#include "storage/ThumbnailLoader.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

// Paths of n small JPEG files in dir: "0.jpg", "1.jpg", ...
Names jpegs(const TempDir& dir, int n) {
    Names paths;
    for (int i = 0; i < n; ++i)
        paths.push_back((dir.path() / (std::to_string(i) + ".jpg")).string());
    for (const auto& p : paths) spit(p, flatJpeg(64, 48, 120));
    return paths;
}

}  // namespace

TEST(ThumbnailLoader, NewestRequestsFirstAndOldestFallOff) {
    TempDir dir;
    const Names paths = jpegs(dir, 6);
    GatedMain gated;
    Names order;
    ThumbnailLoader loader(gated.poster(),
                           [&](const std::string& p, std::optional<Frame>) { order.push_back(p); },
                           {kThumbnailMaxSide, 3, 1});
    loader.request(paths[0]);
    ASSERT_TRUE(gated.waitEntered());  // the worker holds the result of 0
    for (size_t i = 1; i < 6; ++i) loader.request(paths[i]);
    loader.request(paths[4]);             // asked again: moves to the front
    EXPECT_EQ(loader.queuedCount(), 3u);  // 1 and 2 fell off
    gated.gate.set_value();
    ASSERT_TRUE(gated.main.runUntil([&] { return order.size() == 4; }));
    EXPECT_EQ(order, (Names{paths[0], paths[4], paths[5], paths[3]}));
}

TEST(ThumbnailLoader, CancelledOrDestroyedLoaderDeliversNothing) {
    TempDir dir;
    const Names paths = jpegs(dir, 2);
    for (const std::string way : {"cancel", "destroy"}) {
        GatedMain gated;
        Names delivered;
        auto loader = std::make_unique<ThumbnailLoader>(
            gated.poster(),
            [&](const std::string& p, std::optional<Frame>) { delivered.push_back(p); });
        loader->request(paths[0]);
        ASSERT_TRUE(gated.waitEntered()) << way;  // decoded, its delivery held
        loader->request(paths[1]);
        if (way == "cancel") {
            loader->cancel(paths[0]);  // the one in delivery
            loader->cancelAll();       // the one queued
            EXPECT_EQ(loader->queuedCount(), 0u);
            gated.gate.set_value();
            gated.main.runUntil([&] { return gated.passed == gated.entered; });
        } else {
            gated.gate.set_value();
            loader.reset();  // the held delivery must not reach the dead loader
        }
        gated.main.drain();
        EXPECT_TRUE(delivered.empty()) << way;
    }
}

TEST(ThumbnailLoader, WorkersDecodeOffTheMainThreadAndDeliverEverything) {
    TempDir dir;
    MainQueue main;
    const auto mainThread = std::this_thread::get_id();
    size_t delivered = 0;
    ThumbnailLoader loader(
        [&](std::function<void()> work) {
            EXPECT_NE(std::this_thread::get_id(), mainThread);
            main.post(std::move(work));
        },
        [&](const std::string& p, std::optional<Frame> f) {
            EXPECT_EQ(std::this_thread::get_id(), mainThread);
            EXPECT_EQ(f.has_value(), p.find("bad") == std::string::npos) << p;
            ++delivered;
        },
        {kThumbnailMaxSide, 256, 2});
    Names paths = jpegs(dir, 8);
    paths.push_back((dir.path() / "bad.jpg").string());
    spit(paths.back(), "junk");
    for (const auto& p : paths) loader.request(p);
    ASSERT_TRUE(main.runUntil([&] { return delivered == paths.size(); }));
}
