#include "storage/Utf8Text.h"

#include <cstdint>

namespace lumetra {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes the UTF-8 sequence at text[i]; advances i past it (one byte for a
// malformed one) and returns the code point or kInvalid.
char32_t nextCodePoint(std::string_view text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    int extra = 0;
    char32_t cp = 0, min = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
        ++i;
        return kInvalid;
    }
    if (i + static_cast<size_t>(extra) >= text.size()) {
        ++i;
        return kInvalid;
    }
    for (int k = 1; k <= extra; ++k) {
        const uint8_t b = byte(i + static_cast<size_t>(k));
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kInvalid;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kInvalid;
    }
    i += static_cast<size_t>(extra) + 1;
    return cp;
}

bool xmlAllows(char32_t cp) {
    if (cp == kInvalid) return false;
    if (cp < 0x20) return cp == 0x09 || cp == 0x0A || cp == 0x0D;
    return cp != 0xFFFE && cp != 0xFFFF;
}

bool isControlOrNonCharacter(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0xFFFE || cp == 0xFFFF;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();)
        if (nextCodePoint(bytes, i) == kInvalid) return false;
    return true;
}

std::string xmlSafeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        if (xmlAllows(nextCodePoint(text, i)))
            out.append(text.substr(start, i - start));
        else
            out += "\xEF\xBF\xBD";
    }
    return out;
}

bool isPrintableText(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const char32_t cp = nextCodePoint(text, i);
        if (cp == kInvalid || isControlOrNonCharacter(cp)) return false;
    }
    return true;
}

}  // namespace lumetra
