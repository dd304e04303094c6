#pragma once
// Whether the WiFi camera took a command, read from its answer, so that a refused
// change is told and the window goes back to what the camera has. Pure.
//
// Refused: a transport error (no answer in time), a status other than 2xx, or a
// "/camera_control.cgi" answer whose result statement (var result="...";) names
// anything but ok. An answer without a result statement is taken: cameras differ
// in what they answer, and a change they took must not be shown as refused.

#include <optional>
#include <string>

#include "camera/wifi/CameraGet.h"
#include "camera/wifi/WiFiRequests.h"

namespace lumetra {

// Nothing when the camera took the request; otherwise why not, for the log.
std::optional<std::string> commandRefusal(const CameraRequest& request, const HttpAnswer& answer);

}  // namespace lumetra
