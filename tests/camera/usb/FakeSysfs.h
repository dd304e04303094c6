#pragma once
// A fake /dev and /sys pair for device listing: a node file per device and, for USB
// devices, the sysfs chain from the video4linux class entry to the USB device that
// carries idVendor and idProduct.

#include <filesystem>
#include <fstream>
#include <string>

namespace lumetra::test {

struct FakeSysfs {
    std::filesystem::path root;
    std::filesystem::path dev() const { return root / "dev"; }
    std::filesystem::path sys() const { return root / "sys"; }

    // Adds /dev/<node>; with ids, the USB device at port `port` that owns it.
    std::string addNode(const std::string& node, const std::string& vendor = {},
                        const std::string& product = {}, int port = 1) const {
        namespace fs = std::filesystem;
        fs::create_directories(dev());
        std::ofstream(dev() / node).put('\n');
        const fs::path entry = sys() / "class/video4linux" / node;
        fs::create_directories(entry);
        std::ofstream(entry / "name") << "Camera " << node << "\n";
        if (!vendor.empty()) {
            const fs::path usb = sys() / "devices/pci0000:00/usb1" / ("1-" + std::to_string(port));
            const fs::path iface = usb / ("1-" + std::to_string(port) + ":1.0");
            fs::create_directories(iface);
            std::ofstream(usb / "idVendor") << vendor << "\n";
            std::ofstream(usb / "idProduct") << product << "\n";
            fs::create_directory_symlink(fs::relative(iface, entry), entry / "device");
        }
        return (dev() / node).string();
    }
};

}  // namespace lumetra::test
