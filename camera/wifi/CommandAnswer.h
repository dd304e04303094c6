#pragma once
// Whether the WiFi camera took a command, read from its answer, so that a refused
// change is told and the window goes back to what the camera has. Pure.
//
// Taken: the exchange completed with a 2xx status and, for "/camera_control.cgi",
// the answer's result statement (var result="ok";) says ok. A missing or other
// result, an error status or a transport error (no answer in time) is a refusal.

#include <optional>
#include <string>

#include "camera/wifi/CameraGet.h"
#include "camera/wifi/WiFiRequests.h"

namespace lumetra {

// Nothing when the camera took the request; otherwise why not, for the log.
std::optional<std::string> commandRefusal(const CameraRequest& request, const HttpAnswer& answer);

}  // namespace lumetra
