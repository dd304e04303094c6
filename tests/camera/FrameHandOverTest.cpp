#include <gtest/gtest.h>

#include <memory>

#include "camera/FrameHandOver.h"
#include "support/MainQueue.h"

namespace lumetra {
namespace {

struct Shown : FrameListener {
    std::vector<std::pair<int, bool>> frames;  // width, changed
    void frameReady(const Frame& f, const FrameMarks& m) override {
        frames.emplace_back(f.width, m.changed);
    }
};

TEST(FrameHandOverTest, KeepsTheNewestFrameAndDropsStaleOnes) {
    test::MainQueue main;
    Shown listener;
    auto& shown = listener.frames;
    auto handOver = std::make_unique<FrameHandOver>(main.poster());
    handOver->setListener(&listener);
    FrameMarks unchanged;
    unchanged.changed = false;

    handOver->offer(Frame::allocate(1, 1), FrameMarks{});
    handOver->offer(Frame::allocate(2, 1), unchanged);  // replaces the first, keeps its change
    main.drain();
    handOver->offer(Frame::allocate(3, 1), FrameMarks{});
    handOver->invalidate();  // offered before: dropped
    main.drain();
    handOver->offer(Frame::allocate(4, 1), unchanged);
    handOver.reset();  // queued call finds the hand-over gone
    main.drain();
    EXPECT_EQ(shown, (std::vector<std::pair<int, bool>>{{2, true}}));
}

}  // namespace
}  // namespace lumetra
