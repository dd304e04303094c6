#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "camera/SerialQueue.h"

using namespace lumetra;

TEST(SerialQueueWork, ItemsFromManyThreadsRunOneAtATimeOnTheWorker) {
    SerialQueue q("test-queue");
    std::atomic<int> inside{0};
    int overlaps = 0, total = 0;
    std::thread::id worker;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i)
                q.sync([&] {
                    if (++inside > 1) ++overlaps;
                    if (worker == std::thread::id()) worker = std::this_thread::get_id();
                    EXPECT_EQ(worker, std::this_thread::get_id());
                    ++total;
                    --inside;
                });
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(total, 800);
}

TEST(SerialQueueWork, SyncFromTheWorkerRunsInlineAndErrorsReachTheCaller) {
    SerialQueue q("test-queue");
    bool nested = false;
    q.sync([&] { q.sync([&] { nested = q.onWorker(); }); });
    EXPECT_TRUE(nested);
    EXPECT_THROW(q.sync([] { throw std::runtime_error("boom"); }), std::runtime_error);
    int after = 0;
    q.sync([&] { after = 1; });
    EXPECT_EQ(after, 1);
}
