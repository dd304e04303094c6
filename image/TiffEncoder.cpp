#include "image/TiffEncoder.h"

#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <utility>

namespace lumetra {
namespace {

// The file libtiff writes: a growing byte buffer with a position.
struct MemoryFile {
    std::vector<uint8_t> bytes;
    uint64_t at = 0;
};

MemoryFile& fileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

tmsize_t readFile(thandle_t handle, void* buffer, tmsize_t size) {
    MemoryFile& file = fileOf(handle);
    if (size <= 0 || file.at >= file.bytes.size()) return 0;
    const uint64_t count =
        std::min<uint64_t>(static_cast<uint64_t>(size), file.bytes.size() - file.at);
    std::memcpy(buffer, file.bytes.data() + file.at, count);
    file.at += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t writeFile(thandle_t handle, void* buffer, tmsize_t size) {
    MemoryFile& file = fileOf(handle);
    if (size < 0) return -1;
    const uint64_t end = file.at + static_cast<uint64_t>(size);
    try {
        if (end > file.bytes.size()) file.bytes.resize(end);  // a gap left by a seek reads as zeros
    } catch (const std::exception&) {
        return -1;  // libtiff reports the failed write
    }
    if (size > 0) std::memcpy(file.bytes.data() + file.at, buffer, static_cast<size_t>(size));
    file.at = end;
    return size;
}

toff_t seekFile(thandle_t handle, toff_t offset, int whence) {
    MemoryFile& file = fileOf(handle);
    const uint64_t base = whence == SEEK_CUR ? file.at : whence == SEEK_END ? file.bytes.size() : 0;
    file.at = base + offset;  // a negative offset arrives wrapped and wraps back
    return file.at;
}

int closeFile(thandle_t) { return 0; }

toff_t sizeOfFile(thandle_t handle) { return fileOf(handle).bytes.size(); }

int mapFile(thandle_t, void**, toff_t*) { return 0; }  // no mapping: libtiff reads and writes

void unmapFile(thandle_t, void*, toff_t) {}

// libtiff's messages would go to standard error; the empty result says enough.
int silence(TIFF*, void*, const char*, const char*, va_list) { return 1; }

bool writeImage(TIFF* tif, const Frame& frame, const std::string& description,
                const std::optional<TiffResolution>& resolution) {
    const auto width = static_cast<uint32_t>(frame.width);
    const auto height = static_cast<uint32_t>(frame.height);
    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width) &&
              TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height) &&
              TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8) &&
              TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3) &&
              TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height);
    if (ok && !description.empty())
        ok = TIFFSetField(tif, TIFFTAG_IMAGEDESCRIPTION, description.c_str());
    if (ok && resolution && isTiffResolution(resolution->pixelsPerUnitX) &&
        isTiffResolution(resolution->pixelsPerUnitY))
        ok = TIFFSetField(tif, TIFFTAG_XRESOLUTION, resolution->pixelsPerUnitX) &&
             TIFFSetField(tif, TIFFTAG_YRESOLUTION, resolution->pixelsPerUnitY) &&
             TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, static_cast<int>(resolution->unit));
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * 3);
    for (int y = 0; ok && y < frame.height; ++y) {
        const uint8_t* bgra = frame.row(y);
        for (uint8_t* out = rgb.data(); out != rgb.data() + rgb.size(); out += 3, bgra += 4) {
            out[0] = bgra[2];
            out[1] = bgra[1];
            out[2] = bgra[0];
        }
        ok = TIFFWriteScanline(tif, rgb.data(), static_cast<uint32_t>(y), 0) == 1;
    }
    return ok && TIFFWriteDirectory(tif);
}

}  // namespace

bool isTiffResolution(double value) {
    return std::isfinite(value) && value >= 1e-6 && value <= 4e9;
}

std::vector<uint8_t> encodeTiff(const Frame& frame, const std::string& description,
                                const std::optional<TiffResolution>& resolution) {
    if (frame.isNull() || frame.stride < frame.width * 4) return {};
    // The pixels come right after the 8-byte header; libtiff refuses a directory
    // that would not fit 32-bit offsets after them.
    const uint64_t pixelBytes =
        uint64_t{3} * static_cast<uint64_t>(frame.width) * static_cast<uint64_t>(frame.height);
    if (8 + pixelBytes > std::numeric_limits<uint32_t>::max()) return {};
    MemoryFile file;
    try {
        file.bytes.reserve(static_cast<size_t>(8 + pixelBytes + description.size() + 512));
        const std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)> options(
            TIFFOpenOptionsAlloc(), TIFFOpenOptionsFree);
        if (!options) return {};
        TIFFOpenOptionsSetErrorHandlerExtR(options.get(), silence, nullptr);
        TIFFOpenOptionsSetWarningHandlerExtR(options.get(), silence, nullptr);
        const std::unique_ptr<TIFF, void (*)(TIFF*)> tif(
            TIFFClientOpenExt("analysis copy", "wl", &file, readFile, writeFile, seekFile,
                              closeFile, sizeOfFile, mapFile, unmapFile, options.get()),
            TIFFClose);
        if (!tif || !writeImage(tif.get(), frame, description, resolution)) return {};
    } catch (const std::bad_alloc&) {
        return {};
    }
    return std::move(file.bytes);
}

}  // namespace lumetra
