#include <gtest/gtest.h>

#include "storage/ThumbnailCache.h"

using namespace lumetra;

// A 10 x 10 picture costs its 400 bytes plus about 130 of bookkeeping; a
// remembered failure (null frame) only the bookkeeping.
TEST(ThumbnailCache, EvictsTheLeastRecentlyUsedBeyondTheBudget) {
    ThumbnailCache cache(1400);
    cache.insert("a", Frame::allocate(10, 10));
    cache.insert("b", Frame::allocate(10, 10));
    cache.insert("c", Frame{});
    EXPECT_TRUE(cache.find("c")->isNull());
    ASSERT_NE(cache.find("a"), nullptr);  // a is now the most recent
    cache.insert("d", Frame::allocate(10, 10));
    EXPECT_EQ(cache.find("b"), nullptr);
    EXPECT_EQ(cache.size(), 3u);
    for (int i = 0; i < 100; ++i) cache.insert("missing-" + std::to_string(i), Frame{});
    EXPECT_LT(cache.size(), 100u);  // failures count too
    EXPECT_LE(cache.bytes(), cache.budget());
}

TEST(ThumbnailCache, NewestStaysEvenWhenTooLargeAndTheAccountsAddUp) {
    ThumbnailCache cache(100);
    cache.insert("a", Frame::allocate(10, 10));
    cache.insert("b", Frame::allocate(10, 10));
    EXPECT_EQ(cache.size(), 1u);
    const size_t one = cache.bytes();
    cache.insert("b", Frame::allocate(20, 10));  // replaced
    EXPECT_EQ(cache.bytes(), one + 400);
    cache.erase("b");
    cache.erase("never");
    EXPECT_EQ(cache.bytes(), 0u);
    cache.insert("c", Frame{});
    cache.clear();
    EXPECT_EQ(cache.size() + cache.bytes(), 0u);
}
