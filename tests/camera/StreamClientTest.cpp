#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "camera/StreamClient.h"
#include "tools/camsim/CamSim.h"

using namespace lumetra;
using namespace lumetra::camsim;

namespace {

// Fails its first part start, as a listener that runs out of memory would.
class FailingListener : public MultipartParser::Listener {
public:
    std::atomic<int> parts{0};
    void partBegin(const PartHeaders&, const std::string&) override {
        if (parts++ == 0) throw std::runtime_error("listener failed");
    }
    void partData(const uint8_t*, size_t) override {}
};

}  // namespace

TEST(StreamClient, AnExceptionInAnEventNeverCrossesLibcurlAndTheStreamGoesOn) {
    CamSim sim({.kind = camsim::CameraKind::Cgi, .width = 320, .height = 240, .fps = 0});
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    FailingListener listener;
    StreamClient client("http://127.0.0.1:" + std::to_string(sim.streamPort()) + "/", listener);
    for (int i = 0; i < 5000 && listener.parts < 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_GE(listener.parts, 3);
    EXPECT_EQ(client.failedEvents(), 1u);
    EXPECT_FALSE(client.ended());
}
