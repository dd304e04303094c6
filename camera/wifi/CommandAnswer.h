#pragma once
// Whether the WiFi camera took a command, read from its answer, so that a refused
// change is told and the window goes back to what the camera has. Pure.
//
// Refused: a status other than 2xx, or a "/camera_control.cgi" answer whose result
// statement (var result="...";) names anything but ok. An answer without a result
// statement is taken: cameras differ in what they answer, and a change they took
// must not be shown as refused. Unanswered: no answer in time or the connection
// dropped, as a camera restarting for a resolution change may do; whether it took
// the change is not known.

#include <cstdint>
#include <string>

#include "camera/wifi/CameraGet.h"
#include "camera/wifi/WiFiRequests.h"

namespace lumetra {

struct CommandVerdict {
    enum class Outcome : uint8_t { Taken, Refused, Unanswered };
    Outcome outcome = Outcome::Taken;
    std::string reason;  // why not taken, for the log
};
CommandVerdict commandVerdict(const CameraRequest& request, const HttpAnswer& answer);

}  // namespace lumetra
