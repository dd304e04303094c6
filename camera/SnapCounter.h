#pragma once
// The camera's photo counter as last seen (iSnapNumber). The connect step sets it
// from the settings page, and the stream's "photo_cnt" part header advances it:
// each value greater than the last seen one is one press of the camera's shutter
// button and asks for one snapshot. Safe to use from any thread.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra {

// Reads a counter value: optional leading spaces, an optional sign, decimal digits,
// stopping at the first other character. nullopt when there are no digits or the
// number does not fit.
std::optional<int64_t> parsePhotoCount(std::string_view text);

class SnapCounter {
public:
    explicit SnapCounter(int64_t initial = 0) : iSnapNumber_(initial) {}

    int64_t value() const { return iSnapNumber_.load(); }
    void set(int64_t value) { iSnapNumber_.store(value); }

    // Stores value when it is greater than the current one (signed comparison) and
    // returns true; otherwise leaves the counter as it is and returns false.
    bool advance(int64_t value);

private:
    std::atomic<int64_t> iSnapNumber_;
};

}  // namespace lumetra
