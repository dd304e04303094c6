#include "camera/adjust/RowLookup.h"

#include <cstddef>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace lumetra {

void lookUpBytewise(uint8_t* __restrict row, int width, const uint8_t* __restrict table) {
    for (int x = 0; x < width; ++x, row += 4) {
        row[0] = table[row[0]];
        row[1] = table[row[1]];
        row[2] = table[row[2]];
    }
}

#if defined(__x86_64__)
// The table sits in four registers: bit 6 of a byte picks the register of a pair,
// bit 7 the pair. The last bytes of the row go through masked loads and stores, and
// alpha bytes are never stored.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void lookUpByPermutes(
    uint8_t* __restrict row, int width, const uint8_t* __restrict table) {
    const __m512i t0 = _mm512_loadu_si512(table), t1 = _mm512_loadu_si512(table + 64),
                  t2 = _mm512_loadu_si512(table + 128), t3 = _mm512_loadu_si512(table + 192);
    constexpr __mmask64 kColour = 0x7777777777777777;
    const ptrdiff_t n = 4 * static_cast<ptrdiff_t>(width);
    for (ptrdiff_t i = 0; i < n; i += 64) {
        const __mmask64 inside = n - i >= 64 ? ~__mmask64{0} : (__mmask64{1} << (n - i)) - 1;
        const __m512i v = _mm512_maskz_loadu_epi8(inside, row + i);
        const __m512i low = _mm512_permutex2var_epi8(t0, v, t1);
        const __m512i high = _mm512_permutex2var_epi8(t2, v, t3);
        _mm512_mask_storeu_epi8(row + i, inside & kColour,
                                _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), low, high));
    }
}

bool processorHasBytePermutes() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vbmi");
}
#else
// Other processors have no such permutes; never called there.
void lookUpByPermutes(uint8_t* row, int width, const uint8_t* table) {
    lookUpBytewise(row, width, table);
}

bool processorHasBytePermutes() { return false; }
#endif

RowLookup fastestRowLookup() {
    return processorHasBytePermutes() ? lookUpByPermutes : lookUpBytewise;
}

}  // namespace lumetra
