#pragma once
// Uncompressed baseline TIFF (8-bit RGB, one strip) of a BGRA frame, with an
// optional image description and resolution, for image-analysis programs that
// read a picture's pixel size from those tags.

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

// The frame as TIFF bytes (little-endian). description (ASCII, written as given)
// and resolution are left out when empty; a resolution that is not a positive
// finite number is left out too. Empty bytes for a null frame, one whose pixels
// would not fit a 32-bit file, or when memory runs out.
std::vector<uint8_t> encodeTiff(const Frame& frame, const std::string& description,
                                const std::optional<TiffResolution>& resolution);

// value as a TIFF rational (numerator, denominator) with six significant
// decimals where they fit in 32 bits; nullopt for values outside 1e-6 .. 4e9 or not finite.
std::optional<std::pair<uint32_t, uint32_t>> tiffRational(double value);

}  // namespace lumetra
