#include "image/FrameShrink.h"

#include <algorithm>

namespace lumetra {

RowShrinker::RowShrinker(int width, int height, int maxSide)
    : width_(std::max(0, width)), height_(std::max(0, height)) {
    const int longest = std::max(width_, height_);
    factor_ = maxSide > 0 ? std::max(1, (longest + maxSide - 1) / maxSide) : 1;
    if (width_ == 0 || height_ == 0) return;
    out_ = Frame::allocate(std::max(1, width_ / factor_), std::max(1, height_ / factor_));
    columns_.assign(static_cast<size_t>(std::min(width_, out_.width * factor_)) * 4, 0);
}

void RowShrinker::addRows(const uint8_t* rows, int count, int stride) {
    if (out_.isNull()) return;
    // Each row is first added into per-column sums (one straight pass the compiler
    // vectorises); a finished block row is then summed across its columns.
    const size_t bytes = columns_.size();
    for (int i = 0; i < count; ++i, rows += stride) {
        if (rowsIn_++ / factor_ >= out_.height) continue;
        uint32_t* sum = columns_.data();
        for (size_t b = 0; b < bytes; ++b) sum[b] += rows[b];
        if (rowsIn_ % factor_ == 0 || rowsIn_ == height_) finishRow();
    }
}

void RowShrinker::finishRow() {
    const int outRow = (rowsIn_ - 1) / factor_;
    const int columns = static_cast<int>(columns_.size() / 4);
    const int blockColumns = std::min(factor_, columns);
    const uint32_t count = static_cast<uint32_t>((rowsIn_ - outRow * factor_) * blockColumns);
    uint8_t* dst = out_.row(outRow);
    for (int x = 0; x < out_.width; ++x) {
        const uint32_t* block = columns_.data() + static_cast<size_t>(x) * blockColumns * 4;
        uint32_t sum[4] = {0, 0, 0, 0};
        for (int j = 0; j < blockColumns * 4; ++j) sum[j % 4] += block[j];
        for (int c = 0; c < 4; ++c)
            dst[x * 4 + c] = static_cast<uint8_t>((sum[c] + count / 2) / count);
    }
    std::fill(columns_.begin(), columns_.end(), 0);
}

Frame RowShrinker::take() {
    if (rowsIn_ < height_) return {};
    return std::move(out_);
}

Frame shrinkToFit(const Frame& frame, int maxSide) {
    if (frame.isNull() || maxSide <= 0 || (frame.width <= maxSide && frame.height <= maxSide))
        return frame;
    RowShrinker shrinker(frame.width, frame.height, maxSide);
    shrinker.addRows(frame.data.get(), frame.height, frame.stride);
    return shrinker.take();
}

}  // namespace lumetra
