#include "image/ExifThumbnail.h"

#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "image/JpegCodec.h"

namespace lumetra {
namespace {

constexpr uint8_t kMarker = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kJfifSegment = 0xE0;  // APP0
constexpr uint8_t kExifSegment = 0xE1;  // APP1
constexpr size_t kMaxSegmentLength = 0xFFFF;
constexpr uint8_t kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};

struct ExifDataRelease {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifDataPtr = std::unique_ptr<ExifData, ExifDataRelease>;

// A header segment: its marker and where its payload lies.
struct Segment {
    uint8_t marker = 0;
    size_t payload = 0;  // offset of the payload, after the two length bytes
    size_t length = 0;   // payload bytes
};

// The segment at offset, when it is a complete header segment (APPn or COM).
std::optional<Segment> headerSegmentAt(std::span<const uint8_t> data, size_t offset) {
    if (offset + 4 > data.size() || data[offset] != kMarker) return std::nullopt;
    const uint8_t marker = data[offset + 1];
    const bool appOrComment = (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE;
    const size_t length = (size_t{data[offset + 2]} << 8) | data[offset + 3];
    if (!appOrComment || length < 2 || offset + 2 + length > data.size()) return std::nullopt;
    return Segment{marker, offset + 4, length - 2};
}

bool startsWithImage(std::span<const uint8_t> data) {
    return data.size() >= 2 && data[0] == kMarker && data[1] == kStartOfImage;
}

}  // namespace

std::optional<std::vector<uint8_t>> withExifThumbnail(std::span<const uint8_t> jpeg,
                                                      const Frame& thumbnail) {
    std::vector<uint8_t> out(jpeg.begin(), jpeg.end());
    if (!embedExifThumbnail(out, thumbnail)) return std::nullopt;
    return out;
}

bool embedExifThumbnail(std::vector<uint8_t>& jpeg, const Frame& thumbnail) {
    if (!startsWithImage(jpeg) || thumbnail.isNull()) return false;
    const std::vector<uint8_t> small = encodeJpeg(thumbnail, kExifThumbnailQuality);
    if (small.empty()) return false;

    const ExifDataPtr exif(exif_data_new());
    if (!exif) return false;
    exif_data_set_byte_order(exif.get(), EXIF_BYTE_ORDER_INTEL);
    // libexif owns and frees the thumbnail with its default allocator, malloc.
    exif->data = static_cast<unsigned char*>(std::malloc(small.size()));
    if (!exif->data) return false;
    std::memcpy(exif->data, small.data(), small.size());
    exif->size = static_cast<unsigned int>(small.size());
    unsigned char* saved = nullptr;
    unsigned int savedSize = 0;
    exif_data_save_data(exif.get(), &saved, &savedSize);
    const std::unique_ptr<unsigned char, decltype(&std::free)> release(saved, &std::free);
    if (!saved || savedSize == 0 || savedSize + 2 > kMaxSegmentLength) return false;

    // After the JFIF segment when there is one, right after the start marker otherwise.
    size_t at = 2;
    if (const auto jfif = headerSegmentAt(jpeg, 2); jfif && jfif->marker == kJfifSegment)
        at = jfif->payload + jfif->length;
    const size_t length = savedSize + 2;
    std::vector<uint8_t> segment;
    segment.reserve(length + 2);
    segment.insert(segment.end(), {kMarker, kExifSegment, static_cast<uint8_t>(length >> 8),
                                   static_cast<uint8_t>(length & 0xFF)});
    segment.insert(segment.end(), saved, saved + savedSize);
    jpeg.insert(jpeg.begin() + static_cast<ptrdiff_t>(at), segment.begin(), segment.end());
    return true;
}

std::optional<std::vector<uint8_t>> exifThumbnail(std::span<const uint8_t> head) {
    if (!startsWithImage(head)) return std::nullopt;
    for (size_t offset = 2;;) {
        const auto segment = headerSegmentAt(head, offset);
        if (!segment) return std::nullopt;
        const auto payload = head.subspan(segment->payload, segment->length);
        if (segment->marker == kExifSegment && payload.size() > sizeof kExifHeader &&
            std::memcmp(payload.data(), kExifHeader, sizeof kExifHeader) == 0) {
            const ExifDataPtr exif(exif_data_new());
            if (!exif) return std::nullopt;
            // Only the thumbnail is wanted: no tags are added or corrected on loading.
            exif_data_unset_option(exif.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
            exif_data_load_data(exif.get(), payload.data(),
                                static_cast<unsigned int>(payload.size()));
            if (!exif->data || exif->size == 0) return std::nullopt;
            return std::vector<uint8_t>(exif->data, exif->data + exif->size);
        }
        offset = segment->payload + segment->length;
    }
}

}  // namespace lumetra
