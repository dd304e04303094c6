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

CameraHost DemoCamera::host() const {
    return CameraHost{camsim::kListenAddress, sim_.controlPort(), sim_.streamPort()};
}

}  // namespace lumetra
