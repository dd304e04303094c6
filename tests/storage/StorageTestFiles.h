#pragma once
// File helpers shared by the storage tests.

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "image/Frame.h"
#include "image/JpegCodec.h"

namespace lumetra::test {

inline std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void spit(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// An XML property list whose root dictionary holds the given key/string pairs in order.
inline std::string plistXml(std::initializer_list<std::pair<std::string, std::string>> entries) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
    for (const auto& [k, v] : entries) xml += "<key>" + k + "</key><string>" + v + "</string>\n";
    return xml + "</dict>\n</plist>\n";
}

// A w x h frame filled with one BGRA colour.
inline Frame solidFrame(int w, int h, uint8_t b, uint8_t g, uint8_t r) {
    Frame f = Frame::allocate(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* px = f.row(y) + x * 4;
            px[0] = b, px[1] = g, px[2] = r, px[3] = 255;
        }
    return f;
}

// Writes a JPEG of the given size and colour.
inline void writeJpeg(const std::filesystem::path& p, int w, int h, uint8_t b = 40, uint8_t g = 120,
                      uint8_t r = 200) {
    const std::vector<uint8_t> bytes = encodeJpeg(solidFrame(w, h, b, g, r), 90);
    spit(p, std::string(bytes.begin(), bytes.end()));
}

// Caps the size of files this process may write, so that writes fail even for a
// user with write rights everywhere. The signal such a write raises is ignored.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~ScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace lumetra::test
