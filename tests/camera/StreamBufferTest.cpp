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

// ---- Cutting the picture ----

TEST(StreamBufferCutting, PictureIsCutWhenTheMarkerArrivesInALaterChunk) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    EXPECT_FALSE(append(b,
                        "\xFF\xD8"
                        "first half "));
    EXPECT_EQ(append(b, "second half" + kEnd),
              "\xFF\xD8"
              "first half second half" +
                  kEnd);
    EXPECT_EQ(b.iDataTotalLength(), 2 + 11 + 11 + 2);
}

TEST(StreamBufferCutting, TwoMarkersInAPartYieldThePictureUpToTheFirstOnEachMarkerChunk) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    EXPECT_EQ(append(b, "A" + kEnd + "B"), "A" + kEnd);
    EXPECT_FALSE(append(b, "more"));
    EXPECT_EQ(append(b, "C" + kEnd), "A" + kEnd);
}

TEST(StreamBufferCutting, MarkerSplitAcrossTwoChunksStillYieldsThePicture) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    EXPECT_FALSE(append(b, "picture\xFF"));
    EXPECT_EQ(append(b, "\xD9"), "picture" + kEnd);
}

TEST(StreamBufferCutting, LoneFFAndD9InSeparatePlacesAreNoMarker) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    EXPECT_FALSE(append(b,
                        "\xFF"
                        "a"));
    EXPECT_FALSE(append(b, "\xD9\xFF"));
    EXPECT_FALSE(append(b, std::string("\x00\xD9", 2)));
}

TEST(StreamBufferCutting, JpegPartStartEmptiesTheBufferOtherTypesDoNot) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    append(b, "first ");
    b.partStarted("application/octet-stream");
    EXPECT_EQ(append(b, "rest" + kEnd), "first rest" + kEnd);
    b.partStarted("image/jpeg");
    EXPECT_EQ(b.size(), 0u);
    EXPECT_EQ(b.iDataTotalLength(), 0);
    EXPECT_EQ(append(b, "new" + kEnd), "new" + kEnd);
}

TEST(StreamBufferCutting, FindEndMarkerReportsTheOffsetAfterTheFirstMarker) {
    const std::string s = "ab\xFF\xFF\xD9x\xFF\xD9";
    const auto* d = reinterpret_cast<const uint8_t*>(s.data());
    EXPECT_EQ(findEndMarker(d, s.size()), 5u);
    EXPECT_EQ(findEndMarker(d, s.size(), 5), 8u);
    EXPECT_FALSE(findEndMarker(d, 4));
    EXPECT_FALSE(findEndMarker(d, 0));
}

// ---- The 81-byte change rule ----

TEST(StreamBufferChange, PictureWithin80BytesOfThePreviousIsUnchanged) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    append(b, std::string(9998, 'a') + kEnd);  // 10 000 bytes
    EXPECT_TRUE(b.takePicture());              // against 0
    b.partStarted("image/jpeg");
    append(b, std::string(10078, 'a') + kEnd);  // 10 080 bytes
    EXPECT_FALSE(b.takePicture());
    EXPECT_EQ(b.iNextDataLength(), 10080);
    b.partStarted("image/jpeg");
    append(b, std::string(9998, 'a') + kEnd);  // 10 000: 80 smaller
    EXPECT_FALSE(b.takePicture());
}

TEST(StreamBufferChange, PictureThatDiffersBy81BytesEitherWayIsChanged) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    append(b, std::string(9998, 'a') + kEnd);
    b.takePicture();
    b.partStarted("image/jpeg");
    append(b, std::string(10079, 'a') + kEnd);  // 10 081
    EXPECT_TRUE(b.takePicture());
    b.partStarted("image/jpeg");
    append(b, std::string(9998, 'a') + kEnd);  // 10 000: 81 smaller
    EXPECT_TRUE(b.takePicture());
}

TEST(StreamBufferChange, ResetZeroesBothCounts) {
    StreamBuffer b;
    b.partStarted("image/jpeg");
    append(b, "abc" + kEnd);
    b.takePicture();
    b.reset();
    EXPECT_EQ(b.iDataTotalLength(), 0);
    EXPECT_EQ(b.iNextDataLength(), 0);
    EXPECT_EQ(b.size(), 0u);
}

// ---- The part limit ----

TEST(StreamBufferLimit, PartOutgrowingTheLimitIsDroppedAndIgnoredUntilTheNextJpegPart) {
    StreamBuffer b(1000);
    b.partStarted("image/jpeg");
    for (int i = 0; i < 50; ++i) EXPECT_FALSE(append(b, std::string(100, 'x')));
    EXPECT_TRUE(b.droppingPart());
    EXPECT_EQ(b.droppedParts(), 1u);
    EXPECT_EQ(b.size(), 0u);
    EXPECT_LE(b.capacity(), 1000u);
    // The dropped part's marker yields nothing, a non-JPEG part does not end the drop.
    EXPECT_FALSE(append(b, "tail" + kEnd));
    b.partStarted("text/plain");
    EXPECT_FALSE(append(b, "text" + kEnd));
    b.partStarted("image/jpeg");
    EXPECT_EQ(append(b, "next" + kEnd), "next" + kEnd);
}

TEST(StreamBufferLimit, PartOfExactlyTheLimitIsKept) {
    StreamBuffer b(100);
    b.partStarted("image/jpeg");
    EXPECT_EQ(append(b, std::string(98, 'p') + kEnd)->size(), 100u);
    EXPECT_FALSE(b.droppingPart());
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
