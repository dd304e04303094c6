#include "camera/usb/VideoDeviceList.h"

#include <fcntl.h>
#include <linux/videodev2.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "camera/usb/DirectoryNames.h"

namespace lumetra {
namespace fs = std::filesystem;
namespace {

// The node number of "video<digits>", or nullopt for any other name.
std::optional<int> nodeNumber(const std::string& name) {
    constexpr std::string_view prefix = "video";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 6 ||
        name.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    int n = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

std::string firstLine(const fs::path& file, size_t limit) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) return {};
    if (line.size() > limit) line.resize(limit);
    return line;
}

// A four-digit hex id in lowercase, or "" when the text is not one.
std::string hexId(std::string text) {
    if (text.size() != 4) return {};
    for (char& c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return {};
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string fixedText(const uint8_t* bytes, size_t size) {
    const auto* text = reinterpret_cast<const char*>(bytes);
    return std::string(text, strnlen(text, size));
}

}  // namespace

std::string usbModelId(const std::string& sysfsRoot, const std::string& nodeName) {
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(sysfsRoot, ec);
    fs::path dir =
        fs::canonical(fs::path(sysfsRoot) / "class/video4linux" / nodeName / "device", ec);
    if (ec) return {};
    // The node's device is the USB interface; the ids sit on the USB device above it.
    for (int depth = 0; depth < 8 && dir.has_relative_path() && dir != root; ++depth) {
        const std::string vendor = hexId(firstLine(dir / "idVendor", 8));
        const std::string product = hexId(firstLine(dir / "idProduct", 8));
        if (!vendor.empty() && !product.empty()) return vendor + product;
        dir = dir.parent_path();
    }
    return {};
}

std::vector<VideoDevice> listVideoDevices(V4l2Io& io, const DeviceDirs& dirs) {
    std::vector<std::pair<int, std::string>> nodes;
    for (const std::string& name : directoryNames(dirs.devDir))
        if (const auto n = nodeNumber(name)) nodes.emplace_back(*n, name);
    std::sort(nodes.begin(), nodes.end());

    std::vector<VideoDevice> devices;
    for (const auto& [number, name] : nodes) {
        VideoDevice device;
        device.path = (fs::path(dirs.devDir) / name).string();
        std::string position;
        const int fd = io.open(device.path, O_RDWR | O_NONBLOCK);
        if (fd < 0) {
            // A node not allowed to us or held by another program is listed, so that
            // connecting to it says why it cannot be used.
            if (errno != EACCES && errno != EPERM && errno != EBUSY) continue;
            device.queried = false;
            device.localizedName =
                firstLine(fs::path(dirs.sysfsRoot) / "class/video4linux" / name / "name", 64);
        } else {
            v4l2_capability cap{};
            const bool answered = xioctl(io, fd, VIDIOC_QUERYCAP, &cap) == 0;
            io.close(fd);
            const uint32_t caps =
                (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
            if (!answered || !(caps & V4L2_CAP_VIDEO_CAPTURE) || !(caps & V4L2_CAP_STREAMING))
                continue;
            device.localizedName = fixedText(cap.card, sizeof cap.card);
            position = fixedText(cap.bus_info, sizeof cap.bus_info);
        }
        if (device.localizedName.empty()) device.localizedName = name;
        if (position.empty()) position = device.path;
        const std::string model = usbModelId(dirs.sysfsRoot, name);
        device.uniqueID = model.empty() ? position : model + ":" + position;
        devices.push_back(std::move(device));
    }
    return devices;
}

}  // namespace lumetra
