#include "app/SnapshotEncoding.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>
#include <optional>
#include <thread>

#include "image/ExifThumbnail.h"
#include "image/FrameShrink.h"
#include "image/JpegRowEncoder.h"
#include "storage/ThumbnailLoader.h"

namespace lumetra {
namespace {

// Band-sized buffers the picture's bands take turns in: one composed while the
// encoder reads the other.
constexpr int kBandSlots = 2;

// The encoded picture with its thumbnail embedded; the picture alone when the
// thumbnail could not be made (the album then decodes the picture itself).
std::vector<uint8_t> withThumbnail(std::vector<uint8_t> jpeg, RowShrinker& thumbnail) {
    if (!jpeg.empty()) embedExifThumbnail(jpeg, thumbnail.take());
    return jpeg;
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
    // The picture is never whole: its bands take turns in a few band-sized slots,
    // composed into one while the encoder reads another, so the bytes stay in the
    // cache and no picture-sized buffer is allocated and faulted in.
    Frame slots;
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
        slots = Frame::allocate(size.width, kSnapshotBandRows * kBandSlots);
    } catch (const std::bad_alloc&) {
        return {};
    }
    const auto slotOf = [&](int top) {
        Frame band = slots;
        band.height = kSnapshotBandRows;
        band.data = std::shared_ptr<uint8_t[]>(
            slots.data, slots.row((top / kSnapshotBandRows) % kBandSlots * kSnapshotBandRows));
        return band;
    };

    // The rows composed so far, kAbandoned once composing gave up; the rows encoded
    // so far, kAbandoned once the encoder ended early.
    // Each side waits on the other's count: the encoder for a band to be composed,
    // the composer for the encoder to free the slot it composes into next.
    constexpr int kAbandoned = -1;
    std::atomic<int> composed{0};
    std::atomic<int> encoded{0};
    std::vector<uint8_t> bytes;
    std::jthread encoding([&] {
        const auto stop = [&] {
            encoded.store(kAbandoned, std::memory_order_release);
            encoded.notify_one();
        };
        for (int top = 0; top < size.height; top += kSnapshotBandRows) {
            const int bottom = std::min(top + kSnapshotBandRows, size.height);
            for (int ready = composed.load(std::memory_order_acquire); ready < bottom;
                 ready = composed.load(std::memory_order_acquire)) {
                if (ready == kAbandoned) return stop();
                composed.wait(ready, std::memory_order_acquire);
            }
            const Frame band = slotOf(top);
            if (!encoder.writeRows(band.data.get(), bottom - top, band.stride)) return stop();
            encoded.store(bottom, std::memory_order_release);
            encoded.notify_one();
        }
        bytes = encoder.finish();
    });
    // Whatever ends composing, the encoder is let go before the slots go.
    struct Release {
        std::atomic<int>& composed;
        int height;
        ~Release() {
            if (composed.load() < height) composed.store(kAbandoned, std::memory_order_release);
            composed.notify_one();
        }
    };
    {
        const Release release{composed, size.height};
        for (int top = 0; top < size.height; top += kSnapshotBandRows) {
            // The slot's earlier band must have been encoded.
            const int freed = top - (kBandSlots - 1) * kSnapshotBandRows;
            int done = encoded.load(std::memory_order_acquire);
            while (done != kAbandoned && done < freed) {
                encoded.wait(done, std::memory_order_acquire);
                done = encoded.load(std::memory_order_acquire);
            }
            if (done == kAbandoned) break;
            Frame band = slotOf(top);
            composeSnapshotRows(frame, size, measurements, labels, band, top);
            const int bottom = std::min(top + kSnapshotBandRows, size.height);
            composed.store(bottom, std::memory_order_release);
            composed.notify_one();
            // While the encoder reads the band, the thumbnail takes it too, still in the
            // cache: here rather than on the encoder's thread, which has the more work.
            thumbnail->addRows(band.data.get(), bottom - top, band.stride);
        }
    }
    encoding.join();
    return withThumbnail(std::move(bytes), *thumbnail);
}

}  // namespace lumetra
