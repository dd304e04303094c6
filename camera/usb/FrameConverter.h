#pragma once
// Turns the bytes of one captured V4L2 buffer into a BGRA frame at the format's own
// size: Motion-JPEG through libjpeg-turbo, raw YUV, RGB and grey formats through
// libswscale. A buffer that is too short, does not decode, ends early or holds a
// picture larger than the negotiated size gives no frame (the caller counts it as
// broken and skips it). A Motion-JPEG picture is decoded reduced when the screen shows
// it smaller, keeping its bytes for the full picture. Used on the capture thread only.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "image/Frame.h"
#include "image/FramePool.h"
#include "image/FullPicture.h"

struct SwsContext;

namespace lumetra {

// The largest side of a USB frame this program accepts, well above any microscope.
inline constexpr uint32_t kMaxUsbFrameSide = 8192;

// True for the pixel formats FrameConverter handles.
bool canConvert(uint32_t pixelFormat);

class FrameConverter {
public:
    FrameConverter() = default;
    ~FrameConverter();
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    // The negotiated format: four-character code, size and bytes per line of the
    // first plane (0: packed without padding). False when it cannot be converted.
    bool configure(uint32_t pixelFormat, int width, int height, uint32_t bytesPerLine);

    // The buffer as a BGRA frame, or nullopt when it is broken. A Motion-JPEG buffer is
    // decoded for a screen showing it at `shown` device pixels (decodeLivePicture, 0 x 0:
    // full size); raw formats are converted at full size.
    std::optional<Frame> convert(const uint8_t* data, size_t size, JpegInfo shown = {},
                                 const FullPicture::Finish& finish = {});

private:
    std::optional<Frame> convertJpeg(const uint8_t* data, size_t size, JpegInfo shown,
                                     const FullPicture::Finish& finish);
    std::optional<Frame> convertRaw(const uint8_t* data, size_t size);

    uint32_t pixelFormat_ = 0;
    int width_ = 0;
    int height_ = 0;
    int sourceFormat_ = -1;  // libswscale's pixel format for raw buffers
    uint32_t bytesPerLine_ = 0;
    uint32_t chromaStride_ = 0;  // bytes per line of the chroma planes of 4:2:0 formats
    size_t rawSize_ = 0;         // bytes a complete raw buffer holds
    SwsContext* sws_ = nullptr;
    FramePool pool_;
};

}  // namespace lumetra
