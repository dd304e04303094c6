#pragma once
// A check of a property list's shape before libplist reads it: libplist's
// readers and writers recurse once per nesting level, so a file nested some
// ten thousand levels deep ends the process. The check walks the bytes
// without recursion.

#include <cstddef>
#include <string_view>

namespace lumetra {

// Containers deeper than this are refused; the calibration list needs two
// (its dictionary and the strings in it).
inline constexpr size_t kMaxPlistDepth = 16;
// A binary list may share objects, so a small file can stand for a huge tree;
// one expanding to more objects than this is refused.
inline constexpr size_t kMaxPlistObjects = 1 << 18;

// True when bytes, a binary list ("bplist00") or XML, nest no deeper than
// kMaxPlistDepth and a binary list expands to at most kMaxPlistObjects objects.
// XML is read strictly: every element must be closed by its own name, and no
// tag, comment or processing instruction may hold a '<'. Malformed binary
// structure is refused too. A true answer does not mean the list is valid.
bool plistIsShallow(std::string_view bytes);

}  // namespace lumetra
