#pragma once
// Uncompressed baseline TIFF (8-bit RGB, one strip) of a BGRA frame, with an
// optional image description and resolution, for image-analysis programs that
// read a picture's pixel size from those tags. Written by libtiff into memory.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image/Frame.h"

namespace lumetra {

// The TIFF ResolutionUnit values.
enum class TiffResolutionUnit : uint16_t { None = 1, Inch = 2, Centimetre = 3 };

struct TiffResolution {
    double pixelsPerUnitX = 0.0;
    double pixelsPerUnitY = 0.0;
    TiffResolutionUnit unit = TiffResolutionUnit::None;
};

// The frame as TIFF bytes (little-endian, the pixels right after the 8-byte
// header). description (ASCII, up to its first NUL) and resolution are left out
// when empty; a resolution that isTiffResolution refuses is left out too. Empty
// bytes for a null frame, one whose pixels would not fit a 32-bit file, or when
// libtiff fails (memory running out); libtiff prints nothing.
std::vector<uint8_t> encodeTiff(const Frame& frame, const std::string& description,
                                const std::optional<TiffResolution>& resolution);

// Whether value is a resolution a TIFF rational holds to six significant
// decimals: finite and within 1e-6 .. 4e9.
bool isTiffResolution(double value);

}  // namespace lumetra
