#include "capture/StampedName.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace lumetra {
namespace {
// More files than this within one second means something else is wrong.
constexpr int kMaxSuffix = 1000;

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}
}  // namespace

std::string timestampName(const std::tm& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

std::string currentTimestampName() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return timestampName(local);
}

std::string stampedFileName(const std::string& stamp, int n, std::string_view extension) {
    std::string name = stamp;
    if (n > 0) {
        name += '-';
        name += std::to_string(n);
    }
    name += extension;
    return name;
}

StampedFile createStampedFile(const std::string& folder, const std::string& stamp,
                              std::string_view extension,
                              const std::function<std::string(const std::string&)>& companionOf,
                              const std::function<int(const std::string&)>& create) {
    for (int n = 0; n < kMaxSuffix; ++n) {
        std::string path = folder + stampedFileName(stamp, n, extension);
        if (exists(companionOf(path))) continue;
        const int error = create(path);
        if (error == 0) return {std::move(path), 0};
        if (error != EEXIST) return {{}, error};
    }
    return {{}, EEXIST};
}

}  // namespace lumetra
