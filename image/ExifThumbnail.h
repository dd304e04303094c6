#pragma once
// A small preview of a picture carried inside its JPEG file, as the EXIF thumbnail
// that file managers and viewers read, so an album shows a snapshot without
// decoding the whole picture. Written and read through libexif; the reader walks
// only the header segments before the picture data and takes any bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/Frame.h"

namespace lumetra {

// The quality embedded thumbnails are encoded at.
inline constexpr int kExifThumbnailQuality = 85;

// The JPEG with the thumbnail inserted as an EXIF segment after its JFIF header;
// nullopt when the data is not a JPEG, the thumbnail cannot be encoded or does
// not fit a segment (64 KiB).
std::optional<std::vector<uint8_t>> withExifThumbnail(std::span<const uint8_t> jpeg,
                                                      const Frame& thumbnail);

// The same in place: the segment is inserted into jpeg's own buffer (within its
// spare capacity, an encoder's buffer has some); false, and jpeg unchanged, where
// withExifThumbnail gives nullopt.
bool embedExifThumbnail(std::vector<uint8_t>& jpeg, const Frame& thumbnail);

// The embedded thumbnail's JPEG bytes, found among the header segments at the start
// of a JPEG file (`head` may be the first bytes of a file only); nullopt when there
// is none or the segment is malformed.
std::optional<std::vector<uint8_t>> exifThumbnail(std::span<const uint8_t> head);

}  // namespace lumetra
