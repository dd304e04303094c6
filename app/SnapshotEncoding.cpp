#include "app/SnapshotEncoding.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <optional>
#include <thread>

#include "image/ExifThumbnail.h"
#include "image/FrameShrink.h"
#include "image/JpegRowEncoder.h"
#include "storage/ThumbnailLoader.h"

namespace lumetra {
namespace {

// The encoded picture with its thumbnail embedded; the picture alone when the
// thumbnail could not be made (the album then decodes the picture itself).
std::vector<uint8_t> withThumbnail(std::vector<uint8_t> jpeg, RowShrinker& thumbnail) {
    if (jpeg.empty()) return jpeg;
    auto embedded = withExifThumbnail(jpeg, thumbnail.take());
    return embedded ? std::move(*embedded) : std::move(jpeg);
}

}  // namespace

std::vector<uint8_t> composeAndEncodeSnapshot(const Frame& frame, PixelSize size,
                                              const SnapshotMeasurements& measurements,
                                              StaticTextCache* labels, int quality,
                                              std::string_view comment) {
    if (frame.isNull() || frame.stride < frame.width * 4 || size.width <= 0 || size.height <= 0)
        return {};
    JpegRowEncoder encoder(size.width, size.height, quality, comment);
    if (encoder.failed()) return {};
    Frame picture;
    std::optional<RowShrinker> thumbnail;
    try {
        thumbnail.emplace(size.width, size.height, kThumbnailMaxSide);
        if (snapshotIsTheFrame(frame, size, measurements)) {
            std::jthread shrinking(
                [&] { thumbnail->addRows(frame.data.get(), frame.height, frame.stride); });
            encoder.writeRows(frame.data.get(), frame.height, frame.stride);
            shrinking.join();
            return withThumbnail(encoder.finish(), *thumbnail);
        }
        picture = Frame::allocate(size.width, size.height);
    } catch (const std::bad_alloc&) {
        return {};
    }

    // The rows composed so far, kAbandoned once composing gave up; the encoder
    // follows them and sets `stopped` when it ends early.
    constexpr int kAbandoned = -1;
    std::atomic<int> composed{0};
    std::atomic<bool> stopped{false};
    std::vector<uint8_t> bytes;
    std::jthread encoding([&] {
        int encoded = 0;
        while (encoded < picture.height) {
            composed.wait(encoded, std::memory_order_acquire);
            const int ready = composed.load(std::memory_order_acquire);
            if (ready == kAbandoned ||
                !encoder.writeRows(picture.row(encoded), ready - encoded, picture.stride)) {
                stopped = true;
                return;
            }
            // The rows just encoded are still in the cache: the thumbnail takes them
            // here, off the composing thread, which has the more work of the two.
            thumbnail->addRows(picture.row(encoded), ready - encoded, picture.stride);
            encoded = ready;
        }
        bytes = encoder.finish();
    });
    // Whatever ends composing, the encoder is let go before the picture goes.
    struct Release {
        std::atomic<int>& composed;
        int height;
        ~Release() {
            if (composed.load() < height) composed.store(kAbandoned, std::memory_order_release);
            composed.notify_one();
        }
    };
    {
        const Release release{composed, picture.height};
        for (int top = 0; top < picture.height && !stopped; top += kSnapshotBandRows) {
            const int bottom = std::min(top + kSnapshotBandRows, picture.height);
            composeSnapshotRows(frame, measurements, labels, picture, top, bottom);
            composed.store(bottom, std::memory_order_release);
            composed.notify_one();
        }
    }
    encoding.join();
    return withThumbnail(std::move(bytes), *thumbnail);
}

}  // namespace lumetra
