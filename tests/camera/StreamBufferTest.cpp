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

// Starts a JPEG part and appends a picture of exactly `bytes` bytes; returns "changed".
bool takeWhole(StreamBuffer& b, size_t bytes) {
    b.partStarted("image/jpeg");
    append(b, std::string(bytes - 2, 'a') + "\xFF\xD9");
    return b.takePicture();
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
                        "a\xD9"));
    EXPECT_EQ(append(b, "C" + kEnd), "first A" + kEnd);
    EXPECT_EQ(b.iDataTotalLength(), 6 + 4 + 7 + 3);
}

TEST(StreamBufferCutting, MarkerSplitAcrossTwoChunksStillYieldsThePicture) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    EXPECT_FALSE(append(b, "picture\xFF"));
    EXPECT_EQ(append(b, "\xD9"), "picture" + kEnd);
}

TEST(StreamBufferCutting, JpegPartStartEmptiesTheBufferOtherTypesDoNot) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    append(b, "first ");
    b.partStarted("application/octet-stream");
    EXPECT_EQ(append(b, "rest" + kEnd), "first rest" + kEnd);
    b.partStarted("image/jpeg");
    EXPECT_EQ(b.iDataTotalLength(), 0);
    EXPECT_EQ(append(b, "new" + kEnd), "new" + kEnd);
}

TEST(StreamBufferChange, PicturesWithin80BytesAreUnchanged81OrMoreEitherWayChanged) {
    StreamBuffer b;
    EXPECT_TRUE(takeWhole(b, 10000));  // against 0
    EXPECT_FALSE(takeWhole(b, 10080));
    EXPECT_FALSE(takeWhole(b, 10000));
    EXPECT_TRUE(takeWhole(b, 10081));
    EXPECT_TRUE(takeWhole(b, 10000));
    b.reset();
    EXPECT_EQ(b.iNextDataLength(), 0);
    EXPECT_TRUE(takeWhole(b, 81));
}

TEST(StreamBufferLimit, PartOutgrowingTheLimitIsDroppedAndIgnoredUntilTheNextJpegPart) {
    StreamBuffer b(1000);
    b.partStarted("image/jpeg");
    EXPECT_EQ(append(b, std::string(998, 'p') + kEnd)->size(), 1000u) << "the limit itself fits";
    b.partStarted("image/jpeg");
    for (int i = 0; i < 50; ++i) EXPECT_FALSE(append(b, std::string(100, 'x')));
    EXPECT_EQ(b.droppedParts(), 1u);
    EXPECT_LE(b.capacity(), 1000u);
    EXPECT_FALSE(append(b, "tail" + kEnd));
    b.partStarted("text/plain");
    EXPECT_FALSE(append(b, "text" + kEnd)) << "a part of another type does not end the drop";
    b.partStarted("image/jpeg");
    EXPECT_EQ(append(b, "next" + kEnd), "next" + kEnd);
}

TEST(StreamBufferLimit, NonJpegPartsCannotGrowTheBufferWithoutBound) {
    StreamBuffer b(1000);
    for (int i = 0; i < 30; ++i) {
        b.partStarted("text/html");
        append(b, std::string(100, 'h'));
    }
    EXPECT_EQ(b.droppedParts(), 1u);
    EXPECT_LE(b.size(), 1000u);
}
