#pragma once
// File names of recordings: the local time of the start as "yyyyMMddHHmmss",
// then ".mp4", in the current video folder; the thumbnail is that path + ".jpg".
// A recording started within the same second as another one gets "-1", "-2", ...
// before ".mp4", so that no recording ever replaces or deletes another.

#include <optional>
#include <string>

namespace lumetra {

// The thumbnail of the recording at moviePath.
inline std::string thumbnailPathOf(const std::string& moviePath) { return moviePath + ".jpg"; }

// Creates an empty movie file in folder (a path ending with '/') under the first
// candidate name whose movie and thumbnail are both free, and returns its path.
// Creating it exclusively reserves the name against any other recording. nullopt
// with a reason in error when the folder cannot take the file.
std::optional<std::string> reserveRecordingPath(const std::string& folder, const std::string& stamp,
                                                std::string& error);

}  // namespace lumetra
