#pragma once
// The demo's camera: the simulated WiFi microscope of the CGI kind, run inside the
// application on 127.0.0.1 with free ports. It is the kind that reports its shutter
// button in the stream ("photo_cnt"), so pressing it takes snapshots without the
// poller. The WiFi side connects to it as to a real camera: probes, settings, stream.

#include <string>

#include "camera/CameraHost.h"
#include "tools/camsim/CamSim.h"

namespace lumetra {

class DemoCamera {
public:
    DemoCamera();

    // Starts serving; false with a reason when it cannot listen.
    bool start(std::string* error = nullptr);

    // Where the running camera answers (ports 0 before start).
    CameraHost host() const;

    camsim::CamSim& simulator() { return sim_; }

private:
    camsim::CamSim sim_;
};

}  // namespace lumetra
