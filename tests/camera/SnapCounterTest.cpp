#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "camera/SnapCounter.h"

using namespace lumetra;

TEST(PhotoCountParsing, ReadsDecimalWithLeadingSpacesAndSign) {
    EXPECT_EQ(parsePhotoCount("12"), 12);
    EXPECT_EQ(parsePhotoCount("  7"), 7);
    EXPECT_EQ(parsePhotoCount("+5"), 5);
    EXPECT_EQ(parsePhotoCount("-3"), -3);
    EXPECT_EQ(parsePhotoCount("42abc"), 42);
    EXPECT_EQ(parsePhotoCount("12\r\n"), 12);
}

TEST(PhotoCountParsing, NoDigitsOrOverflowGiveNothing) {
    EXPECT_FALSE(parsePhotoCount(""));
    EXPECT_FALSE(parsePhotoCount("abc"));
    EXPECT_FALSE(parsePhotoCount("-"));
    EXPECT_FALSE(parsePhotoCount(" + 4"));
    EXPECT_FALSE(parsePhotoCount("99999999999999999999"));
    EXPECT_EQ(parsePhotoCount("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(parsePhotoCount("9223372036854775807"), INT64_MAX);
}

TEST(SnapCounterAdvance, OnlyAGreaterValueAdvances) {
    SnapCounter c(3);
    EXPECT_FALSE(c.advance(3));
    EXPECT_TRUE(c.advance(4));
    EXPECT_FALSE(c.advance(2));
    EXPECT_EQ(c.value(), 4);
    c.set(-1);
    EXPECT_TRUE(c.advance(0));
}

TEST(SnapCounterAdvance, ConcurrentAdvancesCountEachValueOnce) {
    SnapCounter c(0);
    std::atomic<int> wins{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int v = 1; v <= 2000; ++v)
                if (c.advance(v)) ++wins;
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(c.value(), 2000);
    EXPECT_LE(wins.load(), 2000);
    EXPECT_GE(wins.load(), 1);
}
