#include "image/JpegLayout.h"

#include <algorithm>

namespace lumetra {
namespace {

constexpr int kBlock = 8;
constexpr size_t kBlockBytes = 64 * 2;  // 64 coefficients of two bytes

struct Component {
    int h = 1;
    int v = 1;
};

size_t divideUp(size_t a, size_t b) { return (a + b - 1) / b; }
size_t roundUp(size_t a, size_t b) { return divideUp(a, b) * b; }

bool isFrameHeader(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isProgressive(uint8_t marker) {
    return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
}

bool isStandalone(uint8_t marker) {
    return marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// What the decoder allocates for the whole picture: per component its blocks, rounded
// up to whole sampling units.
size_t coefficientBytesOf(int width, int height, const Component* comps, int count) {
    int maxH = 1, maxV = 1;
    for (int i = 0; i < count; ++i) {
        maxH = std::max(maxH, comps[i].h);
        maxV = std::max(maxV, comps[i].v);
    }
    size_t total = 0;
    for (int i = 0; i < count; ++i) {
        const size_t blocksW =
            divideUp(static_cast<size_t>(width) * static_cast<size_t>(comps[i].h),
                     static_cast<size_t>(maxH * kBlock));
        const size_t blocksH =
            divideUp(static_cast<size_t>(height) * static_cast<size_t>(comps[i].v),
                     static_cast<size_t>(maxV * kBlock));
        total += roundUp(blocksW, static_cast<size_t>(comps[i].h)) *
                 roundUp(blocksH, static_cast<size_t>(comps[i].v)) * kBlockBytes;
    }
    return total;
}

}  // namespace

std::optional<JpegLayout> readJpegLayout(const uint8_t* data, size_t size) {
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return std::nullopt;
    std::optional<JpegLayout> layout;
    Component comps[4];
    int compCount = 0;
    bool sawScan = false;
    size_t pos = 2;
    while (pos + 1 < size) {
        // Like the decoder, skip bytes that are not a marker, then fill bytes.
        if (data[pos] != 0xFF) {
            ++pos;
            continue;
        }
        while (pos + 1 < size && data[pos + 1] == 0xFF) ++pos;
        if (pos + 1 >= size) break;
        const uint8_t marker = data[pos + 1];
        pos += 2;
        if (marker == 0x00 || isStandalone(marker)) continue;
        if (marker == 0xD9 || pos + 2 > size) break;
        const size_t length = (static_cast<size_t>(data[pos]) << 8) | data[pos + 1];
        if (length < 2 || pos + length > size) break;
        const uint8_t* seg = data + pos;
        if (isFrameHeader(marker) && !layout) {
            if (length < 8) return std::nullopt;
            const int count = seg[7];
            if (count < 1 || count > 4 || length < 8 + 3 * static_cast<size_t>(count))
                return std::nullopt;
            layout.emplace();
            layout->height = (seg[3] << 8) | seg[4];
            layout->width = (seg[5] << 8) | seg[6];
            layout->fullCoefficientBuffer = isProgressive(marker);
            for (int i = 0; i < count; ++i) {
                const uint8_t sampling = seg[8 + 3 * i + 1];
                comps[i] = {std::max(1, sampling >> 4), std::max(1, sampling & 0x0F)};
            }
            compCount = count;
        } else if (marker == 0xDA) {
            if (!layout) return std::nullopt;
            // A first scan without every component: the others come in later scans.
            if (length < 3 || seg[2] < compCount) layout->fullCoefficientBuffer = true;
            sawScan = true;
            break;
        }
        pos += length;
    }
    if (!layout) return std::nullopt;
    // Without a complete first scan header the decoder's needs are unknown: assume the most.
    if (!sawScan) layout->fullCoefficientBuffer = true;
    layout->coefficientBytes = coefficientBytesOf(layout->width, layout->height, comps, compCount);
    return layout;
}

}  // namespace lumetra
