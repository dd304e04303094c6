#pragma once
// The largest picture a live camera may deliver: the size it announced or negotiated, with
// a margin of one 16-pixel block a side for cameras that pad their pictures to whole
// blocks. A larger picture is broken, refused on its header before memory is committed.

#include "image/JpegCodec.h"

namespace lumetra {

inline constexpr int kLiveFrameMargin = 16;

inline JpegInfo liveFrameLimit(int width, int height) {
    return {width + kLiveFrameMargin, height + kLiveFrameMargin};
}

}  // namespace lumetra
