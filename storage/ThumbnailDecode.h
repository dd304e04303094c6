#pragma once
// Decoding one JPEG file into a small thumbnail, never holding the full-size
// picture: libjpeg-turbo decodes at a reduced scale, and a picture still larger
// than wanted is reduced further by averaging blocks of pixels.

#include <optional>
#include <string>

#include "image/Frame.h"

namespace lumetra {

// A thumbnail whose sides are at most maxSide; nullopt when the file cannot be
// read or decoded, or its picture is beyond the decoder's pixel budget.
std::optional<Frame> decodeThumbnail(const std::string& path, int maxSide);

// The frame reduced by a whole factor (each output pixel the mean of a block)
// so that both sides are at most maxSide; the frame itself when it fits.
Frame shrinkToFit(const Frame& frame, int maxSide);

}  // namespace lumetra
