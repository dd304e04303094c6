#pragma once
// Pixel checks on decoded snapshots, y counted up from the bottom row, with
// the tolerance JPEG needs.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "image/Frame.h"
#include "image/JpegCodec.h"

namespace lumetra::test {

struct Bgr {
    int b = 0, g = 0, r = 0;
};

inline Bgr pixelUp(const Frame& f, int x, int yUp) {
    const uint8_t* p = f.row(f.height - 1 - yUp) + 4 * x;
    return {p[0], p[1], p[2]};
}

// The default line colour on a light picture, judged by luminance (kept at full
// resolution by JPEG); the line and text colours by their dominant channel.
inline bool stroked(Bgr c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b < 150.0; }
inline bool reddish(Bgr c) { return c.r - c.g > 60 && c.r - c.b > 60; }
inline bool bluish(Bgr c) { return c.b - c.r > 60 && c.b - c.g > 60; }

inline bool near(Bgr a, Bgr b, int tolerance) {
    return std::abs(a.b - b.b) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.r - b.r) <= tolerance;
}

// A smooth colour ramp: a flip, shift or wrong scale shows, JPEG keeps it.
inline Frame gradientFrame(int width, int height) {
    Frame f = Frame::allocate(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = f.row(y);
        for (int x = 0; x < width; ++x) {
            row[4 * x + 0] = static_cast<uint8_t>(40 + 160 * x / width);
            row[4 * x + 1] = static_cast<uint8_t>(40 + 160 * y / height);
            row[4 * x + 2] = 120;
            row[4 * x + 3] = 255;
        }
    }
    return f;
}

// The rows of column x, or the columns of row y, in [from, to] matching pred.
template <typename Pred>
std::vector<int> rowsWhere(const Frame& f, int x, int from, int to, Pred pred) {
    std::vector<int> rows;
    for (int y = from; y <= to; ++y)
        if (pred(pixelUp(f, x, y))) rows.push_back(y);
    return rows;
}
template <typename Pred>
std::vector<int> columnsWhere(const Frame& f, int y, int from, int to, Pred pred) {
    std::vector<int> columns;
    for (int x = from; x <= to; ++x)
        if (pred(pixelUp(f, x, y))) columns.push_back(x);
    return columns;
}

// A folder's file names, sorted.
inline std::vector<std::string> fileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The snapshots of a folder, without their sidecars.
inline std::vector<std::string> jpegNames(const std::filesystem::path& folder) {
    std::vector<std::string> names = fileNames(folder);
    std::erase_if(names, [](const std::string& n) { return !n.ends_with(".jpg"); });
    return names;
}

}  // namespace lumetra::test
