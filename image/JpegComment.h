#pragma once
// A JPEG comment (COM segment) put into encoded JPEG bytes without decoding or
// re-encoding them: after the start of image and any APPn segments (JFIF,
// EXIF), where readers expect the metadata.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra {

// The largest comment one COM segment holds.
inline constexpr size_t kMaxJpegComment = 65533;

// The bytes with a COM segment holding comment inserted; a comment longer
// than kMaxJpegComment is cut at a UTF-8 character boundary. Empty when the
// bytes are not a JPEG whose leading segments are whole.
std::vector<uint8_t> withJpegComment(std::span<const uint8_t> jpeg, std::string_view comment);

// The text of the first COM segment before the image data; nullopt when there
// is none or the bytes are malformed.
std::optional<std::string> readJpegComment(std::span<const uint8_t> jpeg);

}  // namespace lumetra
