#pragma once
// The albums under the storage root: a folder counts as an album when it holds
// an "Image" and a "Video" folder. The library keeps the album names in the
// order the window's album list shows them and makes album choices current.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/AtomicFile.h"

namespace lumetra {

class RQGlobalVariables;

// root + name, root + name + "/Image" and root + name + "/Video" are folders.
bool isAlbum(const std::string& root, const std::string& name);

// The albums of root, sorted by their lower-cased names.
std::vector<std::string> scanAlbums(const std::string& root);

// Outcome of creating an album.
enum class AlbumCreation {
    Created,
    EmptyName,      // "Please enter folder name"
    IllegalName,    // "Name is illegal": "/", NUL, "." or "..", or longer than the file
                    // system allows
    AlreadyExists,  // "The folder name exist": anything at that path
    Failed,         // a folder could not be made; nothing of the album is left
};

struct AlbumCreationResult {
    AlbumCreation status = AlbumCreation::Created;
    WriteResult failure;  // Failed: the folder that could not be made and why

    explicit operator bool() const { return status == AlbumCreation::Created; }
    // The alert the window shows; "" for Created.
    std::string alert() const;
};

// Makes one folder; returns 0 or the errno of the failure (mkdir by default).
using FolderMaker = std::function<int(const std::string& path)>;

class AlbumLibrary {
public:
    explicit AlbumLibrary(RQGlobalVariables& settings, FolderMaker makeFolder = {});

    // Start-up: lists the albums and returns the index of the album named by
    // default.txt, if it is listed.
    std::optional<size_t> scan();

    const std::vector<std::string>& albums() const { return oAblumMutArray_; }

    // The new-album sheet's OK: checks the name and creates the album's three
    // folders (the root too, if missing). When a folder cannot be made, those
    // already made for the album are removed again. The list does not change here.
    AlbumCreationResult createAlbum(const std::string& name);

    // A created album joins the end of the list (until the next scan sorts it).
    // Returns its index; the window selects it, which switches to it.
    size_t appendAlbum(const std::string& name);

    // Makes albums()[index] current: the settings' picture and video folders
    // point into it and default.txt names it. The window then reloads both
    // media lists. Returns how writing default.txt went; nullopt, ignoring the
    // call, for an index outside the list.
    std::optional<WriteResult> switchAlbum(size_t index);

private:
    RQGlobalVariables& settings_;
    FolderMaker makeFolder_;
    std::vector<std::string> oAblumMutArray_;
};

}  // namespace lumetra
