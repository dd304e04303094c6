#pragma once
// The "param" numbers of the CGI camera's "/camera_control.cgi": which setting a
// control request changes. Shared by the requests and the simulated camera.

namespace lumetra {

enum class CgiParam : int {
    Resolution = 0,
    Brightness = 1,
    Contrast = 2,
    FrameRate = 6,
    Saturation = 8,
    Hue = 9,
    Sharpness = 11,
    Gamma = 12,
};

}  // namespace lumetra
