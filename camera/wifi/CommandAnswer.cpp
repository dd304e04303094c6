#include "camera/wifi/CommandAnswer.h"

#include "camera/wifi/LineSearch.h"

namespace lumetra {

std::optional<std::string> commandRefusal(const CameraRequest& request, const HttpAnswer& answer) {
    if (!answer.completed()) return answer.transportError;
    if (!answer.succeeded()) return "HTTP status " + std::to_string(answer.status);
    if (!request.pathAndQuery.starts_with("/camera_control.cgi?")) return std::nullopt;
    const std::optional<std::string_view> result = readSubstring(answer.body, "var result=");
    if (result && *result != "ok") return "the answer's result is \"" + std::string(*result) + "\"";
    return std::nullopt;
}

}  // namespace lumetra
