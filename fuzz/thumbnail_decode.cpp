// The thumbnail and preview decode takes any file: no input makes it hold more memory
// at once than the file's bytes, the decoder's budget and a small allowance for the
// decoder's row buffers; a picture it gives fits the asked size.

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <string>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "image/JpegCodec.h"
#include "storage/ThumbnailDecode.h"

using namespace lumetra;

namespace {

// Bytes allocated and not yet freed, and the most of them since the last reset.
std::atomic<size_t> live{0};
std::atomic<size_t> peak{0};

void allocated(const volatile void*, size_t size) {
    const size_t now = live.fetch_add(size) + size;
    size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}

void freed(const volatile void* ptr) {
    if (ptr) live.fetch_sub(__sanitizer_get_allocated_size(const_cast<const void*>(ptr)));
}

const bool hooked = __sanitizer_install_malloc_and_free_hooks(allocated, freed) != 0;

constexpr size_t kAllowance = size_t{8} << 20;

// The decode's peak of memory held beyond what was held before it.
template <typename Decode>
size_t peakGrowth(Decode decode) {
    const size_t before = live.load();
    peak = before;
    decode();
    return peak.load() - before;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FUZZ_CHECK(hooked);
    const std::string path = ScratchFolder::path() + "/picture.jpg";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const size_t limit = 2 * size + kJpegDecodeBudget + kAllowance;
    for (const int maxSide : {64, 4096}) {
        std::optional<Frame> thumb, picture;
        FUZZ_CHECK(peakGrowth([&] { thumb = decodeThumbnail(path, maxSide); }) <= limit);
        FUZZ_CHECK(peakGrowth([&] { picture = decodePictureFile(path, maxSide); }) <= limit);
        if (thumb) FUZZ_CHECK(thumb->width <= maxSide && thumb->height <= maxSide);
        if (picture) {
            const auto info = checkJpegHeader(data, size);
            FUZZ_CHECK(info && picture->width <= info->width && picture->height <= info->height);
            FUZZ_CHECK(size_t{4} * picture->width * picture->height <= kJpegDecodeBudget);
        }
    }
    return 0;
}
