#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "storage/NaturalOrder.h"

using namespace lumetra;

namespace {

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return naturalLess(a, b); });
    return v;
}

// Every listed order must come out of any shuffled input.
void expectOrder(const std::vector<std::string>& expected) {
    std::vector<std::string> shuffled = expected;
    std::mt19937 rng(42);
    for (int round = 0; round < 5; ++round) {
        std::shuffle(shuffled.begin(), shuffled.end(), rng);
        EXPECT_EQ(sorted(shuffled), expected);
    }
}

}  // namespace

TEST(NaturalOrder, SnapshotNamesOfOneSecondStayTogether) {
    expectOrder({"20250303090507.jpg", "20250303090507-1.jpg", "20250303090507-2.jpg",
                 "20250303090507-10.jpg", "20250303090508.jpg"});
}

TEST(NaturalOrder, RecordingThumbnailsFollowTheSameRule) {
    expectOrder({"20250303090507.mp4.jpg", "20250303090507-1.mp4.jpg", "20250303090508.mp4.jpg"});
}

TEST(NaturalOrder, DigitRunsCompareByValue) {
    expectOrder({"img2.jpg", "img10.jpg", "img100.jpg"});
    expectOrder({"a1b2", "a1b10", "a2b1"});
    // A year apart, oldest first.
    expectOrder({"20240303090507.jpg", "20250303090507.jpg"});
    // Runs longer than any integer type.
    expectOrder({"99999999999999999999999", "100000000000000000000000"});
}

TEST(NaturalOrder, LeadingZerosTieBreakByBytes) {
    EXPECT_EQ(naturalCompare("x01", "x1") == 0, false);
    EXPECT_EQ(naturalCompare("x01", "x1"), -naturalCompare("x1", "x01"));
    EXPECT_LT(naturalCompare("x01", "x2"), 0);
    EXPECT_EQ(naturalCompare("same", "same"), 0);
}

TEST(NaturalOrder, PrefixesAndCaseAndDots) {
    expectOrder({"", "a", "a.jpg", "a-b.jpg", "ab"});
    expectOrder({"B.jpg", "a.jpg"});  // case-sensitive: upper case first
}
