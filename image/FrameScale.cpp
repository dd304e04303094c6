#include "image/FrameScale.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace lumetra {
namespace {

// OpenCV's scaling runs SSE code, which stalls on every instruction while the
// upper halves of the AVX registers hold values that code elsewhere in the
// program (the toolkit's drawing) left there: clearing them first makes the
// scaling three times as fast.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) void clearAvxUpperHalves() { _mm256_zeroupper(); }
void beforeSseCode() {
    if (__builtin_cpu_supports("avx")) clearAvxUpperHalves();
}
#else
void beforeSseCode() {}
#endif

}  // namespace

void scaleBilinear(const BgraPixels& source, const BgraTarget& target) {
    if (!source.data || !target.data || source.width <= 0 || source.height <= 0 ||
        target.width <= 0 || target.height <= 0)
        return;
    // One thread: OpenCV's pool costs more CPU than it saves wall time here
    // (bench/README.md).
    static const bool oneThread = (cv::setNumThreads(1), true);
    (void)oneThread;
    const cv::Mat from(source.height, source.width, CV_8UC4, const_cast<uint8_t*>(source.data),
                       static_cast<size_t>(source.stride));
    // The target's own memory: resize writes into it, as it has the size and type asked.
    cv::Mat into(target.height, target.width, CV_8UC4, target.data,
                 static_cast<size_t>(target.stride));
    beforeSseCode();
    cv::resize(from, into, into.size(), 0.0, 0.0, cv::INTER_LINEAR);
}

}  // namespace lumetra
