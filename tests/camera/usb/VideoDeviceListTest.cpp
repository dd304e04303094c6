#include <gtest/gtest.h>

#include "camera/usb/DirectoryNames.h"
#include "camera/usb/UsbConnectRule.h"
#include "camera/usb/VideoDeviceList.h"
#include "support/FakeV4l2.h"
#include "support/TempDir.h"

namespace lumetra {
namespace {

TEST(VideoDeviceListTest, ListsCaptureNodesWithUsbIdsFromSysfs) {
    test::TempDir dir;
    auto node = [&](auto... args) { return test::addNode(dir.path(), args...); };
    test::FakeV4l2 kernel;
    kernel.add({.path = node("video0", "046D", "0825", 1), .busInfo = "usb-x-1"});
    kernel.add({.path = node("video1", "046d", "0825", 1),
                .busInfo = "usb-x-1",
                .caps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING});
    kernel.add({.path = node("video10", "14c3", "1302", 2), .busInfo = "usb-x-2"});
    kernel.add({.path = node("video2", "14c3", "1301", 3), .openErrno = EACCES});
    node("video3");  // no driver answers: left out
    node("videoX");  // not a video node name
    kernel.add({.path = node("video4"), .card = "", .busInfo = "platform:vivid"});

    const auto devices = listVideoDevices(kernel, {dir.path() / "dev", dir.path() / "sys"});
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices[0].uniqueID, "046d0825:usb-x-1");
    EXPECT_EQ(devices[0].localizedName, "USB Microscope");
    // Not allowed to ask the driver: listed from sysfs, so connecting can say why it fails.
    EXPECT_FALSE(devices[1].queried);
    EXPECT_EQ(devices[1].uniqueID, "14c31301:" + devices[1].path);
    EXPECT_EQ(devices[1].localizedName, "Camera video2");
    EXPECT_EQ(devices[2].uniqueID, "platform:vivid");
    EXPECT_EQ(devices[2].localizedName, "video4");
    EXPECT_EQ(devices[3].uniqueID, "14c31302:usb-x-2");
    EXPECT_EQ(kernel.openFds(), 0);
}

// A directory whose reading fails after `readable` entries; stepping on with the
// throwing increment would end the process, as the real iterator's does.
struct FailingDirectory {
    std::vector<std::filesystem::directory_entry> entries;
    size_t readable = 0;
    size_t at = 0;
    bool end = true;

    FailingDirectory() = default;
    FailingDirectory(std::vector<std::filesystem::directory_entry> e, size_t r)
        : entries(std::move(e)), readable(r), end(entries.empty()) {}
    const std::filesystem::directory_entry* operator->() const { return &entries[at]; }
    bool operator!=(const FailingDirectory& other) const { return end != other.end; }
    FailingDirectory& operator++() { throw std::filesystem::filesystem_error("step", {}); }
    FailingDirectory& increment(std::error_code& ec) {
        if (++at >= readable) {
            ec = std::make_error_code(std::errc::io_error);
            end = true;
        }
        return *this;
    }
};

TEST(VideoDeviceListTest, AFailingStepThroughTheDeviceFolderListsWhatWasRead) {
    FailingDirectory dir({std::filesystem::directory_entry("/dev/video0"),
                          std::filesystem::directory_entry("/dev/video1"),
                          std::filesystem::directory_entry("/dev/video2")},
                         2);
    EXPECT_EQ(directoryNames(dir, {}), (std::vector<std::string>{"video0", "video1"}));
    EXPECT_TRUE(directoryNames("/nonexistent-device-folder").empty());
}

VideoDevice withId(std::string id) { return {"/dev/video" + id.substr(0, 1), id, "cam", true}; }

TEST(UsbConnectRuleTest, DecidesByIdentifiersAndExplicitChoice) {
    const std::vector<VideoDevice> microscopeSecond{withId("0:046d0825"), withId("1:14c31302"),
                                                    withId("2:14c31301")};
    const std::vector<VideoDevice> noMicroscope{withId("0:046d0825"), withId("1:0c45636b")};
    struct Case {
        std::vector<VideoDevice> devices;
        std::string explicitDevice;
        std::optional<size_t> open;
        std::string_view alert;
        size_t others;
    };
    const Case cases[] = {
        // The first device with any identifier wins, not the first identifier.
        {microscopeSecond, "", 1, "", 0},
        {noMicroscope, "", std::nullopt, kAlertConnectUsb, 2},
        {{}, "", std::nullopt, kAlertConnectUsb, 0},
        {noMicroscope, "0c45636b", 1, "", 0},
        {noMicroscope, "/dev/video0", 0, "", 0},
        {noMicroscope, "/dev/video7", std::nullopt, kAlertConnectUsb, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.devices.size()) + " " + c.explicitDevice);
        const auto d = decideUsbConnect(c.devices, c.explicitDevice);
        EXPECT_EQ(d.open, c.open);
        EXPECT_EQ(d.alert, c.alert);
        EXPECT_EQ(d.others.size(), c.others);
    }
}

}  // namespace
}  // namespace lumetra
