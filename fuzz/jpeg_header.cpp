// The header check every outside picture passes: no input makes the decoder
// commit memory beyond the pixel budget, and a picture that decodes has the size
// its checked header gives.

#include "FuzzCheck.h"
#include "image/JpegCodec.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto info = checkJpegHeader(data, size);
    if (info) FUZZ_CHECK(info->width <= kMaxJpegSide && info->height <= kMaxJpegSide);
    const auto frame = decodeJpeg(data, size);
    if (frame) {
        FUZZ_CHECK(info && frame->width == info->width && frame->height == info->height);
    }
    const auto thumb = decodeJpegScaled(data, size, 64);
    if (thumb) FUZZ_CHECK(info && thumb->width <= info->width && thumb->height <= info->height);
    return 0;
}
