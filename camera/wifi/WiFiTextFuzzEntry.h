#pragma once
// One pure entry point over arbitrary bytes for fuzzing everything that reads a WiFi
// camera's text answers: the line helpers, the number rule, both settings parsers, the
// lists built from them, resolution titles, the probe decision and the counter answer.
// It must never crash, hang or read out of bounds, whatever the bytes.

#include <cstddef>
#include <cstdint>

namespace lumetra {

void exerciseWiFiText(const uint8_t* data, size_t size);

}  // namespace lumetra
