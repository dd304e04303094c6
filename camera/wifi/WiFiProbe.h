#pragma once
// Finding out which WiFi camera answers (initWiFiDevice): the two settings probes, the
// kind decision, the current frame size and the photo counter. Blocking; the
// controller runs it on its worker.
//
// A probe's answer counts when a non-empty body arrived, whatever the HTTP status; a
// body that is not UTF-8 leaves no content at all. The second probe overrides the
// first, so a camera answering both is a CGI camera.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "camera/CameraHost.h"
#include "camera/wifi/CameraGet.h"
#include "camera/wifi/WiFiSettings.h"

namespace lumetra {

inline constexpr std::chrono::milliseconds kProbeTimeout = std::chrono::seconds(3);

struct WiFiDevice {
    CameraMode kind = CameraMode::WiFiCgi;
    std::string strMediaContent;  // the settings answer
    std::optional<uint16_t> width, height;
    std::optional<int64_t> iSnapNumber;
};

// The decision from the two probes' answers; the wizard camera's photo counter is not
// read here. Nothing when neither answered with a usable body.
std::optional<WiFiDevice> decideWiFiDevice(const HttpAnswer& wizardProbe,
                                           const HttpAnswer& cgiProbe);

// The photo counter from a counter answer: spaces, CR and LF anywhere are ignored.
// Nothing unless the exchange completed with a success status and a UTF-8 body.
std::optional<int64_t> readPhotoCounter(const HttpAnswer& answer);

// Writes one line, "Error: " and the failure's description (standard error by default).
using ProbeLog = std::function<void(const std::string& line)>;
void logToStandardError(const std::string& line);

// Probes "/wizardvideo.asp", then "/get_camera_all.cgi", each with a 3-second time-out,
// logging each transport error; reads the wizard camera's counter. A set abort flag
// ends the requests early (as transport errors).
std::optional<WiFiDevice> initWiFiDevice(const CameraHost& host, const ProbeLog& log,
                                         const std::atomic<bool>* abort = nullptr);

}  // namespace lumetra
