#include "image/FullPicture.h"

#include <utility>

namespace lumetra {

FullPicture::FullPicture(std::vector<uint8_t> jpeg, JpegInfo size, JpegInfo limit, Finish finish)
    : jpeg_(std::move(jpeg)), size_(size), limit_(limit), finish_(std::move(finish)) {}

Frame FullPicture::picture() const {
    std::call_once(decoded_, [this] {
        auto frame = decodeJpeg(jpeg_.data(), jpeg_.size(), nullptr, limit_);
        if (!frame || frame->width != size_.width || frame->height != size_.height) return;
        if (finish_) finish_(*frame);
        picture_ = std::move(*frame);
    });
    return picture_;
}

std::optional<Frame> decodeLivePicture(const uint8_t* data, size_t size, FramePool* pool,
                                       JpegInfo limit, JpegInfo shown,
                                       const FullPicture::Finish& finish) {
    auto frame = decodeJpegForScreen(data, size, pool, limit, shown);
    if (!frame) return std::nullopt;
    if (const auto info = readJpegInfo(data, size);
        info && (info->width != frame->width || info->height != frame->height))
        frame->fullPicture = std::make_shared<FullPicture>(std::vector<uint8_t>(data, data + size),
                                                           *info, limit, finish);
    return frame;
}

}  // namespace lumetra
