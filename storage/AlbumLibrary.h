#pragma once
// The albums under the storage root: a folder counts as an album when it holds
// an "Image" and a "Video" folder. The library keeps the album names in the
// order the window's album list shows them and makes album choices current.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra {

class RQGlobalVariables;

// root + name, root + name + "/Image" and root + name + "/Video" are folders.
bool isAlbum(const std::string& root, const std::string& name);

// The albums of root, sorted by their lower-cased names.
std::vector<std::string> scanAlbums(const std::string& root);

// Outcome of creating an album, and the alert the window shows for a refusal.
enum class AlbumCreation {
    Created,
    EmptyName,      // "Please enter folder name"
    IllegalName,    // "Name is illegal": "/", NUL, "." or ".."
    AlreadyExists,  // "The folder name exist": anything at that path
};
// The alert text of a refusal; "" for Created.
const char* albumCreationAlert(AlbumCreation result);

class AlbumLibrary {
public:
    explicit AlbumLibrary(RQGlobalVariables& settings);

    // Start-up: lists the albums and returns the index of the album named by
    // default.txt, if it is listed.
    std::optional<size_t> scan();

    const std::vector<std::string>& albums() const { return oAblumMutArray_; }

    // The new-album sheet's OK: checks the name and creates the album's three
    // folders (the root too, if missing). The list does not change here.
    AlbumCreation createAlbum(const std::string& name);

    // A created album joins the end of the list (until the next scan sorts it).
    // Returns its index; the window selects it, which switches to it.
    size_t appendAlbum(const std::string& name);

    // Makes albums()[index] current: the settings' picture and video folders
    // point into it and default.txt names it. The window then reloads both
    // media lists. An index outside the list is ignored (returns false).
    bool switchAlbum(size_t index);

private:
    RQGlobalVariables& settings_;
    std::vector<std::string> oAblumMutArray_;
};

}  // namespace lumetra
