#pragma once
// Which device the USB button opens. The devices are walked in order and the first whose identifier
// contains one of the microscope identifiers (tested in their given order) is opened. When none
// matches, the user is told to connect the microscope and is offered the other capture devices
// present, so a microscope with another identifier still works; a device named explicitly (by node
// path or by part of its identifier) is opened without the microscope test.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "camera/usb/VideoDeviceList.h"
#include "image/Translate.h"

namespace lumetra {

inline constexpr std::array<std::string_view, 3> kMicroscopeIdentifiers{"14c31301", "14c31302",
                                                                        "14c31303"};

inline constexpr std::string_view kAlertConnectUsb =
    QT_TRANSLATE_NOOP("UsbCamera", "Please connect USB Microscope");

struct UsbConnectDecision {
    std::optional<size_t> open;  // index of the device to open
    std::string alert;           // shown when nothing is opened
    std::vector<size_t> others;  // capture devices the alert may offer instead
};

// explicitDevice, when not empty, names the device to open.
UsbConnectDecision decideUsbConnect(const std::vector<VideoDevice>& devices,
                                    const std::string& explicitDevice = {});

}  // namespace lumetra
