#include "storage/TextFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "image/AtomicFile.h"

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

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<uint8_t>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        uint32_t cp = 0;
        if ((c & 0xE0) == 0xC0)
            extra = 1, cp = c & 0x1F;
        else if ((c & 0xF0) == 0xE0)
            extra = 2, cp = c & 0x0F;
        else if ((c & 0xF8) == 0xF0)
            extra = 3, cp = c & 0x07;
        else
            return false;
        if (i + static_cast<size_t>(extra) >= n) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto cc = static_cast<uint8_t>(bytes[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        static constexpr uint32_t kMinForLength[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMinForLength[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

std::optional<std::string> readNameFile(const std::string& path) {
    auto bytes = readWholeFile(path);
    if (!bytes || !isValidUtf8(*bytes) || bytes->find('\0') != std::string::npos)
        return std::nullopt;
    return bytes;
}

bool writeNameFile(const std::string& path, std::string_view name) {
    return writeFileAtomically(path, name);
}

}  // namespace lumetra
