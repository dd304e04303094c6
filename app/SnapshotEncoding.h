#pragma once
// A snapshot composed and encoded at once: the calling thread composes the
// picture band by band while a helper thread encodes the bands already composed,
// so a snapshot costs little more than its encoding. Qt's drawing stays on the
// calling thread; the helper only runs the JPEG encoder.

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/SnapshotComposer.h"

namespace lumetra {

// Rows composed before the encoder takes them: a multiple of the encoder's 16-row
// blocks, small enough that the encoder starts early, large enough that drawing the
// measurements again for every band (clipped to it) costs little.
inline constexpr int kSnapshotBandRows = 256;

// The JPEG bytes of composeSnapshot's picture at the given quality, with comment
// after the JFIF header; empty when no picture could be made (as composeSnapshot)
// or encoding failed.
std::vector<uint8_t> composeAndEncodeSnapshot(const Frame& frame, PixelSize size,
                                              const SnapshotMeasurements& measurements,
                                              StaticTextCache* labels, int quality,
                                              std::string_view comment);

}  // namespace lumetra
