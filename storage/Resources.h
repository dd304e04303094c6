#pragma once
// The application's resource folder (sounds, the calibration list template):
// $LUMETRA_RESOURCES when set, else the folder that the build and the install both
// place at a fixed path relative to the program (LUMETRA_RESOURCE_RELATIVE, by
// default "../share/lumetra"), so a moved build tree and an installed program both
// find theirs.

#include <string>
#include <string_view>

namespace lumetra {

std::string resourceDirectory();

// The resource folder of the program at executablePath; "" when the path has no folder.
std::string resourceDirectoryBeside(std::string_view executablePath);

// resourceDirectory() joined with a relative path such as "sounds/TakePicture.wav".
std::string resourceFile(std::string_view relative);

}  // namespace lumetra
