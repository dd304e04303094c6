#pragma once
// What can go wrong with a USB microscope, as a typed outcome with a message the
// window shows as it stands.

#include <string>

namespace lumetra {

enum class UsbError {
    None,
    PermissionDenied,  // the node may not be opened (user not in the "video" group)
    Busy,              // another program holds the device
    Unplugged,         // the device went away (ENODEV), also in the middle of a stream
    NotFound,          // no such device node
    Unsupported,       // the device offers nothing this program can show
    Failed,            // any other failure of the device
};

struct UsbOutcome {
    UsbError error = UsbError::None;
    std::string message;

    bool ok() const { return error == UsbError::None; }
    // The outcome of a failed call on the device node `path`; err is the errno value.
    static UsbOutcome fromErrno(int err, const std::string& path, const std::string& action);
};

}  // namespace lumetra
