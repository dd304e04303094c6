#include "image/JpegCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>
#include <new>
#include <string_view>

#include "image/JpegLayout.h"

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

struct Size {
    int width = 0;
    int height = 0;
};

size_t frameBytes(Size s) {
    return size_t{4} * static_cast<size_t>(s.width) * static_cast<size_t>(s.height);
}

// The output size of a scaled decode: the largest libjpeg-turbo factor (at most 1) whose
// picture fits maxSide and the memory left in the budget; when none does, the smallest
// factor. nullopt when even that exceeds the budget.
std::optional<Size> scaledSize(Size full, int maxSide, size_t room) {
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    std::optional<Size> best, smallest;
    for (int i = 0; i < count; ++i) {
        if (factors[i].num > factors[i].denom) continue;
        const Size s{TJSCALED(full.width, factors[i]), TJSCALED(full.height, factors[i])};
        if (!smallest || s.width < smallest->width) smallest = s;
        const bool fits = s.width <= maxSide && s.height <= maxSide && frameBytes(s) <= room;
        if (fits && (!best || s.width > best->width)) best = s;
    }
    const std::optional<Size> pick = best ? best : smallest;
    if (!pick || frameBytes(*pick) > room) return std::nullopt;
    return pick;
}

// libjpeg goes on after data that ends early or is corrupt and fills the rest of the
// picture with grey: such a picture is broken. It reports only the first warning of a
// picture; the other warnings (extraneous bytes before a marker, which it skips, an
// unknown header version) leave the picture whole.
bool pictureWholeDespite(const char* warning) {
    const std::string_view text = warning ? warning : "";
    if (text.find("extraneous bytes") != std::string_view::npos) return true;
    return text.find("Corrupt JPEG data") == std::string_view::npos &&
           text.find("Premature end") == std::string_view::npos;
}

// The smallest halving factor whose picture covers `shown`; the full size when none does.
Size screenSize(Size full, JpegInfo shown) {
    for (const int denom : {8, 4, 2}) {
        const tjscalingfactor factor{1, denom};
        const Size s{TJSCALED(full.width, factor), TJSCALED(full.height, factor)};
        if (s.width >= shown.width && s.height >= shown.height) return s;
    }
    return full;
}

struct DecodeRequest {
    JpegInfo maxSize{kMaxJpegSide, kMaxJpegSide};
    int maxSide = 0;   // > 0: a scaled decode within the budget
    JpegInfo shown{};  // non-zero: a decode for a screen showing the picture at this size
};

std::optional<Frame> decodeChecked(const uint8_t* data, size_t size, const DecodeRequest& request,
                                   FramePool* pool) {
    tjhandle h = threadDecompressor();
    if (!h) return std::nullopt;
    int w = 0, hgt = 0;
    if (!readHeader(h, data, size, w, hgt) || !withinBudget(w, hgt)) return std::nullopt;
    const auto layout = readJpegLayout(data, size);
    if (!layout || layout->width != w || layout->height != hgt) return std::nullopt;
    const size_t held = layout->fullCoefficientBuffer ? layout->coefficientBytes : 0;
    if (held > kJpegDecodeBudget) return std::nullopt;

    Size out{w, hgt};
    if (request.maxSide > 0) {
        const auto scaled = scaledSize(out, request.maxSide, kJpegDecodeBudget - held);
        if (!scaled) return std::nullopt;
        out = *scaled;
    } else if (w > request.maxSize.width || hgt > request.maxSize.height) {
        return std::nullopt;
    } else if (request.shown.width > 0 && request.shown.height > 0) {
        out = screenSize(out, request.shown);
    }

    Frame frame =
        pool ? pool->acquire(out.width, out.height) : Frame::allocate(out.width, out.height);
    if (frame.isNull()) return std::nullopt;
    // The accurate transform: the fast one invents 0/255 pixels at sharp edges.
    const int rc = tjDecompress2(h, data, static_cast<unsigned long>(size), frame.data.get(),
                                 out.width, frame.stride, out.height, TJPF_BGRA, TJFLAG_LIMITSCANS);
    if (rc != 0 &&
        !(tjGetErrorCode(h) == TJERR_WARNING && pictureWholeDespite(tjGetErrorStr2(h)))) {
        renewThreadDecompressor();
        return std::nullopt;
    }
    return frame;
}

// The bytes of an open plain file of at most maxSize bytes, read into a buffer of the size
// the file has; a file that shrank meanwhile is read as far as it goes. nullopt for
// anything else, and when reading fails.
std::optional<std::vector<uint8_t>> readPlainFile(int fd, size_t maxSize) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
        static_cast<uint64_t>(st.st_size) > maxSize)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        filled += static_cast<size_t>(n);
    }
    bytes.resize(filled);
    return bytes;
}

// Decoding serves threads that must go on after a bad picture: running out of
// memory is a failed decode, not an exception.
std::optional<Frame> decodeAt(const uint8_t* data, size_t size, const DecodeRequest& request,
                              FramePool* pool) {
    try {
        return decodeChecked(data, size, request, pool);
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

std::optional<Frame> decodeJpeg(const uint8_t* data, size_t size, FramePool* pool,
                                JpegInfo maxSize) {
    return decodeAt(data, size, {.maxSize = maxSize}, pool);
}

std::optional<Frame> decodeJpegForScreen(const uint8_t* data, size_t size, FramePool* pool,
                                         JpegInfo maxSize, JpegInfo shown) {
    return decodeAt(data, size, {.maxSize = maxSize, .shown = shown}, pool);
}

std::optional<Frame> decodeJpegScaled(const uint8_t* data, size_t size, int maxSide) {
    return decodeAt(data, size, {.maxSide = std::max(1, maxSide)}, nullptr);
}

std::optional<Frame> decodeJpegFile(const std::string& path, int maxSide) {
    // Not blocking: a pipe or device named like a picture is refused, not waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<Frame> frame;
    try {
        if (auto bytes = readPlainFile(fd, kMaxJpegFileBytes))
            frame = decodeAt(bytes->data(), bytes->size(),
                             maxSide > 0 ? DecodeRequest{.maxSide = maxSide} : DecodeRequest{},
                             nullptr);
    } catch (const std::bad_alloc&) {
        frame.reset();
    }
    ::close(fd);
    return frame;
}

std::vector<uint8_t> encodeJpeg(const Frame& frame, int quality) {
    if (frame.isNull()) return {};
    tjhandle h = threadCompressor();
    if (!h) return {};
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const int q = std::clamp(quality, 1, 100);
    // The accurate transform, as for decoding: the fast one, TurboJPEG's choice below quality
    // 96 unless told otherwise, blurs and rings at sharp edges.
    if (tjCompress2(h, frame.data.get(), frame.width, frame.stride, frame.height, TJPF_BGRA, &out,
                    &outSize, TJSAMP_420, q, TJFLAG_ACCURATEDCT) != 0) {
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
