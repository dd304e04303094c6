#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "camera/SerialQueue.h"

using namespace lumetra;

TEST(SerialQueueWork, ItemsFromManyThreadsRunOneAtATimeOnTheWorker) {
    SerialQueue q("test-queue");
    std::atomic<int> inside{0};
    int overlaps = 0, elsewhere = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i)
                q.sync([&] {
                    if (++inside > 1) ++overlaps;
                    if (!q.onWorker()) ++elsewhere;
                    --inside;
                });
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(elsewhere, 0);
}

TEST(SerialQueueWork, SyncFromTheWorkerRunsInlineAndErrorsReachTheCaller) {
    SerialQueue q("test-queue");
    bool nested = false;
    q.sync([&] { q.sync([&] { nested = q.onWorker(); }); });
    EXPECT_TRUE(nested);
    EXPECT_THROW(q.sync([] { throw std::runtime_error("boom"); }), std::runtime_error);
    q.sync([&] { nested = false; });
    EXPECT_FALSE(nested) << "the worker survives an error";
}

TEST(SerialQueueWork, PostedTasksRunInOrderAKeyKeepsOnlyItsNewestAndErrorsGoToTheirHandler) {
    SerialQueue q("test-queue");
    std::promise<void> gate;
    std::vector<std::string> ran;  // written on the worker, read after the last sync
    q.post([opened = gate.get_future().share()] { opened.wait(); });
    q.post("brightness", [&] { ran.push_back("brightness 1"); });
    q.post([&] { ran.push_back("probe"); });
    q.post("brightness", [&] { ran.push_back("brightness 2"); });  // takes the first's place
    q.post([] { throw std::runtime_error("boom"); },
           [&](std::exception_ptr error) {
               try {
                   std::rethrow_exception(error);
               } catch (const std::runtime_error& e) {
                   ran.push_back(std::string("failed: ") + e.what());
               }
           });
    q.post([] { throw std::runtime_error("dropped"); });  // without a handler
    q.post("contrast", [&] { ran.push_back("contrast"); });
    gate.set_value();
    q.sync([] {});
    EXPECT_EQ(ran, (std::vector<std::string>{"brightness 2", "probe", "failed: boom", "contrast"}));
}
