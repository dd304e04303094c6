#include "camera/usb/V4l2Io.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>

namespace lumetra {

int KernelV4l2Io::open(const std::string& path, int flags) {
    return ::open(path.c_str(), flags | O_CLOEXEC);
}

int KernelV4l2Io::close(int fd) { return ::close(fd); }

int KernelV4l2Io::ioctl(int fd, unsigned long request, void* arg) {
    int rc = 0;
    do {
        rc = ::ioctl(fd, request, arg);
    } while (rc == -1 && errno == EINTR);
    return rc;
}

void* KernelV4l2Io::mmap(size_t length, int fd, off_t offset) {
    return ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
}

int KernelV4l2Io::munmap(void* address, size_t length) { return ::munmap(address, length); }

int KernelV4l2Io::poll(int fd, int timeoutMs, short& revents) {
    pollfd p{fd, POLLIN, 0};
    const int rc = ::poll(&p, 1, timeoutMs);
    revents = p.revents;
    if (rc < 0 && errno == EINTR) return 0;
    return rc;
}

int xioctl(V4l2Io& io, int fd, unsigned long request, void* arg) {
    return io.ioctl(fd, request, arg) == 0 ? 0 : (errno != 0 ? errno : EIO);
}

}  // namespace lumetra
