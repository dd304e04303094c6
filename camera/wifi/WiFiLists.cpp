#include "camera/wifi/WiFiLists.h"

#include "camera/wifi/LineSearch.h"

namespace lumetra {
namespace {

int selection(int index, size_t count) {
    return index >= 0 && static_cast<size_t>(index) < count ? index : -1;
}

}  // namespace

WiFiLists wifiLists(WiFiKind kind, const WiFiSettings& settings) {
    WiFiLists lists;
    if (kind == WiFiKind::Cgi) {
        for (const std::string& entry : settings.oMutResArray)
            if (!entry.empty()) lists.resolutions.push_back(entry);
        lists.resolutionSelection = selection(settings.iWiFiDefResIndex, lists.resolutions.size());
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
