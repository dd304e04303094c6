#include "camera/wifi/CommandAnswer.h"

#include <optional>
#include <string_view>

#include "camera/wifi/LineSearch.h"

namespace lumetra {

CommandVerdict commandVerdict(const CameraRequest& request, const HttpAnswer& answer) {
    using enum CommandVerdict::Outcome;
    if (!answer.completed()) return {Unanswered, answer.transportError};
    if (!answer.succeeded()) return {Refused, "HTTP status " + std::to_string(answer.status)};
    if (!request.pathAndQuery.starts_with("/camera_control.cgi?")) return {};
    const std::optional<std::string_view> result = readSubstring(answer.body, "var result=");
    if (result && *result != "ok")
        return {Refused, "the answer's result is \"" + std::string(*result) + "\""};
    return {};
}

}  // namespace lumetra
