#include <gtest/gtest.h>

#include <utility>

#include "camera/SnapCounter.h"

using namespace lumetra;

TEST(PhotoCountParsing, ReadsALeadingDecimalAndRefusesNoDigitsOrOverflow) {
    const std::pair<const char*, int64_t> read[] = {{"  +5", 5},
                                                    {"-3", -3},
                                                    {"42abc", 42},
                                                    {"12\r\n", 12},
                                                    {"-9223372036854775808", INT64_MIN}};
    for (const auto& [text, value] : read) EXPECT_EQ(parsePhotoCount(text), value) << text;
    for (const char* text : {"", "abc", "-", " + 4", "99999999999999999999"})
        EXPECT_FALSE(parsePhotoCount(text)) << text;
}
