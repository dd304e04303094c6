#include "image/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
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

FileFiller bytesFiller(const void* data, size_t size) {
    return [data, size](int fd) { return writeAll(fd, data, size); };
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

TemporaryFile::TemporaryFile(const std::string& destination, const FileFiller& fill) {
    std::string name = folderOf(destination) + "/" + std::string(kTemporaryFilePrefix) + "XXXXXX";
    std::vector<char> buf(name.begin(), name.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0) {
        error_ = errno;
        return;
    }
    name_.assign(buf.data());
    // Readable by others like any file the user saves. File systems without Unix
    // modes refuse this; the file is still good.
    ::fchmod(fd, 0644);
    error_ = fill(fd);
    if (error_ == 0 && ::fsync(fd) != 0) error_ = errno;
    if (::close(fd) != 0 && error_ == 0) error_ = errno;
    if (error_ != 0) {
        ::unlink(name_.c_str());
        name_.clear();
    }
}

TemporaryFile::TemporaryFile(const std::string& destination, const void* data, size_t size)
    : TemporaryFile(destination, bytesFiller(data, size)) {}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : name_(std::exchange(other.name_, {})), error_(other.error_) {}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept {
    if (this != &other) {
        if (!name_.empty()) ::unlink(name_.c_str());
        name_ = std::exchange(other.name_, {});
        error_ = other.error_;
    }
    return *this;
}

TemporaryFile::~TemporaryFile() {
    if (!name_.empty()) ::unlink(name_.c_str());
}

int TemporaryFile::placeWithoutReplacing(const std::string& path) {
    if (name_.empty()) return error_ != 0 ? error_ : ENOENT;
    int error = ::link(name_.c_str(), path.c_str()) == 0 ? 0 : errno;
    if (error == 0) {
        ::unlink(name_.c_str());
    } else if (isLinkUnsupported(error)) {
        // Reserve the name exclusively, then let the complete file take it over.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) return errno;
        ::close(fd);
        if (::rename(name_.c_str(), path.c_str()) != 0) {
            error = errno;
            ::unlink(path.c_str());
            return error;
        }
        error = 0;
    }
    if (error == 0) name_.clear();
    return error;
}

int TemporaryFile::replace(const std::string& path) {
    if (name_.empty()) return error_ != 0 ? error_ : ENOENT;
    if (::rename(name_.c_str(), path.c_str()) != 0) return errno;
    name_.clear();
    return 0;
}

// A folder this user cannot open, or a file system that cannot sync folders, leaves the
// names as durable as the system makes them; an error of the sync itself is reported.
int syncFolderOf(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (error == EINVAL || error == EROFS || error == ENOTSUP || error == EOPNOTSUPP) error = 0;
    return error;
}

WriteResult writeFileAtomically(const std::string& path, const void* data, size_t size) {
    TemporaryFile tmp(path, data, size);
    int error = tmp.error();
    if (error == 0) error = tmp.replace(path);
    if (error == 0) error = syncFolderOf(path);
    if (error != 0) return {path, error};
    return {};
}

WriteResult writeNewFileAtomically(const std::string& path, const FileFiller& fill) {
    TemporaryFile tmp(path, fill);
    int error = tmp.error();
    if (error == 0) error = tmp.placeWithoutReplacing(path);
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
