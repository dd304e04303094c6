#pragma once
// Produces the simulated camera's pictures: the specimen at the current resolution
// with the current picture controls (prepared once per setting), cropped with a
// gentle drift and overlaid with sensor noise for each picture, then JPEG-encoded.
// With a loop length, that many pictures are encoded once per setting and repeated,
// so that sending costs next to nothing. Safe to use from several threads.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "image/Frame.h"
#include "tools/camsim/PictureAdjustments.h"

namespace lumetra::camsim {

struct PictureSettings {
    int width = 640;
    int height = 480;
    Adjustments adjustments;
    int quality = 80;
    friend bool operator==(const PictureSettings&, const PictureSettings&) = default;
};

using JpegBytes = std::shared_ptr<const std::vector<uint8_t>>;

class PictureSource {
public:
    static constexpr int kDriftMargin = 16;

    PictureSource(uint32_t seed, int loopLength);

    // The picture of the given setting at time t (seconds since the camera started);
    // `index` selects the noise (and the loop entry).
    Frame frame(const PictureSettings& settings, double t, uint64_t index);
    JpegBytes jpeg(const PictureSettings& settings, double t, uint64_t index);

    // Drift offset of the specimen at time t, each coordinate within +-kDriftMargin.
    static void driftAt(double t, int& dx, int& dy);

private:
    struct Prepared {
        PictureSettings settings;
        Frame base;  // adjusted specimen with the drift margin
        std::vector<JpegBytes> loop;
    };

    std::shared_ptr<const Prepared> prepare(const PictureSettings& settings);
    Frame compose(const Prepared& prepared, double t, uint64_t index) const;

    uint32_t seed_;
    int loopLength_;
    std::vector<int8_t> noise_;
    std::mutex mutex_;
    std::shared_ptr<const Prepared> prepared_;
};

}  // namespace lumetra::camsim
