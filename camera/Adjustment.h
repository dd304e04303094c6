#pragma once
// The six picture adjustments, in slider order. The USB camera applies them to
// every frame itself; the WiFi camera is sent them as commands.

#include <cstdint>

namespace lumetra {

enum class Adjustment : uint8_t { Brightness, Contrast, Saturation, Hue, Sharpness, Gamma };

}  // namespace lumetra
