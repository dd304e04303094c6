#include "image/TiffEncoder.h"

#include <cmath>
#include <limits>
#include <new>

namespace lumetra {
namespace {

enum class TagType : uint16_t { Ascii = 2, Short = 3, Long = 4, Rational = 5 };

struct Entry {
    uint16_t tag;
    TagType type;
    uint32_t count;
    uint32_t value;  // the value itself, or the offset of values that do not fit 4 bytes
};

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v));
    put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::optional<std::pair<uint32_t, uint32_t>> tiffRational(double value) {
    if (!std::isfinite(value) || value < 1e-6 || value > 4e9) return std::nullopt;
    uint32_t denominator = 1'000'000;
    while (denominator > 1 && value * denominator > std::numeric_limits<uint32_t>::max())
        denominator /= 10;
    return std::pair{static_cast<uint32_t>(std::llround(value * denominator)), denominator};
}

std::vector<uint8_t> encodeTiff(const Frame& frame, const std::string& description,
                                const std::optional<TiffResolution>& resolution) {
    if (frame.isNull() || frame.stride < frame.width * 4) return {};
    const uint64_t pixelBytes =
        uint64_t{3} * static_cast<uint64_t>(frame.width) * static_cast<uint64_t>(frame.height);
    std::optional<std::pair<uint32_t, uint32_t>> x, y;
    if (resolution) {
        x = tiffRational(resolution->pixelsPerUnitX);
        y = tiffRational(resolution->pixelsPerUnitY);
    }
    const bool withResolution = x && y;
    const bool withDescription = !description.empty();

    // Layout: header, pixels, then the values that do not fit an entry, then the
    // directory at the end.
    constexpr uint32_t kHeader = 8;
    const uint64_t bitsAt = kHeader + pixelBytes + pixelBytes % 2;  // word-aligned, three shorts
    const uint64_t xAt = bitsAt + 6;
    const uint64_t yAt = xAt + 8;
    const uint64_t textAt = withResolution ? yAt + 8 : xAt;
    const uint64_t textSize = withDescription ? description.size() + 1 : 0;
    uint64_t directoryAt = textAt + textSize;
    directoryAt += directoryAt % 2;  // word-aligned
    std::vector<Entry> entries{
        {256, TagType::Long, 1, static_cast<uint32_t>(frame.width)},
        {257, TagType::Long, 1, static_cast<uint32_t>(frame.height)},
        {258, TagType::Short, 3, static_cast<uint32_t>(bitsAt)},  // 8, 8, 8
        {259, TagType::Short, 1, 1},                              // no compression
        {262, TagType::Short, 1, 2},                              // RGB
    };
    if (withDescription)
        entries.push_back(
            {270, TagType::Ascii, static_cast<uint32_t>(textSize), static_cast<uint32_t>(textAt)});
    entries.push_back({273, TagType::Long, 1, kHeader});  // the one strip
    entries.push_back({277, TagType::Short, 1, 3});       // samples per pixel
    entries.push_back({278, TagType::Long, 1, static_cast<uint32_t>(frame.height)});
    entries.push_back({279, TagType::Long, 1, static_cast<uint32_t>(pixelBytes)});
    if (withResolution) {
        entries.push_back({282, TagType::Rational, 1, static_cast<uint32_t>(xAt)});
        entries.push_back({283, TagType::Rational, 1, static_cast<uint32_t>(yAt)});
    }
    entries.push_back({284, TagType::Short, 1, 1});  // chunky
    if (withResolution)
        entries.push_back({296, TagType::Short, 1, static_cast<uint16_t>(resolution->unit)});
    const uint64_t total = directoryAt + 2 + 12 * entries.size() + 4;
    if (total > std::numeric_limits<uint32_t>::max()) return {};

    std::vector<uint8_t> out;
    try {
        out.reserve(static_cast<size_t>(total));
    } catch (const std::bad_alloc&) {
        return {};
    }
    out.insert(out.end(), {'I', 'I', 42, 0});
    put32(out, static_cast<uint32_t>(directoryAt));
    for (int row = 0; row < frame.height; ++row) {
        const uint8_t* bgra = frame.row(row);
        for (int col = 0; col < frame.width; ++col, bgra += 4)
            out.insert(out.end(), {bgra[2], bgra[1], bgra[0]});
    }
    if (out.size() % 2) out.push_back(0);
    for (int i = 0; i < 3; ++i) put16(out, 8);
    if (withResolution) {
        put32(out, x->first);
        put32(out, x->second);
        put32(out, y->first);
        put32(out, y->second);
    }
    if (withDescription) {
        out.insert(out.end(), description.begin(), description.end());
        out.push_back(0);
    }
    if (out.size() % 2) out.push_back(0);
    put16(out, static_cast<uint16_t>(entries.size()));
    for (const Entry& e : entries) {
        put16(out, e.tag);
        put16(out, static_cast<uint16_t>(e.type));
        put32(out, e.count);
        // A short value sits in the entry's first two bytes.
        if (e.type == TagType::Short && e.count == 1) {
            put16(out, static_cast<uint16_t>(e.value));
            put16(out, 0);
        } else {
            put32(out, e.value);
        }
    }
    put32(out, 0);  // no further directory
    return out;
}

}  // namespace lumetra
