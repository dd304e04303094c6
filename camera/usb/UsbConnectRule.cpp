#include "camera/usb/UsbConnectRule.h"

#include "image/Translate.h"

namespace lumetra {

UsbConnectDecision decideUsbConnect(const std::vector<VideoDevice>& devices,
                                    const std::string& explicitDevice) {
    UsbConnectDecision decision;
    for (size_t i = 0; i < devices.size() && !decision.open; ++i) {
        const auto& d = devices[i];
        if (!explicitDevice.empty()) {
            if (d.path == explicitDevice || d.uniqueID.find(explicitDevice) != std::string::npos)
                decision.open = i;
            continue;
        }
        for (const auto id : kMicroscopeIdentifiers)
            if (d.uniqueID.find(id) != std::string::npos) {
                decision.open = i;
                break;
            }
    }
    if (decision.open) return decision;
    decision.alert = translate("UsbCamera", kAlertConnectUsb.data());
    for (size_t i = 0; i < devices.size(); ++i) decision.others.push_back(i);
    return decision;
}

}  // namespace lumetra
