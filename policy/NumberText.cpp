#include "policy/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

namespace lumetra {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t skipSpace(std::string_view text, size_t pos) {
    while (pos < text.size() && isSpace(text[pos])) ++pos;
    return pos;
}

bool onlySpaceFrom(std::string_view text, size_t pos) {
    return skipSpace(text, pos) == text.size();
}

size_t skipDigits(std::string_view text, size_t pos) {
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    return pos;
}

// Length of the decimal number at the start of text (sign, digits, point, fraction,
// exponent), or 0 when there is none. An exponent without digits is not part of it.
size_t decimalLength(std::string_view text) {
    size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const size_t intStart = pos;
    pos = skipDigits(text, pos);
    size_t digits = pos - intStart;
    if (pos < text.size() && text[pos] == '.') {
        const size_t fracStart = pos + 1;
        const size_t fracEnd = skipDigits(text, fracStart);
        digits += fracEnd - fracStart;
        pos = fracEnd;
    }
    if (digits == 0) return 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        size_t exp = pos + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
        const size_t expEnd = skipDigits(text, exp);
        if (expEnd > exp) pos = expEnd;
    }
    return pos;
}

// strtof on a copy of the scanned token, so the locale-free token is read whole.
std::optional<float> parseDecimal(std::string_view token) {
    std::string copy(token);
    if (!copy.empty() && copy.front() == '+') copy.erase(0, 1);
    float value = 0.0f;
    const auto [end, ec] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as 0 like any scanner; overflow has no float value.
        const double wide = std::strtod(copy.c_str(), nullptr);
        if (std::isinf(wide) || std::fabs(wide) > 3.4028234663852886e38) return std::nullopt;
        return 0.0f;
    }
    if (ec != std::errc() || end != copy.data() + copy.size()) return std::nullopt;
    return value;
}

}  // namespace

bool isPureInt(std::string_view text) {
    size_t pos = skipSpace(text, 0);
    const size_t start = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const size_t digitsStart = pos;
    pos = skipDigits(text, pos);
    if (pos == digitsStart) return false;
    std::string_view token = text.substr(start, pos - start);
    if (token.front() == '+') token.remove_prefix(1);
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size()) return false;
    return onlySpaceFrom(text, pos);
}

bool isPureFloat(std::string_view text) {
    const size_t start = skipSpace(text, 0);
    const size_t length = decimalLength(text.substr(start));
    if (length == 0) return false;
    if (!parseDecimal(text.substr(start, length))) return false;
    return onlySpaceFrom(text, start + length);
}

}  // namespace lumetra
