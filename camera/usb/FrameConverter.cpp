#include "camera/usb/FrameConverter.h"

#include <linux/videodev2.h>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include "camera/LiveFrameLimit.h"

namespace lumetra {
namespace {

struct RawLayout {
    uint32_t fourcc;
    AVPixelFormat av;
    int bytesPerPixel;  // of the first plane
};

// Raw formats: the first plane's bytes per pixel. Planar 4:2:0 formats follow with
// chroma planes of half the rows, rounded up, so an odd size keeps its last row and
// column of chroma.
constexpr RawLayout kRawLayouts[] = {
    {V4L2_PIX_FMT_YUYV, AV_PIX_FMT_YUYV422, 2}, {V4L2_PIX_FMT_UYVY, AV_PIX_FMT_UYVY422, 2},
    {V4L2_PIX_FMT_NV12, AV_PIX_FMT_NV12, 1},    {V4L2_PIX_FMT_YUV420, AV_PIX_FMT_YUV420P, 1},
    {V4L2_PIX_FMT_RGB24, AV_PIX_FMT_RGB24, 3},  {V4L2_PIX_FMT_BGR24, AV_PIX_FMT_BGR24, 3},
    {V4L2_PIX_FMT_GREY, AV_PIX_FMT_GRAY8, 1},
};

const RawLayout* rawLayout(uint32_t fourcc) {
    for (const auto& l : kRawLayouts)
        if (l.fourcc == fourcc) return &l;
    return nullptr;
}

bool isJpeg(uint32_t fourcc) { return fourcc == V4L2_PIX_FMT_MJPEG || fourcc == V4L2_PIX_FMT_JPEG; }

bool isPlanar420(AVPixelFormat f) { return f == AV_PIX_FMT_NV12 || f == AV_PIX_FMT_YUV420P; }

}  // namespace

bool canConvert(uint32_t pixelFormat) {
    return isJpeg(pixelFormat) || rawLayout(pixelFormat) != nullptr;
}

FrameConverter::~FrameConverter() { sws_freeContext(sws_); }

bool FrameConverter::configure(uint32_t pixelFormat, int width, int height, uint32_t bytesPerLine) {
    pixelFormat_ = 0;
    if (width <= 0 || height <= 0 || static_cast<uint32_t>(width) > kMaxUsbFrameSide ||
        static_cast<uint32_t>(height) > kMaxUsbFrameSide)
        return false;
    const RawLayout* layout = rawLayout(pixelFormat);
    if (!layout && !isJpeg(pixelFormat)) return false;
    width_ = width;
    height_ = height;
    rawSize_ = 0;
    chromaStride_ = 0;
    if (layout) {
        const auto packed = static_cast<uint32_t>(width * layout->bytesPerPixel);
        bytesPerLine_ = bytesPerLine >= packed ? bytesPerLine : packed;
        rawSize_ = static_cast<size_t>(bytesPerLine_) * static_cast<size_t>(height);
        const auto chromaRows = static_cast<size_t>((height + 1) / 2);
        if (layout->av == AV_PIX_FMT_NV12) {
            // One plane of interleaved U and V pairs, a pair for every two columns.
            chromaStride_ = bytesPerLine_ + bytesPerLine_ % 2;
            rawSize_ += chromaStride_ * chromaRows;
        } else if (layout->av == AV_PIX_FMT_YUV420P) {
            chromaStride_ = (bytesPerLine_ + 1) / 2;  // a U plane, then a V plane
            rawSize_ += 2 * chromaStride_ * chromaRows;
        }
        sourceFormat_ = layout->av;
        sws_ = sws_getCachedContext(sws_, width, height, layout->av, width, height, AV_PIX_FMT_BGRA,
                                    SWS_POINT, nullptr, nullptr, nullptr);
        if (!sws_) return false;
    }
    pixelFormat_ = pixelFormat;
    return true;
}

std::optional<Frame> FrameConverter::convert(const uint8_t* data, size_t size, JpegInfo shown,
                                             const FullPicture::Finish& finish) {
    if (!data || size == 0 || pixelFormat_ == 0) return std::nullopt;
    return isJpeg(pixelFormat_) ? convertJpeg(data, size, shown, finish) : convertRaw(data, size);
}

std::optional<Frame> FrameConverter::convertJpeg(const uint8_t* data, size_t size, JpegInfo shown,
                                                 const FullPicture::Finish& finish) {
    // The decode checks the header against the negotiated size first, so a corrupt frame
    // claiming a huge size commits no memory.
    return decodeLivePicture(data, size, &pool_, liveFrameLimit(width_, height_), shown, finish);
}

std::optional<Frame> FrameConverter::convertRaw(const uint8_t* data, size_t size) {
    if (size < rawSize_ || !sws_) return std::nullopt;
    const auto format = static_cast<AVPixelFormat>(sourceFormat_);
    const uint8_t* planes[4] = {data, nullptr, nullptr, nullptr};
    int strides[4] = {static_cast<int>(bytesPerLine_), 0, 0, 0};
    const size_t lumaBytes = static_cast<size_t>(bytesPerLine_) * static_cast<size_t>(height_);
    const size_t chromaBytes = size_t{chromaStride_} * static_cast<size_t>((height_ + 1) / 2);
    if (isPlanar420(format)) {
        planes[1] = data + lumaBytes;
        strides[1] = static_cast<int>(chromaStride_);
    }
    if (format == AV_PIX_FMT_YUV420P) {
        planes[2] = planes[1] + chromaBytes;
        strides[2] = strides[1];
    }
    Frame frame = pool_.acquire(width_, height_);
    if (frame.isNull()) return std::nullopt;
    uint8_t* out[4] = {frame.data.get(), nullptr, nullptr, nullptr};
    const int outStrides[4] = {frame.stride, 0, 0, 0};
    if (sws_scale(sws_, planes, strides, 0, height_, out, outStrides) != height_)
        return std::nullopt;
    return frame;
}

}  // namespace lumetra
