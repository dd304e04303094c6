#include "camera/wifi/WiFiProbe.h"

#include <cstdio>

#include "camera/wifi/LineSearch.h"
#include "camera/wifi/WiFiRequests.h"
#include "image/Utf8Text.h"

namespace lumetra {
namespace {

// What one probe leaves as the content: a new text, or (invalid UTF-8) no text at all.
// Nothing when no body arrived, which leaves the content as it was.
std::optional<std::string> probeContent(const HttpAnswer& answer) {
    if (!answer.completed() || answer.body.empty()) return std::nullopt;
    if (!isValidUtf8(answer.body)) return std::string();
    return answer.body;
}

HttpAnswer probe(const CameraHost& host, const char* path, const ProbeLog& log,
                 const std::atomic<bool>* abort) {
    const std::string url = host.controlUrl(path);
    HttpAnswer answer = CameraGet(url, kProbeTimeout).perform(abort);
    if (!answer.completed() && log) log("Error: " + answer.transportError + " (" + url + ")");
    return answer;
}

}  // namespace

std::optional<WiFiDevice> decideWiFiDevice(const HttpAnswer& wizardProbe,
                                           const HttpAnswer& cgiProbe) {
    std::optional<CameraMode> kind;
    std::string content;
    const std::pair<const HttpAnswer*, CameraMode> probes[] = {
        {&wizardProbe, CameraMode::WiFiWizard}, {&cgiProbe, CameraMode::WiFiCgi}};
    for (const auto& [answer, answerKind] : probes) {
        if (auto text = probeContent(*answer)) {
            content = std::move(*text);
            if (!content.empty()) kind = answerKind;
        }
    }
    if (!kind || content.empty()) return std::nullopt;

    WiFiDevice device;
    device.kind = *kind;
    device.strMediaContent = std::move(content);
    const std::string_view page = device.strMediaContent;
    if (device.kind == CameraMode::WiFiCgi) {
        if (const auto size = readSubstring(page, "var resolution=")) {
            if (const size_t x = size->find('x'); x != std::string_view::npos) {
                device.width = readFrameSide(size->substr(0, x));
                device.height = readFrameSide(size->substr(x + 1));
            }
        }
        if (const auto count = findString(page, "var photo_cnt="))
            device.iSnapNumber = readNumber(*count);
    } else {
        if (const auto w = readSubstring(page, "var cameraWidth="))
            device.width = readFrameSide(*w);
        if (const auto h = readSubstring(page, "var cameraHeight="))
            device.height = readFrameSide(*h);
    }
    return device;
}

std::optional<int64_t> readPhotoCounter(const HttpAnswer& answer) {
    if (!answer.succeeded() || !isValidUtf8(answer.body)) return std::nullopt;
    return readNumber(removeChars(answer.body, " \r\n"));
}

void logToStandardError(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

std::optional<WiFiDevice> initWiFiDevice(const CameraHost& host, const ProbeLog& log,
                                         const std::atomic<bool>* abort) {
    const HttpAnswer wizard = probe(host, kWizardSettingsPath, log, abort);
    const HttpAnswer cgi = probe(host, kCgiSettingsPath, log, abort);
    std::optional<WiFiDevice> device = decideWiFiDevice(wizard, cgi);
    if (device && device->kind == CameraMode::WiFiWizard)
        device->iSnapNumber = readPhotoCounter(
            CameraGet(host.controlUrl(kPhotoCounterPath), kProbeTimeout).perform(abort));
    return device;
}

}  // namespace lumetra
