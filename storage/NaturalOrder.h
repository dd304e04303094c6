#pragma once
// Numeric-aware ordering of file names: runs of digits compare by their value,
// and "." sorts before any other character, so a name's extension never decides
// against a longer stem: "20250303090507.jpg" < "20250303090507-1.jpg" <
// "20250303090508.jpg", and likewise for ".mp4.jpg" thumbnails. Other
// characters compare by their byte values (case-sensitive). Names equal under
// these rules (leading zeros) are ordered by their bytes.

#include <string>
#include <string_view>

namespace lumetra {

// Appends to key a key whose plain byte order is the order above, before the
// tie-break by the name's bytes: sorting many names compares their keys, made
// once per name.
void appendNaturalSortKey(std::string& key, std::string_view name);

// <0, 0 or >0 like strcmp.
int naturalCompare(std::string_view a, std::string_view b);

inline bool naturalLess(std::string_view a, std::string_view b) { return naturalCompare(a, b) < 0; }

}  // namespace lumetra
