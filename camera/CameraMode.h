#pragma once
// Which camera is active (the window's iCameraMode): none, a USB camera, one of
// the two kinds of WiFi camera, which the WiFi side tells apart by the settings
// page that answers, or a picture file standing in for a camera. The numbers are the ones stored
// and compared at the edges. A camera mode belongs to one kind of connection (CameraKind): the
// window holds one camera side per kind.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace lumetra {

enum class CameraMode : uint8_t {
    None = 0,
    Usb = 1,
    // settings page "/wizardvideo.asp", changes through "/apply.cgi"
    WiFiWizard = 2,
    // settings "/get_camera_all.cgi", changes through "/camera_control.cgi"
    WiFiCgi = 3,
    // a picture opened from a file
    Picture = 4,
};

// The kinds of connection, one camera side each; the values index the window's sides.
enum class CameraKind : uint8_t { Usb, WiFi, Picture };
inline constexpr size_t kCameraKinds = 3;

inline bool isWiFi(CameraMode mode) {
    return mode == CameraMode::WiFiWizard || mode == CameraMode::WiFiCgi;
}

// The kind of connection of a camera mode; none for CameraMode::None.
inline std::optional<CameraKind> cameraKind(CameraMode mode) {
    if (mode == CameraMode::Usb) return CameraKind::Usb;
    if (isWiFi(mode)) return CameraKind::WiFi;
    if (mode == CameraMode::Picture) return CameraKind::Picture;
    return std::nullopt;
}

}  // namespace lumetra
