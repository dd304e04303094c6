#pragma once
// Reading a WiFi camera's settings answer: the resolution entries, the current
// resolution and frame-rate indexes and the six control records, for both camera
// kinds. Pure functions over the text; what the answer does not mention (or breaks)
// keeps its previous value, so the parsers update a given state in place.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "camera/CameraMode.h"
#include "camera/wifi/ControlInfo.h"

namespace lumetra {

// The resolution list holds at most this many entries, so that every index fits the
// 8-bit index fields with 255 left free as "being worked out".
inline constexpr size_t kMaxResolutionEntries = 255;
inline constexpr uint8_t kResolutionIndexUnknown = 255;

struct WiFiSettings {
    std::vector<std::string> oMutResArray;  // the camera's resolution entries, in its order
    uint8_t iWiFiDefResIndex = 0;           // the current entry's index in oMutResArray
    // Wizard camera: frames per second. CGI camera: the frame-rate list's index after a
    // settings read, frames per second after a user's choice.
    uint8_t iWiFiDefFpsIndex = 0;
    WiFiControls controls;
    // Wizard camera: the current entry's position among the offered entries (the number
    // of offered entries less one when none matches the current size).
    int offeredPosition = -1;
};

// The CGI camera's control numbers, set at every settings read.
inline constexpr int32_t kCgiBrightnessId = 1;
inline constexpr int32_t kCgiContrastId = 2;
inline constexpr int32_t kCgiHueId = 3;
inline constexpr int32_t kCgiSaturationId = 4;
inline constexpr int32_t kCgiSharpnessId = 5;
inline constexpr int32_t kCgiGammaId = 6;

// width and height: the camera's current frame size, which picks the current entry.
void parseCgiSettings(std::string_view content, uint16_t width, uint16_t height,
                      WiFiSettings& settings);
void parseWizardSettings(std::string_view content, uint16_t width, uint16_t height,
                         WiFiSettings& settings);
// parseWizardSettings or parseCgiSettings by kind.
void parseWiFiSettings(CameraMode kind, std::string_view content, uint16_t width, uint16_t height,
                       WiFiSettings& settings);

// A wizard resolution entry ("index,offered,width,height,...") the camera offers to the
// user: one containing ",1," with at least four fields.
bool isOfferedEntry(std::string_view entry);
// Field 2 + "x" + field 3 of an offered entry.
std::string offeredEntryTitle(std::string_view entry);

}  // namespace lumetra
