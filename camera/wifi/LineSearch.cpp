#include "camera/wifi/LineSearch.h"

#include <algorithm>
#include <limits>

#include "camera/SnapCounter.h"

namespace lumetra {
namespace {

std::optional<std::string_view> lineWithPrefix(std::string_view text, std::string_view pref) {
    size_t start = 0;
    while (true) {
        const size_t end = text.find("\r\n", start);
        const std::string_view line =
            text.substr(start, end == text.npos ? text.npos : end - start);
        if (line.starts_with(pref)) return line;
        if (end == text.npos) return std::nullopt;
        start = end + 2;
    }
}

}  // namespace

std::vector<std::string_view> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (true) {
        const size_t at = text.find(separator, start);
        if (at == std::string_view::npos) break;
        pieces.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::string removeChars(std::string_view text, std::string_view drop) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
        if (drop.find(c) == std::string_view::npos) kept += c;
    return kept;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::optional<std::string_view> readSubstring(std::string_view text, std::string_view pref) {
    const auto line = lineWithPrefix(text, pref);
    if (!line) return std::nullopt;
    const size_t first = line->find('"');
    const size_t last = line->rfind('"');
    if (first == std::string_view::npos || last == first) return std::nullopt;
    return line->substr(first + 1, last - first - 1);
}

std::optional<std::string_view> findString(std::string_view text, std::string_view pref) {
    const auto line = lineWithPrefix(text, pref);
    if (!line) return std::nullopt;
    const size_t equals = line->find('=');
    const size_t semicolon = line->rfind(';');
    if (equals == std::string_view::npos || semicolon == std::string_view::npos ||
        semicolon < equals)
        return std::nullopt;
    return line->substr(equals + 1, semicolon - equals - 1);
}

int64_t readNumber(std::string_view text) { return parsePhotoCount(text).value_or(0); }

int32_t readInt32(std::string_view text) {
    return static_cast<int32_t>(std::clamp<int64_t>(readNumber(text),
                                                    std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::optional<uint16_t> readFrameSide(std::string_view text) {
    const int64_t side = readNumber(text);
    if (side < 1 || side > std::numeric_limits<uint16_t>::max()) return std::nullopt;
    return static_cast<uint16_t>(side);
}

}  // namespace lumetra
