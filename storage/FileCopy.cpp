#include "storage/FileCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "image/AtomicFile.h"

namespace lumetra {

bool copyFileNoReplace(const std::string& source, const std::string& destination) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) return false;
    const fs::path dest(destination);
    const fs::path folder = dest.has_parent_path() ? dest.parent_path() : fs::path(".");
    std::string templ = (folder / (std::string(kTemporaryFilePrefix) + "XXXXXX")).string();
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0) return false;
    ::close(fd);
    const std::string tmp(buf.data());
    bool ok = fs::copy_file(source, tmp, fs::copy_options::overwrite_existing, ec) && !ec;
    if (ok) {
        // Flush before the name appears, so a crash never leaves a short copy.
        const int out = ::open(tmp.c_str(), O_RDONLY | O_CLOEXEC);
        ok = out >= 0 && ::fsync(out) == 0;
        if (out >= 0) ::close(out);
    }
    ok = ok && ::link(tmp.c_str(), destination.c_str()) == 0;
    ::unlink(tmp.c_str());
    return ok;
}

}  // namespace lumetra
