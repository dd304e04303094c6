#pragma once
// Which camera is active (the window's iCameraMode): none, a USB camera, or one
// of the two kinds of WiFi camera. The numbers are the ones stored and compared
// at the edges.

#include <cstdint>

namespace lumetra {

enum class CameraMode : uint8_t {
    None = 0,
    Usb = 1,
    WiFiWizard = 2,  // answers the wizard settings page
    WiFiCgi = 3,     // answers the CGI settings page
};

inline bool isWiFi(CameraMode mode) {
    return mode == CameraMode::WiFiWizard || mode == CameraMode::WiFiCgi;
}

}  // namespace lumetra
