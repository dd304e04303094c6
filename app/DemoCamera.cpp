#include "app/DemoCamera.h"

namespace lumetra {
namespace {

camsim::CamSimOptions demoOptions() {
    camsim::CamSimOptions options;
    options.kind = camsim::CameraKind::Cgi;
    options.width = 1280;
    options.height = 960;
    options.fps = 15;
    return options;
}

}  // namespace

DemoCamera::DemoCamera() : sim_(demoOptions()) {}

bool DemoCamera::start(std::string* error) { return sim_.start(error); }

std::optional<WiFiCamera> DemoCamera::probe() const {
    if (sim_.controlPort() == 0) return std::nullopt;
    const camsim::CameraState state = sim_.state();
    WiFiCamera camera;
    camera.host = CameraHost{camsim::kListenAddress, sim_.controlPort(), sim_.streamPort()};
    camera.cameraMode = CameraMode::WiFiCgi;
    camera.width = static_cast<uint16_t>(state.resolution().width);
    camera.height = static_cast<uint16_t>(state.resolution().height);
    camera.photoCount = state.photoCount();
    return camera;
}

}  // namespace lumetra
