#pragma once
// Property lists that readers must survive.

#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::test {

// A binary list whose root dictionary maps "a" to `depth` nested arrays, each
// referring `fanout` times (at most 14) to the next; the innermost is empty.
inline std::string binaryList(size_t depth, unsigned fanout) {
    std::string out = "bplist00";
    const auto number = [&](uint64_t value, int bytes) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
            out.push_back(static_cast<char>((value >> shift) & 0xFF));
    };
    std::vector<uint64_t> offsets{out.size()};
    out += '\xD1';  // the dictionary: key 1, value 2
    number(1, 4);
    number(2, 4);
    offsets.push_back(out.size());
    out +=
        "\x51"
        "a";
    for (size_t i = 0; i < depth; ++i) {
        offsets.push_back(out.size());
        const unsigned count = i + 1 == depth ? 0 : fanout;
        out += static_cast<char>(0xA0 | count);
        for (unsigned k = 0; k < count; ++k) number(3 + i, 4);
    }
    const uint64_t table = out.size();
    for (const uint64_t offset : offsets) number(offset, 4);
    out += std::string(6, '\0');
    out += '\x04';  // offset size
    out += '\x04';  // reference size
    number(offsets.size(), 8);
    number(0, 8);  // the top object
    number(table, 8);
    return out;
}

}  // namespace lumetra::test
