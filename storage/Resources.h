#pragma once
// The application's resource folder (sounds, the calibration list template):
// $LUMETRA_RESOURCES when set, else the folder fixed at build time.

#include <string>
#include <string_view>

namespace lumetra {

std::string resourceDirectory();

// resourceDirectory() joined with a relative path such as "sounds/TakePicture.wav".
std::string resourceFile(std::string_view relative);

}  // namespace lumetra
