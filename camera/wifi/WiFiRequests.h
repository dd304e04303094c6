#pragma once
// The requests that change a WiFi camera's resolution, frame rate and picture
// controls, as exact paths and queries, and the choices behind them. Pure functions;
// sending is the controller's business.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "camera/CameraHost.h"
#include "camera/wifi/CgiParam.h"
#include "camera/wifi/WiFiLists.h"
#include "camera/wifi/WiFiSettings.h"

namespace lumetra {

// The camera's user and password, sent with every request but the picture stream.
inline constexpr const char* kCameraUserPassword = "admin:qorve";

inline constexpr const char* kWizardSettingsPath = "/wizardvideo.asp";
inline constexpr const char* kCgiSettingsPath = "/get_camera_all.cgi";
inline constexpr const char* kPhotoCounterPath = "/updateNPNvram.cgi?camera_gpio_trigger";

struct CameraRequest {
    enum class Port { Control, Stream };
    Port port = Port::Control;
    std::string pathAndQuery;
    std::string url(const CameraHost& host) const;
    bool operator==(const CameraRequest&) const = default;
};

CameraRequest cgiControlRequest(CgiParam param, int64_t value);
CameraRequest applyRequest(uint8_t resolutionIndex, uint8_t framesPerSecond);
CameraRequest commandRequest(int32_t controlNumber, int32_t value);

// One picture-control change (setPropertyCommand): the CGI camera sends the record's
// iValue for its control numbers (kCgiBrightnessId ... kCgiGammaId) and nothing for
// others; the wizard camera sends the given number and value on its stream port.
std::optional<CameraRequest> propertyRequest(CameraMode kind, const WiFiControls& controls,
                                             int32_t controlNumber, int32_t value);

// The index of the resolution entry a chosen size stands for: the first non-empty entry
// mentioning both sides (and, for the wizard camera, offered), else the last non-empty
// entry, else kResolutionIndexUnknown.
uint8_t resolutionIndexFor(CameraMode kind, const std::vector<std::string>& entries,
                           FrameSize size);

// The request of a resolution or frame-rate change with the settings as they are after
// the choice, and how long the camera needs before the stream is opened again.
CameraRequest resolutionRequest(CameraMode kind, const WiFiSettings& settings);
CameraRequest frameRateRequest(CameraMode kind, const WiFiSettings& settings);
std::chrono::milliseconds restartDelay(CameraMode kind);

}  // namespace lumetra
