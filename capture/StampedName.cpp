#include "capture/SnapshotNaming.h"

#include <cstdio>

namespace lumetra {

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

std::string snapshotFileName(const std::string& stamp, int n) {
    if (n <= 0) return stamp + ".jpg";
    return stamp + "-" + std::to_string(n) + ".jpg";
}

}  // namespace lumetra
