#include <gtest/gtest.h>

#include <cstring>

#include "tools/camsim/Glyphs.h"

using namespace lumetra;
using namespace lumetra::camsim;

namespace {

Frame white(int w, int h) {
    Frame f = Frame::allocate(w, h);
    std::memset(f.data.get(), 255, f.byteCount());
    return f;
}

int inkPixels(const Frame& f) {
    int n = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) n += f.row(y)[4 * x] < 128 ? 1 : 0;
    return n;
}

const uint8_t kBlack[3] = {0, 0, 0};

}  // namespace

TEST(ScaleGlyphs, DigitsDotAndLetterMAreKnownOthersAreNot) {
    for (char c : std::string("0123456789.m ")) EXPECT_NE(glyphRows(c), nullptr) << c;
    EXPECT_EQ(glyphRows('x'), nullptr);
    EXPECT_EQ(textWidth("10", 2), 2 * 6 * 2 - 2);
    EXPECT_EQ(textWidth("", 3), 0);
}

TEST(ScaleGlyphs, TextIsDrawnScaledAndClippedAtTheFrameEdges) {
    Frame f = white(40, 20);
    drawText(f, "1", 0, 0, 2, kBlack, 1.0f);
    // The glyph "1" has 10 set cells; at scale 2 each is 4 pixels.
    EXPECT_EQ(inkPixels(f), 10 * 4);

    Frame edge = white(8, 8);
    drawText(edge, "88x", -3, -5, 3, kBlack, 1.0f);  // partly outside: no crash, some ink
    EXPECT_GT(inkPixels(edge), 0);
    Frame outside = white(8, 8);
    drawText(outside, "8", 100, 100, 1, kBlack, 1.0f);
    EXPECT_EQ(inkPixels(outside), 0);
}
