#pragma once
// A full disk as a test can make one: a cap on the size of the files this process
// (or a child of it) may write, which fails writes even for a user with write
// rights everywhere.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace lumetra::test {

// Caps the size of files this process may write until destroyed. The signal such a
// write raises is ignored, so that the write fails with EFBIG instead.
struct ScopedFileSizeLimit {
    explicit ScopedFileSizeLimit(rlim_t bytes) : handler(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit lim = old;
        lim.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~ScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }
    rlimit old{};
    void (*handler)(int);
};

// Runs `body` in a child process under a file size limit of `bytes`; true when the
// child ran and `body` returned true there. Work the limit might break (threads,
// whole files) stays out of the test's own process.
inline bool passesInChildWithFileSizeLimit(rlim_t bytes, const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        const ScopedFileSizeLimit limit(bytes);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace lumetra::test
