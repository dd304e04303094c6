#include <gtest/gtest.h>

#include "tools/camsim/StreamParts.h"

using namespace lumetra::camsim;

TEST(StreamPartFraming, HeadCarriesTypeLengthAndOptionalCounterThenAnEmptyLine) {
    EXPECT_EQ(partHead("image/jpeg", 123, 4),
              "--frameboundary\r\nContent-Type: image/jpeg\r\nContent-Length: 123\r\nphoto_cnt: "
              "4\r\n\r\n");
    EXPECT_EQ(partHead("image/jpeg", 9, std::nullopt),
              "--frameboundary\r\nContent-Type: image/jpeg\r\nContent-Length: 9\r\n\r\n");
    EXPECT_EQ(streamContentType(), "multipart/x-mixed-replace;boundary=frameboundary");
}

TEST(StreamPartFraming, ScriptedPartSplitsTheBodyAtTheGivenOffsetsOnly) {
    const ScriptedPart p =
        ScriptedPart::make("image/jpeg", "abcdef", {"photo_cnt: 2"}, {4, 2, 0, 6, 9}, 30);
    ASSERT_EQ(p.pieces.size(), 3u);
    EXPECT_EQ(p.pieces[0],
              "--frameboundary\r\nContent-Type: image/jpeg\r\nContent-Length: 6\r\nphoto_cnt: "
              "2\r\n\r\nab");
    EXPECT_EQ(p.pieces[1], "cd");
    EXPECT_EQ(p.pieces[2], "ef\r\n");
    EXPECT_EQ(p.pauseMs, 30);
    EXPECT_EQ(ScriptedPart::raw("xyz").pieces, std::vector<std::string>{"xyz"});
}

TEST(StreamPartFaults, NamesRoundTripAndUnknownNamesAreRefused) {
    for (Fault f : {Fault::None, Fault::Drop, Fault::Stall, Fault::Garbage, Fault::Oversized,
                    Fault::SplitMarker})
        EXPECT_EQ(faultFromName(faultName(f)), f);
    EXPECT_FALSE(faultFromName("explode"));
}
