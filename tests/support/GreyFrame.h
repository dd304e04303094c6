#pragma once
// A test picture of one grey level, every byte of it (alpha too) at that level.

#include <cstdint>
#include <cstring>

#include "image/Frame.h"

namespace lumetra::test {

inline Frame greyFrame(int width, int height, uint8_t level = 0x80) {
    Frame frame = Frame::allocate(width, height);
    std::memset(frame.data.get(), level, frame.byteCount());
    return frame;
}

}  // namespace lumetra::test
