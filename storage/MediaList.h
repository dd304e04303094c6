#pragma once
// One of the current album's two media lists: the snapshots of its "Image"
// folder or the recordings of its "Video" folder, shown through their JPEG
// thumbnails. Items keep only their path; thumbnails come from a
// ThumbnailProvider, so that a list of thousands opens at once.
// Used on the main thread.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "image/AtomicFile.h"

namespace lumetra {

enum class MediaKind { Picture, Video };

// How deleting went: the number of files that could not be deleted and the
// first reason.
struct DeleteResult {
    size_t failed = 0;
    std::string reason;

    explicit operator bool() const { return failed == 0; }
    // "N files could not be deleted: <reason>"; "" when all went.
    std::string message() const;
};

struct MediaItem {
    std::string itemTitle;  // the JPEG shown: the snapshot, or a recording's thumbnail
};

// The regular files of folder whose extension is exactly "jpg" (never a
// snapshot's sidecar "*.jpg.json", nor for pictures its clean copy "*.clean.jpg"), in natural order
// of their names (oldest first for date-time names), as full paths. For recordings, a movie "*.mp4"
// without its thumbnail counts as that thumbnail, which shows as a placeholder.
// error: 0, or why the folder could not be opened (a folder that does not exist
// holds nothing and is no error).
struct MediaFiles {
    std::vector<std::string> paths;
    int error = 0;
};
MediaFiles listMediaFiles(const std::string& folder, MediaKind kind);

// The file an item stands for: the picture itself, or for a recording its
// thumbnail's path without the final ".jpg" (the movie beside it).
std::string mediaFilePath(MediaKind kind, const std::string& itemTitle);

class MediaList {
public:
    explicit MediaList(MediaKind kind) : kind_(kind) {}

    MediaKind kind() const { return kind_; }
    const std::string& folder() const { return folder_; }
    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const std::vector<MediaItem>& items() const { return items_; }

    // Rebuilds the list from the folder. Returns, for the user, why the folder could not
    // be read (the list is empty then, which must not pass for an empty album); "" when
    // it was read or does not exist.
    std::string load(const std::string& folder);

    // Appends a newly written snapshot or thumbnail; returns its index.
    size_t append(const std::string& jpegPath);

    // The item at index; nullptr when the index is outside the list.
    const MediaItem* item(size_t index) const;

    // The file to open or save for the item at index (see mediaFilePath).
    std::optional<std::string> filePath(size_t index) const;

    // Deletes the item's files (for a snapshot the picture, then its sidecar,
    // clean copy and analysis copy;
    // for a recording the movie, then its thumbnail) and removes the item
    // unless the file it shows could not be deleted; such an item stays listed,
    // whole. An index outside the list is ignored (nullopt).
    std::optional<DeleteResult> removeAt(size_t index);

    // The same for every item, then creates the folder again if it had gone.
    // Nothing happens for an empty list (nullopt).
    //
    // Deleting never leaves the album: only regular files the list holds, lying
    // directly in the list's folder, are removed, and nothing at all when the
    // album folder or the list's folder is a symbolic link. Other files stay.
    std::optional<DeleteResult> removeAll();

    // Copies the item's file to destination, never replacing an existing file.
    WriteResult saveCopy(size_t index, const std::string& destination) const;

private:
    MediaKind kind_;
    std::string folder_;
    std::vector<MediaItem> items_;
};

}  // namespace lumetra
