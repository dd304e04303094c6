#include "image/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace lumetra {
namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool writeAll(int fd, const void* data, size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Writes the bytes to a fresh temporary file beside path and returns its name,
// or "" on failure (nothing is left behind then).
std::string writeTemporary(const std::string& path, const void* data, size_t size) {
    std::string name = folderOf(path) + "/" + std::string(kTemporaryFilePrefix) + "XXXXXX";
    std::vector<char> buf(name.begin(), name.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0) return {};
    name.assign(buf.data());
    const bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, data, size) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!ok || !closed) {
        ::unlink(name.c_str());
        return {};
    }
    return name;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const void* data, size_t size) {
    const std::string tmp = writeTemporary(path, data, size);
    if (tmp.empty()) return false;
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

bool writeNewFileAtomically(const std::string& path, const void* data, size_t size) {
    const std::string tmp = writeTemporary(path, data, size);
    if (tmp.empty()) return false;
    const bool linked = ::link(tmp.c_str(), path.c_str()) == 0;
    const int linkError = errno;
    ::unlink(tmp.c_str());
    errno = linked ? 0 : linkError;
    return linked;
}

}  // namespace lumetra
