#include "camera/wifi/WiFiRequests.h"

#include "camera/wifi/LineSearch.h"

namespace lumetra {

std::string CameraRequest::url(const CameraHost& host) const {
    return port == Port::Control ? host.controlUrl(pathAndQuery) : host.streamUrl(pathAndQuery);
}

CameraRequest cgiControlRequest(CgiParam param, int64_t value) {
    return {CameraRequest::Port::Control,
            "/camera_control.cgi?loginuse=admin&loginpas=qorve&param=" +
                std::to_string(static_cast<int>(param)) + "&value=" + std::to_string(value)};
}

CameraRequest applyRequest(uint8_t resolutionIndex, uint8_t framesPerSecond) {
    return {CameraRequest::Port::Control,
            "/apply.cgi?submit_button=media&change_action=&action=Apply&refresh_ddns=1"
            "&video_port=8899&video_idx=" +
                std::to_string(resolutionIndex) +
                "&video_frame=" + std::to_string(framesPerSecond) + "&only_stream=0&auth_need=0"};
}

CameraRequest commandRequest(int32_t controlNumber, int32_t value) {
    return {CameraRequest::Port::Stream,
            "/?action=command&dest=0&plugin=0&id=" + std::to_string(controlNumber) +
                "&group=01&value=" + std::to_string(value)};
}

std::optional<CameraRequest> propertyRequest(CameraMode kind, const WiFiControls& controls,
                                             int32_t controlNumber, int32_t value) {
    if (kind == CameraMode::WiFiWizard) return commandRequest(controlNumber, value);
    struct Row {
        int32_t number;
        CgiParam param;
        Adjustment adjustment;
    };
    constexpr Row kRows[] = {{kCgiBrightnessId, CgiParam::Brightness, Adjustment::Brightness},
                             {kCgiContrastId, CgiParam::Contrast, Adjustment::Contrast},
                             {kCgiHueId, CgiParam::Hue, Adjustment::Hue},
                             {kCgiSaturationId, CgiParam::Saturation, Adjustment::Saturation},
                             {kCgiSharpnessId, CgiParam::Sharpness, Adjustment::Sharpness},
                             {kCgiGammaId, CgiParam::Gamma, Adjustment::Gamma}};
    for (const Row& row : kRows)
        if (row.number == controlNumber)
            return cgiControlRequest(row.param, controls[row.adjustment].iValue);
    return std::nullopt;
}

uint8_t resolutionIndexFor(CameraMode kind, const std::vector<std::string>& entries,
                           FrameSize size) {
    uint8_t index = kResolutionIndexUnknown;
    const std::string width = std::to_string(size.width);
    const std::string height = std::to_string(size.height);
    for (size_t i = 0; i < entries.size() && i < kMaxResolutionEntries; ++i) {
        const std::string& entry = entries[i];
        if (entry.empty()) continue;
        index = static_cast<uint8_t>(i);
        const bool offered = kind == CameraMode::WiFiCgi || contains(entry, ",1,");
        if (offered && contains(entry, width) && contains(entry, height)) break;
    }
    return index;
}

CameraRequest resolutionRequest(CameraMode kind, const WiFiSettings& settings) {
    if (kind == CameraMode::WiFiCgi)
        return cgiControlRequest(CgiParam::Resolution, settings.iWiFiDefResIndex);
    return applyRequest(settings.iWiFiDefResIndex, settings.iWiFiDefFpsIndex);
}

CameraRequest frameRateRequest(CameraMode kind, const WiFiSettings& settings) {
    if (kind == CameraMode::WiFiCgi)
        return cgiControlRequest(CgiParam::FrameRate, settings.iWiFiDefFpsIndex);
    return applyRequest(settings.iWiFiDefResIndex, settings.iWiFiDefFpsIndex);
}

std::chrono::milliseconds restartDelay(CameraMode kind) {
    return kind == CameraMode::WiFiCgi ? std::chrono::seconds(5) : std::chrono::seconds(10);
}

}  // namespace lumetra
