#include <gtest/gtest.h>

#include "storage/ThumbnailCache.h"

using namespace lumetra;

namespace {
// 10 x 10 BGRA: 400 bytes of pixels.
Frame smallFrame() { return Frame::allocate(10, 10); }
}  // namespace

TEST(ThumbnailCache, EvictsLeastRecentlyUsedBeyondTheBudget) {
    ThumbnailCache cache(1400);  // two pictures of ~530 bytes and a failure of ~130
    cache.insert("a", smallFrame());
    cache.insert("b", smallFrame());
    cache.insert("c", Frame{});  // an undecodable file
    ASSERT_NE(cache.find("c"), nullptr);
    EXPECT_TRUE(cache.find("c")->isNull());
    ASSERT_NE(cache.find("a"), nullptr);  // a is now the most recent
    cache.insert("d", smallFrame());
    EXPECT_EQ(cache.size(), 3u);
    EXPECT_EQ(cache.find("b"), nullptr);
    EXPECT_NE(cache.find("a"), nullptr);
    EXPECT_NE(cache.find("c"), nullptr);
    EXPECT_NE(cache.find("d"), nullptr);
    EXPECT_LE(cache.bytes(), cache.budget());
}

TEST(ThumbnailCache, FailuresCountTowardsTheBudget) {
    ThumbnailCache cache(1000);
    for (int i = 0; i < 100; ++i) cache.insert("missing-" + std::to_string(i), Frame{});
    EXPECT_LE(cache.bytes(), 1000u);
    EXPECT_LT(cache.size(), 100u);
}

TEST(ThumbnailCache, NewestEntryStaysEvenWhenTooLarge) {
    ThumbnailCache cache(100);
    cache.insert("a", smallFrame());
    cache.insert("b", smallFrame());
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_NE(cache.find("b"), nullptr);
}

TEST(ThumbnailCache, ReplaceEraseAndClearKeepTheAccounts) {
    ThumbnailCache cache(1 << 20);
    cache.insert("a", smallFrame());
    const size_t one = cache.bytes();
    cache.insert("a", Frame::allocate(20, 10));
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(cache.bytes(), one + 400);
    cache.erase("a");
    cache.erase("never");
    EXPECT_EQ(cache.bytes(), 0u);
    cache.insert("b", smallFrame());
    cache.clear();
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_EQ(cache.bytes(), 0u);
}
