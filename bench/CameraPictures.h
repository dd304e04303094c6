#pragma once
// The simulated camera's pictures as the benchmarks use them: its micrometer slide,
// drifting and with sensor noise, as a loop of JPEG pictures encoded once.

#include <cstdint>
#include <vector>

#include "tools/camsim/PictureSource.h"

namespace lumetra::bench {

inline constexpr int kLoopLength = 8;
inline constexpr uint32_t kSeed = 1;
inline constexpr int kQuality = 80;

// The pictures the simulator repeats at this size when started with kSeed, kLoopLength
// and kQuality (its default seed and quality).
inline std::vector<camsim::JpegBytes> loopPictures(int width, int height) {
    camsim::PictureSource source(kSeed, kLoopLength);
    const camsim::PictureSettings settings{width, height, {}, kQuality};
    std::vector<camsim::JpegBytes> pictures;
    for (int i = 0; i < kLoopLength; ++i)
        pictures.push_back(source.jpeg(settings, 0.0, static_cast<uint64_t>(i)));
    return pictures;
}

}  // namespace lumetra::bench
