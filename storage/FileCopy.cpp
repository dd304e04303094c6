#include "storage/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace lumetra {
namespace {

constexpr size_t kCopyChunk = 1u << 20;

int copyBytes(int in, int out) {
    std::vector<char> buf(kCopyChunk);
    while (true) {
        const ssize_t n = ::read(in, buf.data(), buf.size());
        if (n == 0) return 0;
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buf.data() + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            done += w;
        }
    }
}

}  // namespace

WriteResult copyFileNoReplace(const std::string& source, const std::string& destination) {
    // Not blocking: a pipe or device under the source's name is refused by its type.
    const int in = ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) return {destination, errno};
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(in);
        return {destination, error};
    }
    const auto result = writeNewFileAtomically(destination, [&](int out) {
        // Best effort: file systems without Unix modes refuse it.
        ::fchmod(out, st.st_mode & 07777);
        return copyBytes(in, out);
    });
    ::close(in);
    return result;
}

}  // namespace lumetra
