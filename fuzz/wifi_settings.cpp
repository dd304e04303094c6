// Fuzz target: the WiFi camera's text answers (settings pages of both camera kinds,
// the line helpers, the number rule, resolution titles and counter answers).

#include <cstddef>
#include <cstdint>

#include "camera/wifi/WiFiTextFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumetra::exerciseWiFiText(data, size);
    return 0;
}
