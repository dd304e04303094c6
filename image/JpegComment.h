#pragma once
// The JPEG comment (COM segment): how much of a text one segment holds, and
// reading it back. JpegRowEncoder writes it after the JFIF header, where readers
// expect the metadata.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lumetra {

// The largest comment one COM segment holds.
inline constexpr size_t kMaxJpegComment = 65533;

// The part of comment one segment holds: a comment longer than
// kMaxJpegComment is cut at a UTF-8 character boundary.
std::string_view fittedJpegComment(std::string_view comment);

// The text of the first COM segment before the image data; nullopt when there
// is none or the bytes are malformed.
std::optional<std::string> readJpegComment(std::span<const uint8_t> jpeg);

}  // namespace lumetra
