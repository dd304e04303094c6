#include "storage/TextFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "image/Utf8Text.h"

namespace lumetra {

// Files are opened without blocking: a pipe or device under a file's name is refused
// by its type instead of holding the caller until someone writes to it.
std::optional<std::string> readWholeFile(const std::string& path, size_t maxSize) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::string> result;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<uint64_t>(st.st_size) <= maxSize) {
        // Read straight into a buffer of the file's size (one more byte shows the end);
        // a file that grew meanwhile is read on, up to the limit.
        constexpr size_t kGrowth = 64 * 1024;
        std::string bytes(static_cast<size_t>(st.st_size) + 1, '\0');
        size_t filled = 0;
        while (true) {
            if (filled == bytes.size()) bytes.resize(bytes.size() + kGrowth);
            const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n == 0) {
                    bytes.resize(filled);
                    result = std::move(bytes);
                }
                break;
            }
            filled += static_cast<size_t>(n);
            if (filled > maxSize) break;
        }
    }
    ::close(fd);
    return result;
}

std::optional<std::string> readFileStart(const std::string& path, size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::string> result;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        std::string bytes(maxBytes, '\0');
        size_t filled = 0;
        bool failed = false;
        while (filled < maxBytes) {
            const ssize_t n = ::read(fd, bytes.data() + filled, maxBytes - filled);
            if (n < 0 && errno == EINTR) continue;
            failed = n < 0;
            if (n <= 0) break;
            filled += static_cast<size_t>(n);
        }
        if (!failed) {
            bytes.resize(filled);
            result = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
}

std::optional<std::string> readNameFile(const std::string& path) {
    auto bytes = readWholeFile(path);
    if (!bytes || !isValidUtf8(*bytes) || bytes->find('\0') != std::string::npos)
        return std::nullopt;
    return bytes;
}

WriteResult writeNameFile(const std::string& path, std::string_view name) {
    return writeFileAtomically(path, name);
}

}  // namespace lumetra
