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

    ThumbnailCache tiny(100);  // the newest stays even when alone too large
    tiny.insert("a", Frame::allocate(10, 10));
    tiny.insert("b", Frame::allocate(10, 10));
    EXPECT_EQ(tiny.size(), 1u);
    tiny.erase("b");
    EXPECT_EQ(tiny.bytes(), 0u);
}
