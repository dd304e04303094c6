#pragma once
// The attached video-capture devices: every /dev/video* node whose driver offers
// streaming video capture (metadata and output nodes are left out), each with a
// stable identifier. For a USB device the identifier starts with its vendor and
// product ids as eight lowercase hex digits read from sysfs ("14c31301" for vendor
// 14c3, product 1301), followed by the driver's bus position, so two identical
// cameras differ.

#include <string>
#include <vector>

#include "camera/usb/V4l2Io.h"

namespace lumetra {

struct VideoDevice {
    std::string path;           // the device node, e.g. /dev/video0
    std::string uniqueID;       // "14c31301:usb-0000:00:14.0-2", or the bus position alone
    std::string localizedName;  // the driver's name for the camera
    // False when the node could not be opened to ask (no permission, or another
    // program holds it): it is listed so that connecting to it tells the user why it
    // cannot be used.
    bool queried = true;
};

// Where device nodes and sysfs live; tests point both at a fake tree.
struct DeviceDirs {
    std::string devDir = "/dev";
    std::string sysfsRoot = "/sys";
};

// The devices in node-number order.
std::vector<VideoDevice> listVideoDevices(V4l2Io& io, const DeviceDirs& dirs);

// The USB vendor and product ids of a video4linux node ("video0") as eight lowercase
// hex digits, or "" when it is no USB device or sysfs does not say.
std::string usbModelId(const std::string& sysfsRoot, const std::string& nodeName);

}  // namespace lumetra
