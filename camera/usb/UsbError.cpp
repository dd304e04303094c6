#include "camera/usb/UsbError.h"

#include <cerrno>
#include <cstring>

namespace lumetra {

UsbOutcome UsbOutcome::fromErrno(int err, const std::string& path, const std::string& action) {
    switch (err) {
        case EACCES:
        case EPERM:
            return {UsbError::PermissionDenied,
                    "Permission denied for " + path +
                        ". Add your user to the \"video\" group (sudo usermod -aG video "
                        "$USER), then log out and in again."};
        case EBUSY:
            return {UsbError::Busy, path +
                                        " is in use by another program. Close that program "
                                        "and connect again."};
        case ENODEV:
        case ENXIO:
            return {UsbError::Unplugged, "The USB microscope (" + path +
                                             ") was unplugged. Plug it in again and connect."};
        case ETIMEDOUT:
            return {UsbError::Failed, "The USB microscope (" + path +
                                          ") stopped delivering pictures. Unplug it, plug it "
                                          "in again and connect."};
        case ENOENT:
            return {UsbError::NotFound, path + " does not exist any more."};
        default:
            return {UsbError::Failed, "The USB microscope (" + path + ") failed to " + action +
                                          ": " + std::strerror(err) + "."};
    }
}

}  // namespace lumetra
