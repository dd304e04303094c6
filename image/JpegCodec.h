#pragma once
// JPEG decoding to and encoding from BGRA frames, on libjpeg-turbo.
// Each thread uses codec handles of its own, so the functions are safe on any thread.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image/Frame.h"
#include "image/FramePool.h"

namespace lumetra {

struct JpegInfo {
    int width = 0;
    int height = 0;
};

// The largest side of a picture decoded from outside (a camera, a file). A
// microscope sends a few megapixels; a header that claims more is hostile: a
// few hundred bytes could otherwise make the decoder commit gigabytes.
inline constexpr int kMaxJpegSide = 8192;

// Reads the picture size from the header; nullopt when the data is not a JPEG.
std::optional<JpegInfo> readJpegInfo(const uint8_t* data, size_t size);

// The header check every decode runs first: the picture size when the data is a
// JPEG whose sides are both at most kMaxJpegSide, nullopt otherwise.
std::optional<JpegInfo> checkJpegHeader(const uint8_t* data, size_t size);

// The memory one decode may commit for a picture beyond a frame of the caller's size: the
// coefficients a progressive or multi-scan picture holds for its whole size (a scaled
// decode does not shrink them) and, for a scaled decode, the decoded picture as well.
// Far above what a microscope's pictures need; a header of a few hundred bytes claiming a
// huge progressive picture is refused before the decoder commits anything.
inline constexpr size_t kJpegDecodeBudget = size_t{32} << 20;

// Decodes a whole JPEG into a BGRA frame; nullopt when the data does not decode, ends
// early or is corrupt (the decoder would fill the missing part with grey), is larger than
// maxSize on either side, or needs more coefficient memory than kJpegDecodeBudget. With a
// pool, the frame's buffer comes from it.
std::optional<Frame> decodeJpeg(const uint8_t* data, size_t size, FramePool* pool = nullptr,
                                JpegInfo maxSize = {kMaxJpegSide, kMaxJpegSide});

// Decodes for a screen that shows the picture at `shown` device pixels: at the smallest of
// the halving factors (1/2, 1/4, 1/8) whose picture covers `shown` on both sides, at full
// size when none does. Only these pay: libjpeg-turbo decodes at 5/8 to 7/8 as slowly as at
// full size or slower. nullopt as for decodeJpeg, whose size limit applies to the full size.
std::optional<Frame> decodeJpegForScreen(const uint8_t* data, size_t size, FramePool* pool,
                                         JpegInfo maxSize, JpegInfo shown);

// Decodes (after checkJpegHeader) at the largest libjpeg-turbo scaling factor that keeps both
// sides at most maxSide (or the smallest factor when none does) and the decode within
// kJpegDecodeBudget: cheap thumbnails that never hold the full-size picture. nullopt as for
// decodeJpeg, and when even the smallest factor exceeds the budget.
std::optional<Frame> decodeJpegScaled(const uint8_t* data, size_t size, int maxSide);

// The largest JPEG file read: as large as the largest picture decoded, four bytes a pixel,
// far beyond what a picture of that size compresses to.
inline constexpr size_t kMaxJpegFileBytes = size_t{4} * kMaxJpegSide * kMaxJpegSide;

// Decodes a file; nullopt when it is not a plain file, is larger than kMaxJpegFileBytes
// (it is not read then), cannot be read or does not decode.
std::optional<Frame> decodeJpegFile(const std::string& path, int maxSide = 0);

// Encodes a BGRA frame at the given quality (1..100) with 4:2:0 subsampling.
// Returns an empty vector when the frame is null or encoding fails.
std::vector<uint8_t> encodeJpeg(const Frame& frame, int quality);

// The platform's compression factor (0.0 .. 1.0) as a JPEG quality: 0.9 -> 90.
int qualityFromCompressionFactor(double factor);

}  // namespace lumetra
