#include "image/FrameShrink.h"

#include <algorithm>

namespace lumetra {

namespace {

// Rows whose bytes fit a 16-bit sum.
constexpr int kRowsPerFold = 257;

}  // namespace

RowShrinker::RowShrinker(int width, int height, int maxSide) : height_(std::max(0, height)) {
    width = std::max(0, width);
    const int longest = std::max(width, height_);
    factor_ = maxSide > 0 ? std::max(1, (longest + maxSide - 1) / maxSide) : 1;
    blockRows_ = std::min(factor_, height_);
    if (width == 0 || height_ == 0) return;
    out_ = Frame::allocate(std::max(1, width / factor_), std::max(1, height_ / factor_));
    columns_.assign(static_cast<size_t>(std::min(width, out_.width * factor_)) * 4, 0);
    blocks_.assign(static_cast<size_t>(out_.width) * 4, 0);
}

void RowShrinker::addRows(const uint8_t* rows, int count, int stride) {
    if (out_.isNull()) return;
    // Each row is first added into per-column sums (one straight pass the compiler
    // vectorises); the columns are then summed across each block, once a block row
    // is complete or before the 16-bit sums could overflow.
    const size_t bytes = columns_.size();
    for (int i = 0; i < count; ++i, rows += stride) {
        const int row = rowsIn_++;
        if (row / factor_ >= out_.height) continue;
        uint16_t* sum = columns_.data();
        for (size_t b = 0; b < bytes; ++b) sum[b] = static_cast<uint16_t>(sum[b] + rows[b]);
        const bool blockDone = row % factor_ == blockRows_ - 1;
        if (++rowsInColumns_ == kRowsPerFold || blockDone) foldColumns();
        if (blockDone) finishRow();
    }
}

void RowShrinker::foldColumns() {
    const int columns = static_cast<int>(columns_.size() / 4);
    const int blockColumns = std::min(factor_, columns);
    for (int x = 0; x < out_.width; ++x) {
        const uint16_t* block = columns_.data() + static_cast<size_t>(x) * blockColumns * 4;
        uint32_t* sum = blocks_.data() + static_cast<size_t>(x) * 4;
        for (int j = 0; j < blockColumns; ++j)
            for (int c = 0; c < 4; ++c) sum[c] += block[j * 4 + c];
    }
    std::fill(columns_.begin(), columns_.end(), 0);
    rowsInColumns_ = 0;
}

void RowShrinker::finishRow() {
    const int blockColumns = std::min(factor_, static_cast<int>(columns_.size() / 4));
    const uint32_t count = static_cast<uint32_t>(blockRows_ * blockColumns);
    uint8_t* dst = out_.row((rowsIn_ - 1) / factor_);
    for (size_t b = 0; b < blocks_.size(); ++b)
        dst[b] = static_cast<uint8_t>((blocks_[b] + count / 2) / count);
    std::fill(blocks_.begin(), blocks_.end(), 0);
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
