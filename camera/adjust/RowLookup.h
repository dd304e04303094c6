#pragma once
// Maps the colour channels of a BGRA row through a table of 256 levels, alpha kept.
// Byte by byte on every processor, or 64 bytes at a time with byte permutes on those
// that have them (AVX-512 VBMI), several times faster.

#include <cstdint>

namespace lumetra {

using RowLookup = void (*)(uint8_t* row, int width, const uint8_t* table);

void lookUpBytewise(uint8_t* row, int width, const uint8_t* table);
// Only where processorHasBytePermutes().
void lookUpByPermutes(uint8_t* row, int width, const uint8_t* table);
bool processorHasBytePermutes();

// The fastest of the two that this processor runs.
RowLookup fastestRowLookup();

}  // namespace lumetra
