// The rules for typed numbers: any text is judged without fault, a whole number
// is also a decimal number, and surrounding white space never changes a verdict.

#include <string>

#include "FuzzCheck.h"
#include "policy/NumberText.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool whole = isPureInt(text);
    const bool decimal = isPureFloat(text);
    if (whole) FUZZ_CHECK(decimal);
    FUZZ_CHECK(isPureInt(" \n" + text + "\t ") == whole);
    FUZZ_CHECK(isPureFloat(" \n" + text + "\t ") == decimal);
    return 0;
}
