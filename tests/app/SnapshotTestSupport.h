#pragma once
// Pixel checks on decoded snapshots: coordinates counted from the lower-left
// corner, colours judged with the tolerance JPEG's chroma subsampling needs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "image/Frame.h"
#include "image/JpegCodec.h"

namespace lumetra::test {

struct Bgr {
    int b = 0, g = 0, r = 0;
};

// The pixel at (x, yUp), y counted upward from the bottom row.
inline Bgr pixelUp(const Frame& f, int x, int yUp) {
    const uint8_t* p = f.row(f.height - 1 - yUp) + 4 * x;
    return {p[0], p[1], p[2]};
}

// A stroke of the default line colour (luma 76) on a light picture (luma 224),
// judged by luminance, which JPEG keeps at full resolution.
inline bool stroked(Bgr c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b < 150.0; }

// The default line colour after JPEG: red well above the other two.
inline bool reddish(Bgr c) { return c.r - c.g > 60 && c.r - c.b > 60; }
// A label of the default text colour.
inline bool bluish(Bgr c) { return c.b - c.r > 60 && c.b - c.g > 60; }

inline bool near(Bgr a, Bgr b, int tolerance) {
    return std::abs(a.b - b.b) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.r - b.r) <= tolerance;
}

// A frame whose colour changes smoothly with position, so that a flip, a shift
// or a wrong scale shows, and JPEG keeps it within a few levels.
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

// The rows (counted upward) of column x, or the columns of row y, within
// [from, to] whose pixels satisfy pred.
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

// The files of a folder, by name.
inline std::vector<std::string> fileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace lumetra::test
