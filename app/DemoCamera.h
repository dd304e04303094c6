#pragma once
// The demo's camera: the simulated WiFi microscope of the CGI kind, run inside the
// application on 127.0.0.1 with free ports. It is the kind that reports its shutter
// button in the stream ("photo_cnt"), so pressing it takes snapshots without the
// poller. It stands in for the probe of a real camera.

#include <optional>
#include <string>

#include "app/WiFiCameraSide.h"
#include "tools/camsim/CamSim.h"

namespace lumetra {

class DemoCamera {
public:
    DemoCamera();

    // Starts serving; false with a reason when it cannot listen.
    bool start(std::string* error = nullptr);

    // What a probe of the running camera would learn; nullopt before start.
    std::optional<WiFiCamera> probe() const;

    camsim::CamSim& simulator() { return sim_; }

private:
    camsim::CamSim sim_;
};

}  // namespace lumetra
