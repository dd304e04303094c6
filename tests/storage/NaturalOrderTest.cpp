#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "storage/NaturalOrder.h"

using namespace lumetra;

TEST(NaturalOrder, ShuffledNamesComeOutInOrder) {
    const std::vector<std::vector<std::string>> orders = {
        // Snapshots of one second stay together, oldest first; recordings alike.
        {"20240303090507.jpg", "20250303090507.jpg", "20250303090507-1.jpg", "20250303090507-2.jpg",
         "20250303090507-10.jpg", "20250303090508.jpg"},
        {"20250303090507.mp4.jpg", "20250303090507-1.mp4.jpg", "20250303090508.mp4.jpg"},
        // Digit runs by value, longer than any integer type too; "." before
        // anything, otherwise bytes (upper case first).
        {"", "9999999999999999999999", "10000000000000000000000", "B", "a", "a.jpg", "a-b", "ab"},
        {"a1b2", "a1b10", "a2b1", "x01", "x1", "x2"},  // leading zeros tie-break by bytes
        // Around "." and the digits: control bytes, "/", ":" and bytes above 127.
        {"a", "a.", std::string("a\0", 2), "a\x01", "a-", "a/", "a0", "a00x", "a0x", "a:", "a\x80",
         "a\xff"},
    };
    std::mt19937 rng(42);
    for (const auto& expected : orders) {
        for (int round = 0; round < 5; ++round) {
            std::vector<std::string> v = expected;
            std::shuffle(v.begin(), v.end(), rng);
            std::sort(v.begin(), v.end(), naturalLess);
            EXPECT_EQ(v, expected);
        }
    }
}
