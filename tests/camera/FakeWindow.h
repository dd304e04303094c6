#pragma once
// A window stand-in for receiver tests: it shows every picture through the display
// rule (FakeFrameTarget) and records the snapshot requests and stream ends.

#include <vector>

#include "camera/StreamReceiver.h"
#include "support/FakeFrameTarget.h"

namespace lumetra::test {

class FakeWindow : public FakeFrameTarget, public StreamReceiverListener {
public:
    std::vector<int64_t> snapshots;
    int streamsEnded = 0;  // streams that ended by themselves

    void frameReady(const Frame& frame, const FrameMarks& m) override { show(frame, m); }
    void snapshotRequested(int64_t count) override { snapshots.push_back(count); }
    void streamEnded() override { ++streamsEnded; }
};

}  // namespace lumetra::test
