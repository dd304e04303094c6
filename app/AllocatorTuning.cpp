#include "app/AllocatorTuning.h"

#include <malloc.h>

namespace lumetra {

bool keepLargeBlocksMapped() {
    // Setting the threshold also ends glibc's dynamic adjustment of it.
    constexpr int kThreshold = 128 * 1024;
    return mallopt(M_MMAP_THRESHOLD, kThreshold) == 1;
}

}  // namespace lumetra
