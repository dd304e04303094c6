#pragma once
// Where everything lives under the storage root, the folder "Lumetra" directly in
// the user's home directory:
//   root/default.txt        name of the current album
//   root/calibration.plist  the calibration list
//   root/calibration.txt    name of the current calibration
//   root/<album>/Image/     snapshots, each with its sidecar "<snapshot>.json"
//   root/<album>/Video/     recordings and their thumbnails
// Folder paths are plain concatenations (root ends in "/"); the two text files
// are joined to the root as a path component.

#include <string>
#include <string_view>

namespace lumetra {

// The user's home directory: $HOME, else the password database entry, else "".
std::string homeDirectory();

// folder + "/" + name without doubling a separator already at the end of folder.
std::string joinPath(std::string_view folder, std::string_view name);

// The sidecar of a snapshot: its path + ".json".
std::string sidecarPath(const std::string& picturePath);

// A name that stays a single entry inside its folder: not empty, not "." or "..",
// no "/" and no NUL. Anything else passes as typed (blanks, dots, any script).
bool isPlainFolderName(std::string_view name);

struct StorageLayout {
    std::string root;  // always ends in "/"

    // home + "/Lumetra/" (a trailing "/" of home is not doubled).
    static StorageLayout forHome(std::string_view home);

    std::string albumFolder(std::string_view album) const;    // root + album
    std::string pictureFolder(std::string_view album) const;  // root + album + "/Image/"
    std::string videoFolder(std::string_view album) const;    // root + album + "/Video/"
    std::string calibrationPlist() const;                     // root + "calibration.plist"
    std::string defaultTxt() const;
    std::string calibrationTxt() const;
};

}  // namespace lumetra
