#include "storage/TextFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "storage/Utf8Text.h"

namespace lumetra {

std::optional<std::string> readWholeFile(const std::string& path, size_t maxSize) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::string> result;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<uint64_t>(st.st_size) <= maxSize) {
        std::string bytes;
        char buf[8192];
        while (true) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n == 0) result = std::move(bytes);
                break;
            }
            if (bytes.size() + static_cast<size_t>(n) > maxSize) break;
            bytes.append(buf, static_cast<size_t>(n));
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
