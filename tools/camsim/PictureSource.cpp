#include "tools/camsim/PictureSource.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

#include "image/JpegCodec.h"
#include "tools/camsim/MicrometerSlide.h"

namespace lumetra::camsim {
namespace {

constexpr size_t kNoiseLength = size_t{1} << 16;  // a power of two
constexpr int kNoiseAmplitude = 6;

// Loop pictures are spread over this time so that they show the drift.
constexpr double kLoopSpacingSeconds = 1.0 / 15.0;

}  // namespace

PictureSource::PictureSource(uint32_t seed, int loopLength)
    : seed_(seed), loopLength_(std::max(loopLength, 0)), noise_(kNoiseLength) {
    std::mt19937 rng(seed ^ 0x5eedu);
    std::normal_distribution<double> gauss(0.0, kNoiseAmplitude / 2.0);
    for (int8_t& n : noise_)
        n = static_cast<int8_t>(
            std::clamp(std::lround(gauss(rng)), -3L * kNoiseAmplitude, 3L * kNoiseAmplitude));
}

void PictureSource::driftAt(double t, int& dx, int& dy) {
    // Two slow, unrelated periods: the specimen wanders without repeating quickly.
    const double m = kDriftMargin * 0.9;
    dx = static_cast<int>(std::lround(m * std::sin(2 * std::numbers::pi * t / 11.0)));
    dy = static_cast<int>(std::lround(m * std::sin(2 * std::numbers::pi * t / 17.0 + 1.0)));
}

std::shared_ptr<const PictureSource::Prepared> PictureSource::prepare(
    const PictureSettings& settings) {
    std::lock_guard lock(mutex_);
    if (prepared_ && prepared_->settings == settings) return prepared_;
    auto next = std::make_shared<Prepared>();
    next->settings = settings;
    next->base = renderMicrometerSlide(settings.width, settings.height, kDriftMargin, seed_);
    applyAdjustments(next->base, settings.adjustments);
    for (int i = 0; i < loopLength_; ++i) {
        const Frame f = compose(*next, i * kLoopSpacingSeconds, static_cast<uint64_t>(i));
        next->loop.push_back(
            std::make_shared<const std::vector<uint8_t>>(encodeJpeg(f, settings.quality)));
    }
    prepared_ = next;
    return prepared_;
}

Frame PictureSource::compose(const Prepared& prepared, double t, uint64_t index) const {
    const int w = prepared.settings.width, h = prepared.settings.height;
    Frame out = Frame::allocate(w, h);
    if (out.isNull() || prepared.base.isNull()) return {};
    int dx = 0, dy = 0;
    driftAt(t, dx, dy);
    std::mt19937 rng(static_cast<uint32_t>(index * 2654435761u) ^ seed_);
    constexpr size_t kNoiseMask = kNoiseLength - 1;
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = prepared.base.row(y + kDriftMargin + dy) + 4 * (kDriftMargin + dx);
        uint8_t* dst = out.row(y);
        const size_t start = rng() & kNoiseMask;  // each row takes the noise from elsewhere
        for (int x = 0; x < w; ++x) {
            const int n = noise_[(start + static_cast<size_t>(x)) & kNoiseMask];
            for (int c = 0; c < 3; ++c)
                dst[4 * x + c] = static_cast<uint8_t>(std::clamp(src[4 * x + c] + n, 0, 255));
            dst[4 * x + 3] = 255;
        }
    }
    return out;
}

Frame PictureSource::frame(const PictureSettings& settings, double t, uint64_t index) {
    const auto prepared = prepare(settings);
    return compose(*prepared, t, index);
}

JpegBytes PictureSource::jpeg(const PictureSettings& settings, double t, uint64_t index) {
    const auto prepared = prepare(settings);
    if (!prepared->loop.empty()) return prepared->loop[index % prepared->loop.size()];
    return std::make_shared<const std::vector<uint8_t>>(
        encodeJpeg(compose(*prepared, t, index), settings.quality));
}

}  // namespace lumetra::camsim
