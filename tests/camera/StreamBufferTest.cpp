#include <gtest/gtest.h>

#include <string>

#include "camera/StreamBuffer.h"

using namespace lumetra;

namespace {

std::optional<std::string> append(StreamBuffer& b, const std::string& chunk) {
    const auto picture = b.append(reinterpret_cast<const uint8_t*>(chunk.data()), chunk.size());
    if (!picture) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(picture->data()), picture->size());
}

const std::string kEnd = "\xFF\xD9";

}  // namespace

TEST(StreamBufferCutting, PictureIsCutAtTheFirstMarkerOnEveryChunkThatCompletesOne) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    EXPECT_FALSE(append(b, "first "));
    EXPECT_EQ(append(b, "A" + kEnd + "B"), "first A" + kEnd);
    EXPECT_FALSE(append(b,
                        "more\xFF"
                        "a\xD9"))
        << "FF and D9 apart are no marker";
    EXPECT_EQ(append(b, "C" + kEnd), "first A" + kEnd);
    EXPECT_EQ(b.iDataTotalLength(), 6 + 4 + 7 + 3);
}

TEST(StreamBufferLimit, PartsOutgrowingTheLimitAreDroppedUntilTheNextJpegPart) {
    StreamBuffer b(1000);
    b.partStarted("image/jpeg");
    EXPECT_EQ(append(b, std::string(998, 'p') + kEnd)->size(), 1000u) << "the limit itself fits";
    b.partStarted("image/jpeg");
    for (int i = 0; i < 50; ++i) EXPECT_FALSE(append(b, std::string(100, 'x')));
    EXPECT_EQ(b.droppedParts(), 1u);
    EXPECT_LE(b.capacity(), 1000u);
    b.partStarted("text/plain");
    EXPECT_FALSE(append(b, "text" + kEnd)) << "a part of another type does not end the drop";
    b.partStarted("image/jpeg");
    EXPECT_EQ(append(b, "next" + kEnd), "next" + kEnd);

    for (int i = 0; i < 30; ++i) {  // parts of another type add up to the limit too
        b.partStarted("text/html");
        append(b, std::string(100, 'h'));
    }
    EXPECT_EQ(b.droppedParts(), 2u);
    EXPECT_LE(b.size(), 1000u);
}
