#include "tools/camsim/PictureAdjustments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace lumetra::camsim {
namespace {

uint8_t clampByte(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

void sharpen(Frame& f, double amount) {
    // Box-blurred copy, then out = in + amount * (in - blur); amount -1 gives the blur itself.
    const Frame src = f.clone();
    for (int y = 0; y < f.height; ++y) {
        const uint8_t* up = src.row(std::max(y - 1, 0));
        const uint8_t* mid = src.row(y);
        const uint8_t* down = src.row(std::min(y + 1, f.height - 1));
        uint8_t* out = f.row(y);
        for (int x = 0; x < f.width; ++x) {
            const int l = 4 * std::max(x - 1, 0), c = 4 * x, r = 4 * std::min(x + 1, f.width - 1);
            for (int ch = 0; ch < 3; ++ch) {
                const int sum = up[l + ch] + up[c + ch] + up[r + ch] + mid[l + ch] + mid[c + ch] +
                                mid[r + ch] + down[l + ch] + down[c + ch] + down[r + ch];
                const double blur = sum / 9.0;
                out[c + ch] = clampByte(mid[c + ch] + amount * (mid[c + ch] - blur));
            }
        }
    }
}

// Saturation and hue rotation as one 3 x 3 matrix on (R, G, B), luminance preserving.
std::array<double, 9> colourMatrix(double saturation, double hueRadians) {
    const double lr = 0.213, lg = 0.715, lb = 0.072;
    const double s = saturation;
    const std::array<double, 9> sat = {lr + (1 - lr) * s, lg - lg * s,       lb - lb * s,
                                       lr - lr * s,       lg + (1 - lg) * s, lb - lb * s,
                                       lr - lr * s,       lg - lg * s,       lb + (1 - lb) * s};
    const double c = std::cos(hueRadians), n = std::sin(hueRadians);
    const std::array<double, 9> hue = {
        lr + c * (1 - lr) - n * lr, lg - c * lg - n * lg,          lb - c * lb + n * (1 - lb),
        lr - c * lr + n * 0.143,    lg + c * (1 - lg) + n * 0.140, lb - c * lb - n * 0.283,
        lr - c * lr - n * (1 - lr), lg - c * lg + n * lg,          lb + c * (1 - lb) + n * lb};
    std::array<double, 9> m{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) m[3 * i + j] += hue[3 * i + k] * sat[3 * k + j];
    return m;
}

std::array<uint8_t, 256> toneCurve(const Adjustments& a) {
    const double exponent = std::pow(2.0, -a.gamma);  // above default: lighter mid-tones
    const double contrast = std::max(0.0, 1.0 + a.contrast);
    const double brightness = a.brightness * 0.4;
    std::array<uint8_t, 256> lut{};
    for (int i = 0; i < 256; ++i) {
        double v = std::pow(i / 255.0, exponent);
        v = (v - 0.5) * contrast + 0.5 + brightness;
        lut[static_cast<size_t>(i)] = clampByte(v * 255.0);
    }
    return lut;
}

}  // namespace

void applyAdjustments(Frame& frame, const Adjustments& a) {
    if (frame.isNull() || a.neutral()) return;
    if (a.sharpness != 0) sharpen(frame, a.sharpness > 0 ? 1.5 * a.sharpness : a.sharpness);

    const bool colour = a.saturation != 0 || a.hue != 0;
    const auto m = colourMatrix(1.0 + a.saturation, a.hue * std::numbers::pi);
    const auto lut = toneCurve(a);
    for (int y = 0; y < frame.height; ++y) {
        uint8_t* p = frame.row(y);
        for (int x = 0; x < frame.width; ++x, p += 4) {
            if (colour) {
                const double r = p[2], g = p[1], b = p[0];
                p[2] = clampByte(m[0] * r + m[1] * g + m[2] * b);
                p[1] = clampByte(m[3] * r + m[4] * g + m[5] * b);
                p[0] = clampByte(m[6] * r + m[7] * g + m[8] * b);
            }
            p[0] = lut[p[0]];
            p[1] = lut[p[1]];
            p[2] = lut[p[2]];
        }
    }
}

}  // namespace lumetra::camsim
