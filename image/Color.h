#pragma once
// An RGB colour with components from 0 to 1, as the drawing settings hold it.

namespace lumetra {

struct RgbColor {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

inline constexpr RgbColor kPureRed{1.0, 0.0, 0.0};
inline constexpr RgbColor kPureBlue{0.0, 0.0, 1.0};

}  // namespace lumetra
