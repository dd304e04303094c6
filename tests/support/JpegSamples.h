#pragma once
// Small JPEG pictures for stream tests: flat shades that can be told apart after
// decoding, padded to an exact byte length when a test needs one.

#include <turbojpeg.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "image/Frame.h"
#include "image/JpegCodec.h"

namespace lumetra::test {

// A width x height picture of one grey shade, as JPEG bytes.
inline std::string flatJpeg(int width, int height, uint8_t shade) {
    Frame f = Frame::allocate(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = f.row(y) + 4 * x;
            p[0] = p[1] = p[2] = shade;
            p[3] = 255;
        }
    const auto bytes = encodeJpeg(f, 90);
    return std::string(bytes.begin(), bytes.end());
}

// The same picture padded to exactly `size` bytes with a comment segment after the
// start-of-image marker (the picture still decodes to the same pixels).
inline std::string paddedJpeg(const std::string& jpeg, size_t size) {
    const size_t extra = size - jpeg.size();
    if (size < jpeg.size() + 4 || extra - 2 > 0xFFFF) throw std::invalid_argument("cannot pad");
    const size_t segment = extra - 2;  // length field counts itself
    std::string comment = "\xFF\xFE";
    comment += static_cast<char>(segment >> 8);
    comment += static_cast<char>(segment & 0xFF);
    comment += std::string(extra - 4, 'c');
    return jpeg.substr(0, 2) + comment + jpeg.substr(2);
}

// The same picture encoded progressively.
inline std::string progressiveJpeg(int width, int height, uint8_t shade) {
    Frame f = Frame::allocate(width, height);
    for (int y = 0; y < height; ++y) std::fill(f.row(y), f.row(y) + 4 * width, shade);
    tjhandle h = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(h, f.data.get(), width, f.stride, height, TJPF_BGRA, &out, &size,
                               TJSAMP_420, 90, TJFLAG_PROGRESSIVE);
    std::string bytes = rc == 0 ? std::string(reinterpret_cast<const char*>(out), size) : "";
    tjFree(out);
    tjDestroy(h);
    return bytes;
}

// The picture with only the first half of its scan data, then (withEnd) its end marker:
// a picture cut short, as a stream part or a USB frame under bandwidth pressure.
inline std::string cutScan(const std::string& jpeg, bool withEnd) {
    const size_t sos = jpeg.find("\xFF\xDA");
    if (sos == std::string::npos || sos + 4 > jpeg.size()) throw std::invalid_argument("no SOS");
    const size_t length =
        (static_cast<uint8_t>(jpeg[sos + 2]) << 8) | static_cast<uint8_t>(jpeg[sos + 3]);
    const size_t data = sos + 2 + length;
    std::string cut = jpeg.substr(0, data + (jpeg.size() - 2 - data) / 2);
    return withEnd ? cut + "\xFF\xD9" : cut;
}

// The same picture with a frame header that claims another size: a few hundred
// bytes that a trusting decoder would expand to width x height pixels.
inline std::string claimingSize(std::string jpeg, uint16_t width, uint16_t height) {
    size_t sof = jpeg.find("\xFF\xC0");
    if (sof == std::string::npos) sof = jpeg.find("\xFF\xC2");
    if (sof == std::string::npos || sof + 9 > jpeg.size()) throw std::invalid_argument("no SOF");
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

// The grey level at the centre of a decoded frame.
inline int centreShade(const Frame& frame) {
    if (frame.isNull()) return -1;
    return frame.row(frame.height / 2)[4 * (frame.width / 2) + 1];
}

// The mean green level of a decoded frame.
inline double meanGreen(const Frame& frame) {
    uint64_t sum = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) sum += frame.row(y)[4 * x + 1];
    return double(sum) / (double(frame.width) * frame.height);
}

}  // namespace lumetra::test
