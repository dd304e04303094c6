#include "camera/usb/UsbError.h"

#include <cerrno>
#include <cstring>

#include "image/Translate.h"

namespace lumetra {

UsbOutcome UsbOutcome::fromErrno(int err, const std::string& path, const std::string& action) {
    switch (err) {
        case EACCES:
        case EPERM:
            return {UsbError::PermissionDenied,
                    fillIn(translate("UsbCamera",
                                     "Permission denied for {}. Add your user to the \"video\" "
                                     "group (sudo usermod -aG video $USER), then log out and in "
                                     "again."),
                           {path})};
        case EBUSY:
            return {UsbError::Busy, fillIn(translate("UsbCamera",
                                                     "{} is in use by another program. "
                                                     "Close that program and connect "
                                                     "again."),
                                           {path})};
        case ENODEV:
        case ENXIO:
            return {UsbError::Unplugged,
                    fillIn(translate("UsbCamera",
                                     "The USB microscope ({}) was unplugged. Plug it "
                                     "in again and connect."),
                           {path})};
        case ETIMEDOUT:
            return {UsbError::Failed, fillIn(translate("UsbCamera",
                                                       "The USB microscope ({}) stopped delivering "
                                                       "pictures. Unplug it, plug it in again and "
                                                       "connect."),
                                             {path})};
        case ENOENT:
            return {UsbError::NotFound,
                    fillIn(translate("UsbCamera", "{} does not exist any more."), {path})};
        default:
            return {UsbError::Failed,
                    fillIn(translate("UsbCamera", "The USB microscope ({}) failed to {}: {}."),
                           {path, translate("UsbCamera", action.c_str()), std::strerror(err)})};
    }
}

}  // namespace lumetra
