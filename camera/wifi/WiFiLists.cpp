#include "camera/wifi/WiFiLists.h"

#include "camera/wifi/LineSearch.h"

namespace lumetra {
namespace {

int selection(int index, size_t count) {
    return index >= 0 && static_cast<size_t>(index) < count ? index : -1;
}

}  // namespace

WiFiLists wifiLists(CameraMode kind, const WiFiSettings& settings) {
    WiFiLists lists;
    if (kind == CameraMode::WiFiCgi) {
        // Only the entries that name a size are listed: choosing any other would
        // change nothing. The selection follows the current entry to its list position.
        for (size_t i = 0; i < settings.oMutResArray.size(); ++i) {
            const std::string& entry = settings.oMutResArray[i];
            if (!parseResolutionTitle(entry)) continue;
            if (i == settings.iWiFiDefResIndex)
                lists.resolutionSelection = static_cast<int>(lists.resolutions.size());
            lists.resolutions.push_back(entry);
        }
        lists.frameRates = {"30", "25", "20", "15", "10", "5"};
        lists.frameRateSelection = selection(settings.iWiFiDefFpsIndex, lists.frameRates.size());
    } else {
        for (const std::string& entry : settings.oMutResArray)
            if (isOfferedEntry(entry)) lists.resolutions.push_back(offeredEntryTitle(entry));
        lists.resolutionSelection = selection(settings.offeredPosition, lists.resolutions.size());
        for (int fps = 1; fps <= 30; ++fps) lists.frameRates.push_back(std::to_string(fps));
        lists.frameRateSelection =
            selection(settings.iWiFiDefFpsIndex - 1, lists.frameRates.size());
    }
    return lists;
}

std::optional<FrameSize> parseResolutionTitle(std::string_view title) {
    const size_t x = title.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto width = readFrameSide(title.substr(0, x));
    const auto height = readFrameSide(title.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return FrameSize{*width, *height};
}

}  // namespace lumetra
