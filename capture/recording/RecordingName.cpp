#include "capture/recording/RecordingName.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace lumetra {
namespace {
// More recordings than this within one second means something else is wrong.
constexpr int kMaxSuffix = 1000;

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}
}  // namespace

std::string recordingFileName(const std::string& stamp, int n) {
    if (n <= 0) return stamp + ".mp4";
    return stamp + "-" + std::to_string(n) + ".mp4";
}

std::optional<std::string> reserveRecordingPath(const std::string& folder, const std::string& stamp,
                                                std::string& error) {
    for (int n = 0; n < kMaxSuffix; ++n) {
        const std::string path = folder + recordingFileName(stamp, n);
        if (exists(thumbnailPathOf(path))) continue;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) {
            error = "Cannot create a recording in " + folder + ": " + std::strerror(errno);
            return std::nullopt;
        }
    }
    error = "Cannot create a recording in " + folder + ": every name is taken.";
    return std::nullopt;
}

}  // namespace lumetra
