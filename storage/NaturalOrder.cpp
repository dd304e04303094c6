#include "storage/NaturalOrder.h"

namespace lumetra {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "." first, then every other byte in byte order.
int rank(char c) { return c == '.' ? 0 : static_cast<unsigned char>(c) + 1; }

// Compares the digit runs starting at i and j by value and advances past them.
int compareNumbers(std::string_view a, size_t& i, std::string_view b, size_t& j) {
    while (i < a.size() && a[i] == '0' && i + 1 < a.size() && isDigit(a[i + 1])) ++i;
    while (j < b.size() && b[j] == '0' && j + 1 < b.size() && isDigit(b[j + 1])) ++j;
    size_t ei = i, ej = j;
    while (ei < a.size() && isDigit(a[ei])) ++ei;
    while (ej < b.size() && isDigit(b[ej])) ++ej;
    int result = 0;
    if (ei - i != ej - j) {
        result = ei - i < ej - j ? -1 : 1;
    } else {
        const int c = a.substr(i, ei - i).compare(b.substr(j, ej - j));
        result = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    i = ei;
    j = ej;
    return result;
}

}  // namespace

int naturalCompare(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            if (const int c = compareNumbers(a, i, b, j); c != 0) return c;
            continue;
        }
        const int ra = rank(a[i]), rb = rank(b[j]);
        if (ra != rb) return ra < rb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace lumetra
