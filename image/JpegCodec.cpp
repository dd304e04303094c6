#include "image/JpegCodec.h"

#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>

namespace lumetra {
namespace {

struct HandleCloser {
    void operator()(void* h) const { tjDestroy(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// One decompressor and one compressor per thread, made on first use: setting up
// a codec handle costs a noticeable part of decoding a picture, and a handle
// must not be shared between threads.
Handle& threadDecompressorHandle() {
    thread_local Handle handle(tjInitDecompress());
    return handle;
}

tjhandle threadDecompressor() { return threadDecompressorHandle().get(); }

// After a failed call the decompressor is replaced: libjpeg-turbo leaves it half-way
// through the broken header, and the next picture decoded with it fails as well.
void renewThreadDecompressor() { threadDecompressorHandle().reset(tjInitDecompress()); }

tjhandle threadCompressor() {
    thread_local Handle handle(tjInitCompress());
    return handle.get();
}

bool readHeader(tjhandle h, const uint8_t* data, size_t size, int& w, int& hgt) {
    if (!data || size == 0 || size > static_cast<size_t>(~0UL)) return false;
    int subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(h, data, static_cast<unsigned long>(size), &w, &hgt, &subsamp,
                            &colorspace) != 0) {
        renewThreadDecompressor();
        return false;
    }
    return w > 0 && hgt > 0;
}

bool withinBudget(int w, int h) { return w <= kMaxJpegSide && h <= kMaxJpegSide; }

std::optional<Frame> decodeChecked(const uint8_t* data, size_t size, int maxSide, FramePool* pool) {
    tjhandle h = threadDecompressor();
    if (!h) return std::nullopt;
    int w = 0, hgt = 0;
    if (!readHeader(h, data, size, w, hgt) || !withinBudget(w, hgt)) return std::nullopt;

    int outW = w, outH = hgt;
    if (maxSide > 0 && (w > maxSide || hgt > maxSide)) {
        int count = 0;
        const tjscalingfactor* factors = tjGetScalingFactors(&count);
        // Factors come largest first; take the first one that fits, else the smallest.
        int best = -1, smallest = -1;
        for (int i = 0; i < count; ++i) {
            const int sw = TJSCALED(w, factors[i]);
            const int sh = TJSCALED(hgt, factors[i]);
            if (smallest < 0 || sw < TJSCALED(w, factors[smallest])) smallest = i;
            if (sw <= maxSide && sh <= maxSide && (best < 0 || sw > TJSCALED(w, factors[best])))
                best = i;
        }
        const int pick = best >= 0 ? best : smallest;
        if (pick >= 0) {
            outW = TJSCALED(w, factors[pick]);
            outH = TJSCALED(hgt, factors[pick]);
        }
    }

    Frame frame = pool ? pool->acquire(outW, outH) : Frame::allocate(outW, outH);
    if (frame.isNull()) return std::nullopt;
    const int rc = tjDecompress2(h, data, static_cast<unsigned long>(size), frame.data.get(), outW,
                                 frame.stride, outH, TJPF_BGRA, TJFLAG_FASTDCT);
    // A warning (for example a truncated scan that still filled the picture) is accepted;
    // an error is not.
    if (rc != 0 && tjGetErrorCode(h) != TJERR_WARNING) {
        renewThreadDecompressor();
        return std::nullopt;
    }
    return frame;
}

// Decoding serves threads that must go on after a bad picture: running out of
// memory is a failed decode, not an exception.
std::optional<Frame> decodeAt(const uint8_t* data, size_t size, int maxSide, FramePool* pool) {
    try {
        return decodeChecked(data, size, maxSide, pool);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<JpegInfo> readJpegInfo(const uint8_t* data, size_t size) {
    tjhandle h = threadDecompressor();
    if (!h) return std::nullopt;
    JpegInfo info;
    if (!readHeader(h, data, size, info.width, info.height)) return std::nullopt;
    return info;
}

std::optional<JpegInfo> checkJpegHeader(const uint8_t* data, size_t size) {
    auto info = readJpegInfo(data, size);
    if (!info || !withinBudget(info->width, info->height)) return std::nullopt;
    return info;
}

std::optional<Frame> decodeJpeg(const uint8_t* data, size_t size, FramePool* pool) {
    return decodeAt(data, size, 0, pool);
}

std::optional<Frame> decodeJpegScaled(const uint8_t* data, size_t size, int maxSide) {
    return decodeAt(data, size, maxSide, nullptr);
}

std::optional<Frame> decodeJpegFile(const std::string& path, int maxSide) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    return decodeAt(bytes.data(), bytes.size(), maxSide, nullptr);
}

std::vector<uint8_t> encodeJpeg(const Frame& frame, int quality) {
    if (frame.isNull()) return {};
    tjhandle h = threadCompressor();
    if (!h) return {};
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const int q = std::clamp(quality, 1, 100);
    if (tjCompress2(h, frame.data.get(), frame.width, frame.stride, frame.height, TJPF_BGRA, &out,
                    &outSize, TJSAMP_420, q, TJFLAG_FASTDCT) != 0) {
        tjFree(out);
        return {};
    }
    std::vector<uint8_t> bytes(out, out + outSize);
    tjFree(out);
    return bytes;
}

int qualityFromCompressionFactor(double factor) {
    return std::clamp(static_cast<int>(std::lround(factor * 100.0)), 1, 100);
}

}  // namespace lumetra
