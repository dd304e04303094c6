#include "camera/wifi/WiFiTextFuzzEntry.h"

#include <string>
#include <string_view>

#include "camera/wifi/LineSearch.h"
#include "camera/wifi/WiFiLists.h"
#include "camera/wifi/WiFiProbe.h"
#include "camera/wifi/WiFiRequests.h"
#include "camera/wifi/WiFiSettings.h"

namespace lumetra {

void exerciseWiFiText(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char* prefix : {"var cameraList = ", "var resolution=", "var photo_cnt=", ""}) {
        if (const auto value = readSubstring(text, prefix)) (void)readNumber(*value);
        if (const auto value = findString(text, prefix)) (void)readInt32(*value);
    }
    (void)parseResolutionTitle(text);

    // The current size from the first bytes, so that the fuzzer can match entries.
    const auto side = [&](size_t at) -> uint16_t {
        return size > at + 1 ? static_cast<uint16_t>(data[at] | data[at + 1] << 8) : 640;
    };
    for (CameraMode kind : {CameraMode::WiFiWizard, CameraMode::WiFiCgi}) {
        WiFiSettings settings;
        parseWiFiSettings(kind, text, side(0), side(2), settings);
        (void)wifiLists(kind, settings);
        const FrameSize chosen{side(0), side(2)};
        settings.iWiFiDefResIndex = resolutionIndexFor(kind, settings.oMutResArray, chosen);
        (void)resolutionRequest(kind, settings);
        for (int32_t number = 0; number <= 7; ++number)
            (void)propertyRequest(kind, settings.controls, number, number);
    }

    HttpAnswer answer;
    answer.status = 200;
    answer.body = std::string(text);
    (void)decideWiFiDevice(answer, HttpAnswer{"refused", 0, {}});
    (void)decideWiFiDevice(HttpAnswer{"refused", 0, {}}, answer);
    (void)readPhotoCounter(answer);
}

}  // namespace lumetra
