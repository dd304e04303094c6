#include "image/JpegComment.h"

namespace lumetra {
namespace {

constexpr uint8_t kMarker = 0xFF;
constexpr uint8_t kSoi = 0xD8;
constexpr uint8_t kSos = 0xDA;
constexpr uint8_t kCom = 0xFE;

struct Segment {
    uint8_t marker = 0;
    size_t payload = 0;  // offset of the data after the length
    size_t end = 0;      // offset after the segment
};

// The segment starting at pos (fill bytes allowed), or nullopt when it is cut
// short. Markers without a length (TEM, RSTn) are two bytes long.
std::optional<Segment> segmentAt(std::span<const uint8_t> jpeg, size_t pos) {
    if (pos >= jpeg.size() || jpeg[pos] != kMarker) return std::nullopt;
    size_t m = pos + 1;
    while (m < jpeg.size() && jpeg[m] == kMarker) ++m;
    if (m >= jpeg.size()) return std::nullopt;
    const uint8_t marker = jpeg[m];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) return Segment{marker, m + 1, m + 1};
    if (m + 2 >= jpeg.size()) return std::nullopt;
    const size_t length = (size_t{jpeg[m + 1]} << 8) | jpeg[m + 2];
    if (length < 2 || m + 1 + length > jpeg.size()) return std::nullopt;
    return Segment{marker, m + 3, m + 1 + length};
}

bool startsWithSoi(std::span<const uint8_t> jpeg) {
    return jpeg.size() >= 2 && jpeg[0] == kMarker && jpeg[1] == kSoi;
}

}  // namespace

std::string_view fittedJpegComment(std::string_view comment) {
    if (comment.size() <= kMaxJpegComment) return comment;
    size_t n = kMaxJpegComment;
    while (n > 0 && (static_cast<unsigned char>(comment[n]) & 0xC0) == 0x80) --n;
    return comment.substr(0, n);
}

std::optional<std::string> readJpegComment(std::span<const uint8_t> jpeg) {
    if (!startsWithSoi(jpeg)) return std::nullopt;
    size_t pos = 2;
    for (;;) {
        const auto segment = segmentAt(jpeg, pos);
        if (!segment || segment->marker == kSos) return std::nullopt;
        if (segment->marker == kCom) {
            const auto* text = reinterpret_cast<const char*>(jpeg.data() + segment->payload);
            return std::string(text, segment->end - segment->payload);
        }
        pos = segment->end;
    }
}

}  // namespace lumetra
