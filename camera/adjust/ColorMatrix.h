#pragma once
// An affine colour transform on normalised RGB (0..1): out = m * rgb + offset.
// Colour controls and hue rotation are both such transforms, so consecutive ones
// fold into a single matrix and cost one pass over the frame.

#include <array>

namespace lumetra {

struct ColorMatrix {
    // Rows are output red, green, blue; columns input red, green, blue.
    std::array<std::array<double, 3>, 3> m{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    std::array<double, 3> offset{0, 0, 0};

    // Saturation mixes each colour with its luminance, brightness adds, contrast
    // stretches around mid-grey, in that order; (0, 1, 1) is the identity.
    static ColorMatrix colorControls(double brightness, double contrast, double saturation);
    // Rotation of the hue about the grey axis by an angle in radians, keeping luminance.
    static ColorMatrix hueRotation(double radians);

    // This transform applied after `first`.
    ColorMatrix after(const ColorMatrix& first) const;
};

}  // namespace lumetra
