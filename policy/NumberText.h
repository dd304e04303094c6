#pragma once
// Reading numbers typed by the user, with the rules of a text scanner that skips
// white space (blanks and line ends) before each token.

#include <string_view>

namespace lumetra {

// True when the text holds one whole number (optional sign, decimal digits, within
// the signed 32-bit range) and nothing else but surrounding white space.
bool isPureInt(std::string_view text);

// True when the text holds one decimal floating-point number (optional sign, digits
// with an optional decimal point and fraction, optional exponent) and nothing else
// but surrounding white space. A number too large for a 32-bit float is refused.
bool isPureFloat(std::string_view text);

}  // namespace lumetra
