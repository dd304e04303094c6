#include "image/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "image/Translate.h"

namespace lumetra {
namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

int writeAll(int fd, const void* data, size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

// A fresh temporary file beside path, filled and flushed: its name, or the error.
struct Temporary {
    std::string name;
    int error = 0;
};

Temporary writeTemporary(const std::string& path, const FileFiller& fill) {
    std::string name = folderOf(path) + "/" + std::string(kTemporaryFilePrefix) + "XXXXXX";
    std::vector<char> buf(name.begin(), name.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0) return {{}, errno};
    name.assign(buf.data());
    // Readable by others like any file the user saves. File systems without Unix
    // modes refuse this; the file is still good.
    ::fchmod(fd, 0644);
    int error = fill(fd);
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(name.c_str());
        return {{}, error};
    }
    return {std::move(name), 0};
}

// Makes the new name in path's folder durable: a synced file whose folder entry was not
// synced may be gone after a power cut. A folder this user cannot open, or a file system
// that cannot sync folders, leaves the name as durable as the system makes it; an error of
// the sync itself fails the write.
int syncFolderOf(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (error == EINVAL || error == EROFS || error == ENOTSUP || error == EOPNOTSUPP) error = 0;
    return error;
}

FileFiller bytesFiller(const void* data, size_t size) {
    return [data, size](int fd) { return writeAll(fd, data, size); };
}

// Puts the finished temporary file at path unless path exists, then removes the
// temporary name.
int placeWithoutReplacing(const std::string& tmp, const std::string& path) {
    int error = ::link(tmp.c_str(), path.c_str()) == 0 ? 0 : errno;
    if (isLinkUnsupported(error)) {
        // Reserve the name exclusively, then let the complete file take it over.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            error = errno;
        } else {
            ::close(fd);
            error = ::rename(tmp.c_str(), path.c_str()) == 0 ? 0 : errno;
            if (error != 0) ::unlink(path.c_str());
        }
    }
    ::unlink(tmp.c_str());
    return error;
}

}  // namespace

std::string WriteResult::message() const {
    if (error_ == 0) return {};
    return fillIn(translate("WriteResult", "Could not write \"{}\": {}"),
                  {path_, std::strerror(error_)});
}

bool isLinkUnsupported(int error) {
    return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS ||
           error == EXDEV;
}

WriteResult writeFileAtomically(const std::string& path, const void* data, size_t size) {
    const Temporary tmp = writeTemporary(path, bytesFiller(data, size));
    if (tmp.error != 0) return {path, tmp.error};
    if (::rename(tmp.name.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(tmp.name.c_str());
        return {path, error};
    }
    if (const int error = syncFolderOf(path); error != 0) return {path, error};
    return {};
}

WriteResult writeNewFileAtomically(const std::string& path, const FileFiller& fill) {
    const Temporary tmp = writeTemporary(path, fill);
    if (tmp.error != 0) return {path, tmp.error};
    int error = placeWithoutReplacing(tmp.name, path);
    if (error == 0) {
        // A name that may not survive is no saved file: it goes, like any failed write.
        error = syncFolderOf(path);
        if (error != 0) ::unlink(path.c_str());
    }
    if (error != 0) return {path, error};
    return {};
}

WriteResult writeNewFileAtomically(const std::string& path, const void* data, size_t size) {
    return writeNewFileAtomically(path, bytesFiller(data, size));
}

}  // namespace lumetra
