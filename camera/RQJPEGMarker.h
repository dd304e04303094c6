#pragma once
// The two JPEG markers as shared immutable byte pairs, built once on first use
// (function-local statics, initialised safely from any thread).

#include <array>
#include <cstdint>

namespace lumetra {

class RQJPEGMarker {
public:
    using Marker = std::array<uint8_t, 2>;

    // FF D8, start of image.
    static const Marker& JPEGStartMarker() {
        static const Marker marker{0xFF, 0xD8};
        return marker;
    }

    // FF D9, end of image.
    static const Marker& JPEGEndMarker() {
        static const Marker marker{0xFF, 0xD9};
        return marker;
    }
};

}  // namespace lumetra
