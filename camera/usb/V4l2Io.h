#pragma once
// The thin seam between the USB capture code and the kernel: the five system calls
// a V4L2 capture needs. KernelV4l2Io makes the real calls; tests put a fake kernel
// behind the same interface. Every call follows the system call's convention: -1
// (MAP_FAILED for mmap) with errno set on failure.

#include <poll.h>
#include <sys/types.h>

#include <cstddef>
#include <string>

namespace lumetra {

class V4l2Io {
public:
    virtual ~V4l2Io() = default;
    virtual int open(const std::string& path, int flags) = 0;
    virtual int close(int fd) = 0;
    // Repeats on EINTR.
    virtual int ioctl(int fd, unsigned long request, void* arg) = 0;
    virtual void* mmap(size_t length, int fd, off_t offset) = 0;  // shared, read and write
    virtual int munmap(void* address, size_t length) = 0;
    // Waits up to timeoutMs for fd to become readable: 1 ready, 0 timed out, -1 error;
    // revents receives the poll flags seen.
    virtual int poll(int fd, int timeoutMs, short& revents) = 0;
};

class KernelV4l2Io final : public V4l2Io {
public:
    int open(const std::string& path, int flags) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    void* mmap(size_t length, int fd, off_t offset) override;
    int munmap(void* address, size_t length) override;
    int poll(int fd, int timeoutMs, short& revents) override;
};

// Calls ioctl and returns errno on failure, 0 on success.
int xioctl(V4l2Io& io, int fd, unsigned long request, void* arg);

}  // namespace lumetra
