#pragma once
// What the window's WiFi pop-up lists show after a settings read: the resolution items
// and the frame-rate items with their selections. Pure: built from the settings.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "camera/wifi/WiFiSettings.h"

namespace lumetra {

struct WiFiLists {
    std::vector<std::string> resolutions;
    int resolutionSelection = -1;  // -1: no item selected
    std::vector<std::string> frameRates;
    int frameRateSelection = -1;
    bool operator==(const WiFiLists&) const = default;
};

WiFiLists wifiLists(CameraMode kind, const WiFiSettings& settings);

// A resolution item's title, width "x" height; nothing without an "x" or with a side
// that is not a usable frame side.
struct FrameSize {
    uint16_t width = 0;
    uint16_t height = 0;
    bool operator==(const FrameSize&) const = default;
};
std::optional<FrameSize> parseResolutionTitle(std::string_view title);

}  // namespace lumetra
