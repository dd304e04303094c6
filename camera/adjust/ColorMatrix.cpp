#include "camera/adjust/ColorMatrix.h"

#include <cmath>

namespace lumetra {
namespace {

// Rec. 709 luminance weights.
constexpr double kLumaR = 0.2125, kLumaG = 0.7154, kLumaB = 0.0721;

}  // namespace

ColorMatrix ColorMatrix::colorControls(double brightness, double contrast, double saturation) {
    const double w[3] = {kLumaR, kLumaG, kLumaB};
    ColorMatrix c;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col)
            c.m[row][col] =
                contrast * ((1.0 - saturation) * w[col] + (row == col ? saturation : 0));
        c.offset[row] = contrast * (brightness - 0.5) + 0.5;
    }
    return c;
}

ColorMatrix ColorMatrix::hueRotation(double radians) {
    const double co = std::cos(radians), si = std::sin(radians);
    ColorMatrix h;
    h.m = {{{0.213 + co * 0.787 - si * 0.213, 0.715 - co * 0.715 - si * 0.715,
             0.072 - co * 0.072 + si * 0.928},
            {0.213 - co * 0.213 + si * 0.143, 0.715 + co * 0.285 + si * 0.140,
             0.072 - co * 0.072 - si * 0.283},
            {0.213 - co * 0.213 - si * 0.787, 0.715 - co * 0.715 + si * 0.715,
             0.072 + co * 0.928 + si * 0.072}}};
    return h;
}

ColorMatrix ColorMatrix::after(const ColorMatrix& first) const {
    ColorMatrix r;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            r.m[row][col] = 0;
            for (int k = 0; k < 3; ++k) r.m[row][col] += m[row][k] * first.m[k][col];
        }
        r.offset[row] = offset[row];
        for (int k = 0; k < 3; ++k) r.offset[row] += m[row][k] * first.offset[k];
    }
    return r;
}

}  // namespace lumetra
