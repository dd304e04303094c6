#include "tools/camsim/MicrometerSlide.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tools/camsim/Glyphs.h"

namespace lumetra::camsim {
namespace {

// Smooth value noise on a grid of `cell` pixels, values 0..1.
class ValueNoise {
public:
    ValueNoise(int width, int height, int cell, std::mt19937& rng)
        : cell_(std::max(cell, 2)),
          cols_(width / cell_ + 2),
          rows_(height / cell_ + 2),
          values_(static_cast<size_t>(cols_) * static_cast<size_t>(rows_)) {
        std::uniform_real_distribution<float> dist(0.0f, 1.0f);
        for (float& v : values_) v = dist(rng);
    }

    float at(int x, int y) const {
        const int cx = x / cell_, cy = y / cell_;
        const float fx = smooth(static_cast<float>(x % cell_) / static_cast<float>(cell_));
        const float fy = smooth(static_cast<float>(y % cell_) / static_cast<float>(cell_));
        const float top = lerp(node(cx, cy), node(cx + 1, cy), fx);
        const float bottom = lerp(node(cx, cy + 1), node(cx + 1, cy + 1), fx);
        return lerp(top, bottom, fy);
    }

private:
    static float smooth(float t) { return t * t * (3.0f - 2.0f * t); }
    static float lerp(float a, float b, float t) { return a + (b - a) * t; }
    float node(int cx, int cy) const { return values_[static_cast<size_t>(cy * cols_ + cx)]; }

    int cell_, cols_, rows_;
    std::vector<float> values_;
};

void blendPixel(Frame& f, int x, int y, const uint8_t bgr[3], int alpha256) {
    if (x < 0 || y < 0 || x >= f.width || y >= f.height) return;
    uint8_t* p = f.row(y) + 4 * x;
    for (int c = 0; c < 3; ++c)
        p[c] = static_cast<uint8_t>((p[c] * (256 - alpha256) + bgr[c] * alpha256) >> 8);
}

void fillRect(Frame& f, int x0, int y0, int x1, int y1, const uint8_t bgr[3], int alpha256) {
    for (int y = std::max(y0, 0); y < std::min(y1, f.height); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, f.width); ++x)
            blendPixel(f, x, y, bgr, alpha256);
}

void paintBackground(Frame& f, std::mt19937& rng) {
    const int unit = std::max(f.width, 320) / 320;  // texture scale follows the resolution
    const ValueNoise coarse(f.width, f.height, 40 * unit, rng);
    const ValueNoise fine(f.width, f.height, 9 * unit, rng);
    const float cx = static_cast<float>(f.width) / 2.0f, cy = static_cast<float>(f.height) / 2.0f;
    const float maxR2 = cx * cx + cy * cy;
    for (int y = 0; y < f.height; ++y) {
        uint8_t* row = f.row(y);
        for (int x = 0; x < f.width; ++x) {
            const float n = 0.65f * coarse.at(x, y) + 0.35f * fine.at(x, y);
            const float dx = static_cast<float>(x) - cx, dy = static_cast<float>(y) - cy;
            const float light = (0.82f + 0.22f * n) * (1.0f - 0.22f * (dx * dx + dy * dy) / maxR2);
            row[4 * x + 0] = static_cast<uint8_t>(std::clamp(196.0f * light, 0.0f, 255.0f));
            row[4 * x + 1] = static_cast<uint8_t>(std::clamp(214.0f * light, 0.0f, 255.0f));
            row[4 * x + 2] = static_cast<uint8_t>(std::clamp(226.0f * light, 0.0f, 255.0f));
            row[4 * x + 3] = 255;
        }
    }
}

void paintDebris(Frame& f, std::mt19937& rng) {
    const int unit = std::max(f.width, 320) / 320;
    const uint8_t dust[3] = {70, 88, 104};
    std::uniform_int_distribution<int> xs(0, f.width - 1), ys(0, f.height - 1);
    std::uniform_int_distribution<int> radius(1, 3 * unit), alpha(60, 150);
    const int specks = f.width * f.height / 9000;
    for (int i = 0; i < specks; ++i) {
        const int x0 = xs(rng), y0 = ys(rng), r = radius(rng), a = alpha(rng);
        for (int y = -r; y <= r; ++y)
            for (int x = -r; x <= r; ++x)
                if (x * x + y * y <= r * r) blendPixel(f, x0 + x, y0 + y, dust, a);
    }
    // Fibres: gently curving threads.
    const uint8_t fibre[3] = {120, 130, 150};
    std::uniform_real_distribution<double> turn(-0.25, 0.25), heading(0.0, 6.2832);
    for (int i = 0; i < 6; ++i) {
        double x = xs(rng), y = ys(rng), angle = heading(rng);
        for (int step = 0; step < 90 * unit; ++step) {
            angle += turn(rng) * 0.3;
            x += std::cos(angle);
            y += std::sin(angle);
            for (int w = 0; w < unit; ++w)
                blendPixel(f, static_cast<int>(x) + w, static_cast<int>(y), fibre, 110);
        }
    }
}

void paintScale(Frame& f, int width, int height, int margin) {
    const ScaleGeometry g = scaleGeometry(width, height);
    const uint8_t ink[3] = {42, 38, 36};
    const int alpha = 235;
    const int thick = std::max(1, width / 800);
    const int baseline = g.baselineY + margin;
    const int first = static_cast<int>(std::lround(g.firstTickX)) + margin;
    const int last = static_cast<int>(std::lround(g.firstTickX + 100 * g.spacing)) + margin;
    fillRect(f, first, baseline, last + thick, baseline + thick, ink, alpha);

    const int scale = std::max(1, height / 240);
    for (int i = 0; i <= 100; ++i) {
        const int x = static_cast<int>(std::lround(g.firstTickX + i * g.spacing)) + margin;
        const int length = i % 10 == 0  ? g.majorLength
                           : i % 5 == 0 ? g.majorLength * 2 / 3
                                        : g.majorLength * 2 / 5;
        fillRect(f, x, baseline - length, x + thick, baseline, ink, alpha);
        if (i % 10 == 0) {
            const std::string number = std::to_string(i / 10);
            drawText(f, number, x - textWidth(number, scale) / 2,
                     baseline - length - (kGlyphHeight + 2) * scale, scale, ink, 0.92f);
        }
    }
    const std::string label = "0.01mm";
    drawText(f, label, last - textWidth(label, scale), baseline + 3 * scale, scale, ink, 0.92f);
}

}  // namespace

ScaleGeometry scaleGeometry(int width, int height) {
    ScaleGeometry g;
    g.spacing = 0.8 * width / 100.0;
    g.firstTickX = 0.1 * width;
    g.baselineY = height / 2 + height / 12;
    g.majorLength = std::max(6, height / 8);
    return g;
}

Frame renderMicrometerSlide(int width, int height, int margin, uint32_t seed) {
    Frame f = Frame::allocate(width + 2 * margin, height + 2 * margin);
    if (f.isNull()) return f;
    std::mt19937 rng(seed);
    paintBackground(f, rng);
    paintDebris(f, rng);
    paintScale(f, width, height, margin);
    return f;
}

}  // namespace lumetra::camsim
