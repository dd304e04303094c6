#pragma once
// The line search helpers every value of a WiFi camera's settings answer goes through,
// and the rule by which numbers are read from the texts they return. Pure functions.
//
// Lines are separated by CR LF only (the cameras' line end); a lone LF does not end a
// line. A line that matches the prefix but breaks the expected shape gives nothing, so
// the field it would set stays as it is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra {

// The first line that begins with pref; the text between its first and its last double
// quote. Nothing when no line begins with pref or that line holds fewer than two quotes.
std::optional<std::string_view> readSubstring(std::string_view text, std::string_view pref);

// The same line search; the text between the line's first "=" and its last ";". Nothing
// when no line begins with pref or that line has no ";" after its first "=".
std::optional<std::string_view> findString(std::string_view text, std::string_view pref);

// A decimal integer with optional leading spaces and sign, stopping at the first other
// character; no digits (or a number too large for 64 bits) reads as 0.
int64_t readNumber(std::string_view text);

// readNumber limited to the range of a 32-bit integer (larger values are clamped).
int32_t readInt32(std::string_view text);

// readNumber when it is a usable frame side (1 to 65535); nothing otherwise.
std::optional<uint16_t> readFrameSide(std::string_view text);

// text split at every occurrence of separator (empty pieces kept).
std::vector<std::string_view> splitText(std::string_view text, std::string_view separator);

// text without any of the characters in drop.
std::string removeChars(std::string_view text, std::string_view drop);

bool contains(std::string_view text, std::string_view part);

}  // namespace lumetra
