#pragma once
// Decoding one JPEG file into a small thumbnail, never holding the full-size
// picture: the preview a snapshot carries (an EXIF thumbnail) when it is large
// enough; otherwise libjpeg-turbo decodes at a reduced scale, and a picture still
// larger than wanted is reduced further by averaging blocks of pixels.

#include <optional>
#include <string>

#include "image/Frame.h"

namespace lumetra {

// A picture file decoded at the libjpeg-turbo scale that keeps both sides at most
// maxSide, within the decoder's memory budget; the file is read only up to a size cap.
// nullopt when the file cannot be read, is larger than the cap, or does not decode
// within the budget.
std::optional<Frame> decodePictureFile(const std::string& path, int maxSide);

// A thumbnail whose sides are at most maxSide; nullopt when the file cannot be
// read or decoded, or its picture is beyond the decoder's budget. An embedded
// thumbnail is taken when its longer side is at least three quarters of maxSide.
std::optional<Frame> decodeThumbnail(const std::string& path, int maxSide);

}  // namespace lumetra
