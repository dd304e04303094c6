#pragma once
// Where everything lives under the storage root, the folder "Lumetra" directly in
// the user's home directory:
//   root/default.txt        name of the current album
//   root/calibration.plist  the calibration list
//   root/calibration.txt    name of the current calibration
//   root/<album>/Image/     snapshots, each with its sidecar "<snapshot>.json", its
//                           clean copy "<name>.clean.jpg" and its analysis copy
//                           "<name>.tif" (the last two when the settings ask for them)
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

// A snapshot's copy of the frame without measurements: "<name>.jpg" becomes
// "<name>.clean.jpg" (any other path gets ".clean.jpg" appended).
std::string cleanCopyPath(const std::string& picturePath);
// A snapshot's analysis copy: "<name>.jpg" becomes "<name>.tif".
std::string analysisCopyPath(const std::string& picturePath);
// Whether a file name is a snapshot's clean copy ("<name>.clean.jpg", name not empty).
bool isCleanCopyName(std::string_view name);
// The snapshot whose clean copy path is: "<name>.clean.jpg" gives "<name>.jpg";
// "" for a path that names no clean copy.
std::string snapshotOfCleanCopy(std::string_view path);

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
