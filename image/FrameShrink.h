#pragma once
// Reducing a frame by a whole factor, each output pixel the mean of a square block
// of input pixels. The rows may arrive a band at a time, so a picture can be
// reduced while it is still being made.

#include <cstdint>
#include <vector>

#include "image/Frame.h"

namespace lumetra {

class RowShrinker {
public:
    // A reduction of a width x height picture by the smallest whole factor that
    // keeps both sides at most maxSide (1 when it fits already). Rows and columns
    // that do not fill a whole block are left out.
    RowShrinker(int width, int height, int maxSide);

    // Takes the picture's next `count` BGRA rows, in order from the top.
    void addRows(const uint8_t* rows, int count, int stride);

    // The reduced picture once every row has arrived; null before, or for an
    // empty picture.
    Frame take();

private:
    void foldColumns();
    void finishRow();

    int height_;
    int factor_;
    int blockRows_;  // rows of a block: the factor, or the whole height when less
    int rowsIn_ = 0;
    int rowsInColumns_ = 0;
    Frame out_;
    // Per byte of the block columns: the sum of the rows added since the last fold,
    // 16 bits wide so that a row is added in half the steps.
    std::vector<uint16_t> columns_;
    std::vector<uint32_t> blocks_;  // per byte of the output row: its block's sum so far
};

// The frame reduced so that both sides are at most maxSide; the frame itself when
// it fits (or maxSide is not positive).
Frame shrinkToFit(const Frame& frame, int maxSide);

}  // namespace lumetra
