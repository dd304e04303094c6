#include "camera/SnapCounter.h"

#include <charconv>

namespace lumetra {

std::optional<int64_t> parsePhotoCount(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (ec != std::errc() || end == text.data()) return std::nullopt;
    constexpr uint64_t kMax = static_cast<uint64_t>(INT64_MAX);
    if (negative) {
        if (magnitude > kMax + 1) return std::nullopt;
        return magnitude == kMax + 1 ? INT64_MIN : -static_cast<int64_t>(magnitude);
    }
    if (magnitude > kMax) return std::nullopt;
    return static_cast<int64_t>(magnitude);
}

bool SnapCounter::advance(int64_t value) {
    int64_t current = iSnapNumber_.load();
    while (value > current) {
        if (iSnapNumber_.compare_exchange_weak(current, value)) return true;
    }
    return false;
}

}  // namespace lumetra
