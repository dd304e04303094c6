#pragma once
// Checks on UTF-8 text from users and files. XML 1.0 allows neither control
// characters (other than tab, line feed and carriage return) nor malformed UTF-8,
// not even as character references; a property list that contains them is refused
// whole by strict readers.

#include <string>
#include <string_view>

namespace lumetra {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// The text with every malformed UTF-8 sequence and every character XML cannot
// hold replaced by U+FFFD; text that is fine comes back unchanged.
std::string xmlSafeText(std::string_view text);

// True when text is well-formed UTF-8 without any control character (C0, DEL, C1,
// tab and line breaks included) or non-character: what a name shown in a list and
// stored in a file may hold.
bool isPrintableText(std::string_view text);

}  // namespace lumetra
