#include "capture/recording/RecordingName.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "capture/StampedName.h"
#include "image/Translate.h"

namespace lumetra {

std::optional<std::string> reserveRecordingPath(const std::string& folder, const std::string& stamp,
                                                std::string& error) {
    const StampedFile reserved =
        createStampedFile(folder, stamp, ".mp4", thumbnailPathOf, [](const std::string& path) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd < 0) return errno;
            ::close(fd);
            return 0;
        });
    if (reserved.error == 0) return reserved.path;
    error =
        fillIn(translate("Recording", "Cannot create a recording in {}: {}"),
               {folder, reserved.error == EEXIST ? translate("Recording", "every name is taken.")
                                                 : std::strerror(reserved.error)});
    return std::nullopt;
}

}  // namespace lumetra
