#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "camera/adjust/RowLookup.h"

namespace lumetra {
namespace {

// Widths below, at and around the 16 pixels the permutes take at once, so that rows
// end inside a block as well as on its edge.
TEST(RowLookupTest, EveryWayMapsEachColourByteAndLeavesAlphaAndWhatFollowsTheRow) {
    std::mt19937 rng(3);
    std::array<uint8_t, 256> table{};
    for (auto& t : table) t = static_cast<uint8_t>(rng());
    std::vector<RowLookup> ways{lookUpBytewise};
    if (processorHasBytePermutes()) ways.push_back(lookUpByPermutes);
    for (const RowLookup lookUp : ways)
        for (const int width : {1, 15, 16, 17, 53}) {
            SCOPED_TRACE(testing::Message()
                         << "width " << width << ", way "
                         << (lookUp == lookUpBytewise ? "bytewise" : "permutes"));
            std::vector<uint8_t> row(4 * static_cast<size_t>(width) + 64);
            for (auto& b : row) b = static_cast<uint8_t>(rng());
            const std::vector<uint8_t> before = row;
            lookUp(row.data(), width, table.data());
            for (size_t i = 0; i < row.size(); ++i)
                ASSERT_EQ(row[i], i < 4 * static_cast<size_t>(width) && i % 4 != 3
                                      ? table[before[i]]
                                      : before[i])
                    << "at byte " << i;
        }
}

}  // namespace
}  // namespace lumetra
