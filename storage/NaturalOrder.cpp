#include "storage/NaturalOrder.h"

namespace lumetra {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int sign(int c) { return c < 0 ? -1 : (c > 0 ? 1 : 0); }

}  // namespace

// Each byte outside a digit run becomes one key byte: "." 0, bytes below "." one
// more than their value, the others their value. A digit run becomes '0' (no
// other byte maps into '0'..'9', and a digit meeting any other byte compares as
// any digit does), then the length of its value (leading zeros dropped): the
// count of its bytes and its bytes, most significant first; then the digits of
// the value. No run's key is the start of another's, so a name that is the
// start of another sorts first, as it should.
void appendNaturalSortKey(std::string& key, std::string_view name) {
    size_t i = 0;
    while (i < name.size()) {
        const char c = name[i];
        if (!isDigit(c)) {
            key += c == '.' ? '\0' : (c < '.' && c >= 0 ? static_cast<char>(c + 1) : c);
            ++i;
            continue;
        }
        while (name[i] == '0' && i + 1 < name.size() && isDigit(name[i + 1])) ++i;
        size_t end = i;
        while (end < name.size() && isDigit(name[end])) ++end;
        key += '0';
        const size_t length = end - i;
        int bytes = 1;
        while (bytes < static_cast<int>(sizeof length) && (length >> (8 * bytes)) != 0) ++bytes;
        key += static_cast<char>(bytes);
        for (int b = bytes - 1; b >= 0; --b) key += static_cast<char>((length >> (8 * b)) & 0xFF);
        key.append(name.substr(i, length));
        i = end;
    }
}

int naturalCompare(std::string_view a, std::string_view b) {
    std::string keyA, keyB;
    appendNaturalSortKey(keyA, a);
    appendNaturalSortKey(keyB, b);
    if (const int c = keyA.compare(keyB); c != 0) return sign(c);
    return sign(a.compare(b));
}

}  // namespace lumetra
