#pragma once
// The layout of a JPEG as its markers tell it, read without the decoder: the picture
// size, its components' sampling and whether the decoder must hold the coefficients of
// the whole picture (progressive pictures, and sequential ones whose first scan does
// not carry every component). That memory does not shrink with a scaled decode, so
// it is checked before the decoder sees the data.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace lumetra {

struct JpegLayout {
    int width = 0;
    int height = 0;
    bool fullCoefficientBuffer = false;
    // Bytes of the whole-picture coefficient buffer (also when it is not needed).
    size_t coefficientBytes = 0;
};

// nullopt when the data holds no frame header before its first scan.
std::optional<JpegLayout> readJpegLayout(const uint8_t* data, size_t size);

}  // namespace lumetra
