#include "storage/PlistNesting.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumetra {
namespace {

constexpr std::string_view kBinaryMagic = "bplist00";
constexpr size_t kTrailerSize = 32;

// The end of the construct opened at `from`, just past `close`; npos when it
// never closes or holds a '<' (which readers could take for a tag).
size_t skipPast(std::string_view bytes, size_t from, std::string_view close) {
    const size_t end = bytes.find(close, from);
    if (end == std::string_view::npos) return end;
    if (bytes.substr(from, end - from).find('<') != std::string_view::npos)
        return std::string_view::npos;
    return end + close.size();
}

bool xmlIsShallow(std::string_view bytes) {
    std::vector<std::string_view> open;
    size_t i = 0;
    while ((i = bytes.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = bytes.substr(i);
        size_t next = std::string_view::npos;
        if (rest.starts_with("<!--"))
            next = skipPast(bytes, i + 4, "-->");
        else if (rest.starts_with("<![CDATA["))
            next = skipPast(bytes, i + 9, "]]>");
        else if (rest.starts_with("<?"))
            next = skipPast(bytes, i + 2, "?>");
        else if (rest.starts_with("<!"))
            next = skipPast(bytes, i + 2, ">");
        if (rest.starts_with("<!") || rest.starts_with("<?")) {
            if (next == std::string_view::npos) return false;
            i = next;
            continue;
        }
        // An element tag: quoted values may hold '>', never '<'.
        size_t end = i + 1;
        char quote = 0;
        bool quoted = false;
        for (; end < bytes.size(); ++end) {
            const char c = bytes[end];
            if (c == '<') return false;
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
                quoted = true;
            } else if (c == '>') {
                break;
            }
        }
        if (end >= bytes.size()) return false;
        const bool closing = bytes[i + 1] == '/';
        const size_t nameStart = i + (closing ? 2 : 1);
        size_t nameEnd = nameStart;
        while (nameEnd < end && bytes[nameEnd] != '/' && bytes[nameEnd] != ' ' &&
               bytes[nameEnd] != '\t' && bytes[nameEnd] != '\r' && bytes[nameEnd] != '\n')
            ++nameEnd;
        const std::string_view name = bytes.substr(nameStart, nameEnd - nameStart);
        if (closing) {
            if (open.empty() || open.back() != name) return false;
            open.pop_back();
        } else if (quoted || bytes[end - 1] != '/') {
            // A tag with quotes counts as opened whatever it ends with: a reader
            // that ignores quotes may end it earlier.
            if (open.size() == kMaxPlistDepth) return false;
            open.push_back(name);
        }
        i = end + 1;
    }
    return true;
}

// A big-endian unsigned number of `size` bytes at `at`.
uint64_t readNumber(std::string_view bytes, size_t at, size_t size) {
    uint64_t value = 0;
    for (size_t k = 0; k < size; ++k) value = (value << 8) | static_cast<uint8_t>(bytes[at + k]);
    return value;
}

bool binaryIsShallow(std::string_view bytes) {
    if (bytes.size() < kBinaryMagic.size() + kTrailerSize) return false;
    const size_t trailer = bytes.size() - kTrailerSize;
    const size_t offsetSize = static_cast<uint8_t>(bytes[trailer + 6]);
    const size_t refSize = static_cast<uint8_t>(bytes[trailer + 7]);
    const uint64_t objects = readNumber(bytes, trailer + 8, 8);
    const uint64_t top = readNumber(bytes, trailer + 16, 8);
    const uint64_t table = readNumber(bytes, trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8 || objects == 0 ||
        top >= objects || table < kBinaryMagic.size() || table > trailer ||
        objects > (trailer - table) / offsetSize)
        return false;

    struct Pending {
        uint64_t object;
        size_t depth;
    };
    std::vector<Pending> pending{{top, 0}};
    std::vector<bool> stringChecked(objects);  // a shared string is read once
    size_t visited = 0;
    while (!pending.empty()) {
        const Pending current = pending.back();
        pending.pop_back();
        if (++visited > kMaxPlistObjects) return false;
        const uint64_t at = readNumber(bytes, table + current.object * offsetSize, offsetSize);
        if (at < kBinaryMagic.size() || at >= table) return false;
        const uint8_t marker = static_cast<uint8_t>(bytes[at]);
        const uint8_t type = marker >> 4;
        // Strings (ASCII, UTF-16), arrays, sets and dictionaries carry a count; other
        // objects are leaves that libplist reads safely.
        if (type != 0x5 && type != 0x6 && type != 0xA && type != 0xC && type != 0xD) continue;
        uint64_t count = marker & 0x0F;
        uint64_t refs = at + 1;
        if (count == 0x0F) {
            if (refs >= table) return false;
            const uint8_t countMarker = static_cast<uint8_t>(bytes[refs]);
            const size_t countSize = size_t{1} << (countMarker & 0x0F);
            if ((countMarker >> 4) != 0x1 || countSize > 8 || table - refs - 1 < countSize)
                return false;
            count = readNumber(bytes, refs + 1, countSize);
            refs += 1 + countSize;
        }
        if (type == 0x5 || type == 0x6) {
            // libplist asserts (and ends the process) on a string holding a NUL.
            if (stringChecked[current.object]) continue;
            stringChecked[current.object] = true;
            const size_t unit = type == 0x5 ? 1 : 2;
            if (count > (table - refs) / unit) return false;
            for (uint64_t k = 0; k < count; ++k)
                if (readNumber(bytes, refs + k * unit, unit) == 0) return false;
            continue;
        }
        if (current.depth + 1 > kMaxPlistDepth) return false;
        if (type == 0xD) {
            if (count > (table - refs) / 2) return false;
            count *= 2;  // the keys, then the values
        }
        if (count > (table - refs) / refSize) return false;
        for (uint64_t k = 0; k < count; ++k) {
            const uint64_t child = readNumber(bytes, refs + k * refSize, refSize);
            if (child >= objects) return false;
            pending.push_back({child, current.depth + 1});
            if (pending.size() > kMaxPlistObjects) return false;
        }
    }
    return true;
}

}  // namespace

bool plistIsShallow(std::string_view bytes) {
    return bytes.starts_with(kBinaryMagic) ? binaryIsShallow(bytes) : xmlIsShallow(bytes);
}

}  // namespace lumetra
