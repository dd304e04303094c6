#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "MainQueue.h"
#include "StorageTestFiles.h"
#include "storage/ThumbnailLoader.h"
#include "support/TempDir.h"

using namespace lumetra;

namespace {

// A post function that holds the worker inside its first post() until released,
// so that requests pile up in the queue meanwhile.
class GatedPoster {
public:
    explicit GatedPoster(test::MainQueue& main) : inner_(main.poster()) {}
    PostToMain poster() {
        return [this](std::function<void()> task) {
            std::unique_lock lock(mutex_);
            ++entered_;
            cv_.notify_all();
            cv_.wait(lock, [&] { return open_; });
            lock.unlock();
            inner_(std::move(task));
        };
    }
    void waitEntered() {
        std::unique_lock lock(mutex_);
        cv_.wait(lock, [&] { return entered_ > 0; });
    }
    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        cv_.notify_all();
    }

private:
    PostToMain inner_;
    std::mutex mutex_;
    std::condition_variable cv_;
    int entered_ = 0;
    bool open_ = false;
};

}  // namespace

TEST(ThumbnailLoader, NewestRequestsFirstAndOldestFallOff) {
    test::TempDir dir;
    test::MainQueue main;
    GatedPoster gate(main);
    std::vector<std::string> order;
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i) {
        const auto p = dir.path() / (std::to_string(i) + ".jpg");
        test::writeJpeg(p, 64, 48);
        paths.push_back(p.string());
    }
    {
        ThumbnailLoader::Options options;
        options.maxPending = 3;
        ThumbnailLoader loader(
            gate.poster(),
            [&](const std::string& p, std::optional<Frame> f) {
                EXPECT_TRUE(f);
                order.push_back(p);
            },
            options);
        loader.request(paths[0]);
        gate.waitEntered();  // the worker holds the result of 0
        for (int i = 1; i < 6; ++i) loader.request(paths[static_cast<size_t>(i)]);
        loader.request(paths[4]);             // asked again: moves to the front
        EXPECT_EQ(loader.queuedCount(), 3u);  // 1 and 2 fell off
        gate.open();
        ASSERT_TRUE(main.runUntil([&] { return order.size() == 4; }));
        EXPECT_EQ(order, (std::vector<std::string>{paths[0], paths[4], paths[5], paths[3]}));
    }
    main.runPending();
    EXPECT_EQ(order.size(), 4u);
}

TEST(ThumbnailLoader, CancelAllEmptiesTheQueue) {
    test::TempDir dir;
    test::MainQueue main;
    GatedPoster gate(main);
    std::vector<std::string> delivered;
    const auto a = (dir.path() / "a.jpg").string();
    const auto b = (dir.path() / "b.jpg").string();
    test::writeJpeg(a, 32, 32);
    test::writeJpeg(b, 32, 32);
    ThumbnailLoader loader(
        gate.poster(), [&](const std::string& p, std::optional<Frame>) { delivered.push_back(p); });
    loader.request(a);
    gate.waitEntered();
    loader.request(b);
    loader.cancelAll();
    EXPECT_EQ(loader.queuedCount(), 0u);
    gate.open();
    ASSERT_TRUE(main.waitForQueued(1));
    main.runPending();
    EXPECT_TRUE(delivered.empty());  // a's result was cancelled too
}

TEST(ThumbnailLoader, SeveralWorkersDeliverEverything) {
    test::TempDir dir;
    test::MainQueue main;
    std::vector<std::string> delivered;
    ThumbnailLoader::Options options;
    options.workers = 2;
    ThumbnailLoader loader(
        main.poster(),
        [&](const std::string& p, std::optional<Frame> f) {
            EXPECT_EQ(f.has_value(), p.find("bad") == std::string::npos);
            delivered.push_back(p);
        },
        options);
    for (int i = 0; i < 20; ++i) {
        const auto p = dir.path() / (std::to_string(i) + (i % 5 ? ".jpg" : "bad.jpg"));
        if (i % 5)
            test::writeJpeg(p, 80, 60);
        else
            test::spit(p, "junk");
        loader.request(p.string());
    }
    ASSERT_TRUE(main.runUntil([&] { return delivered.size() == 20; }));
}
