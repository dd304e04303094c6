// Linked into every test program: before any test runs, the camera host the
// program would fall back to is loopback, also when the program is started by
// hand rather than by CTest. Tests that change the variable put it back.

#include <cstdlib>

#include "camera/CameraHost.h"

namespace {

const bool kLoopbackCameraHost = [] {
    return ::setenv(lumetra::CameraHost::kEnvironmentVariable, "127.0.0.1", 1) == 0;
}();

}  // namespace
