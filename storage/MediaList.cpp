#include "storage/MediaList.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "image/Translate.h"
#include "storage/FileCopy.h"
#include "storage/NaturalOrder.h"
#include "storage/StorageLayout.h"

namespace lumetra {
namespace {

bool hasJpgExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    // A leading dot starts a hidden name, not an extension.
    return dot != std::string::npos && dot != 0 &&
           name.compare(dot + 1, std::string::npos, "jpg") == 0;
}

std::string_view withoutTrailingSlashes(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    return path;
}

// A list's folder, opened so that deletions stay inside the album: neither the
// album folder nor the list's folder may be a symbolic link. Closed on destruction;
// fd() is -1 when the folder cannot be opened that way.
class AlbumFolder {
public:
    explicit AlbumFolder(std::string_view folder) : path_(withoutTrailingSlashes(folder)) {
        const size_t slash = path_.rfind('/');
        if (slash == std::string::npos || slash + 1 >= path_.size()) return;
        const std::string album = slash == 0 ? "/" : path_.substr(0, slash);
        const int albumFd = ::open(album.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (albumFd < 0) {
            openError_ = reasonFor(album, errno);
            return;
        }
        fd_ = ::openat(albumFd, path_.c_str() + slash + 1,
                       O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd_ < 0) openError_ = reasonFor(path_, errno);
        ::close(albumFd);
    }
    ~AlbumFolder() {
        if (fd_ >= 0) ::close(fd_);
    }
    AlbumFolder(const AlbumFolder&) = delete;
    AlbumFolder& operator=(const AlbumFolder&) = delete;

    // Deletes path when it names a regular file directly in this folder. True
    // when no such file is left; otherwise result counts it with its reason.
    bool removeFile(std::string_view path, DeleteResult& result) const {
        const size_t slash = path.rfind('/');
        if (slash == std::string_view::npos ||
            withoutTrailingSlashes(path.substr(0, slash)) != path_)
            return true;  // never listed here
        const auto fail = [&](std::string reason) {
            if (result.failed++ == 0) result.reason = std::move(reason);
            return false;
        };
        if (fd_ < 0) return fail(openError_);
        const std::string name(path.substr(slash + 1));
        struct stat st {};
        if (::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT || fail(std::strerror(errno));
        if (!S_ISREG(st.st_mode))
            return fail(fillIn(translate("MediaList", "\"{}\" is not a plain file"), {name}));
        if (::unlinkat(fd_, name.c_str(), 0) != 0 && errno != ENOENT)
            return fail(std::strerror(errno));
        return true;
    }

private:
    static std::string reasonFor(const std::string& folder, int error) {
        if (error == ELOOP || error == ENOTDIR)
            return fillIn(translate("MediaList",
                                    "\"{}\" is a link or not a folder, and nothing "
                                    "is deleted through it"),
                          {folder});
        return fillIn(translate("MediaList", "\"{}\": {}"), {folder, std::strerror(error)});
    }

    std::string path_;
    std::string openError_ = translate("MediaList", "the folder is missing");
    int fd_ = -1;
};

// Deletes an item's files; false when the file it shows is still there, so the
// item stays. A recording's movie goes first: a movie left behind keeps its
// thumbnail, and so its place in the list.
bool removeItemFiles(const AlbumFolder& folder, MediaKind kind, const MediaItem& item,
                     DeleteResult& result) {
    if (kind == MediaKind::Video)
        return folder.removeFile(mediaFilePath(kind, item.itemTitle), result) &&
               folder.removeFile(item.itemTitle, result);
    if (!folder.removeFile(item.itemTitle, result)) return false;
    for (const std::string& companion : {sidecarPath(item.itemTitle), cleanCopyPath(item.itemTitle),
                                         analysisCopyPath(item.itemTitle)})
        folder.removeFile(companion, result);
    return true;
}

// File names gathered from a folder with their sort keys, each kind in one
// buffer, so that gathering and sorting many names moves small records.
class FolderNames {
public:
    void add(std::string_view name) {
        const size_t key = keys_.size();
        appendNaturalSortKey(keys_, name);
        entries_.push_back(Entry{names_.size(), name.size(), key, keys_.size() - key});
        names_ += name;
    }

    // Adds the thumbnail name of each movie whose thumbnail is not among the names.
    void addMissingThumbnails(const std::vector<std::string>& movies) {
        if (movies.empty()) return;
        std::vector<std::string> present;
        present.reserve(entries_.size());
        for (const Entry& entry : entries_) present.emplace_back(name(entry));
        std::sort(present.begin(), present.end());
        for (const auto& movie : movies) {
            const std::string thumbnail = movie + ".jpg";
            if (!std::binary_search(present.begin(), present.end(), thumbnail)) add(thumbnail);
        }
    }

    // The names in natural order, as paths in folder.
    std::vector<std::string> sortedPaths(const std::string& folder) {
        std::sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
            if (const int c = key(a).compare(key(b)); c != 0) return c < 0;
            return name(a) < name(b);
        });
        std::vector<std::string> paths;
        paths.reserve(entries_.size());
        for (const Entry& entry : entries_) paths.push_back(joinPath(folder, name(entry)));
        return paths;
    }

private:
    struct Entry {
        size_t name, nameLength, key, keyLength;
    };
    std::string_view name(const Entry& e) const {
        return std::string_view(names_).substr(e.name, e.nameLength);
    }
    std::string_view key(const Entry& e) const {
        return std::string_view(keys_).substr(e.key, e.keyLength);
    }

    std::string names_;
    std::string keys_;
    std::vector<Entry> entries_;
};

}  // namespace

MediaFiles listMediaFiles(const std::string& folder, MediaKind kind) {
    FolderNames pictures;
    std::vector<std::string> movies;
    int error = 0;
    if (DIR* dir = ::opendir(folder.c_str())) {
        // Only links and entries of unknown type are looked up; a link counts
        // when it leads to a regular file.
        const int fd = ::dirfd(dir);
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            const bool movie =
                kind == MediaKind::Video && name.ends_with(".mp4") && name.size() > 4;
            if (!movie && !hasJpgExtension(name)) continue;
            // A snapshot's clean copy belongs to its snapshot's item.
            if (kind == MediaKind::Picture && isCleanCopyName(name)) continue;
            if (entry->d_type != DT_REG) {
                struct stat st {};
                if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) continue;
                if (::fstatat(fd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;
            }
            if (movie)
                movies.emplace_back(name);
            else
                pictures.add(name);
        }
        ::closedir(dir);
    } else if (errno != ENOENT) {
        error = errno;
    }
    // A recording whose thumbnail is missing is listed under its thumbnail's name.
    pictures.addMissingThumbnails(movies);
    return {pictures.sortedPaths(folder), error};
}

std::string mediaFilePath(MediaKind kind, const std::string& itemTitle) {
    if (kind == MediaKind::Picture || itemTitle.size() < 4) return itemTitle;
    return itemTitle.substr(0, itemTitle.size() - 4);
}

std::string MediaList::load(const std::string& folder) {
    folder_ = folder;
    items_.clear();
    MediaFiles files = listMediaFiles(folder, kind_);
    items_.reserve(files.paths.size());
    for (auto& path : files.paths) items_.push_back(MediaItem{std::move(path)});
    if (files.error == 0) return {};
    return fillIn(translate("MediaList", "The album folder \"{}\" cannot be read: {}"),
                  {folder, std::strerror(files.error)});
}

size_t MediaList::append(const std::string& jpegPath) {
    items_.push_back(MediaItem{jpegPath});
    return items_.size() - 1;
}

const MediaItem* MediaList::item(size_t index) const {
    return index < items_.size() ? &items_[index] : nullptr;
}

std::optional<std::string> MediaList::filePath(size_t index) const {
    if (index >= items_.size()) return std::nullopt;
    return mediaFilePath(kind_, items_[index].itemTitle);
}

std::string DeleteResult::message() const {
    if (failed == 0) return {};
    if (failed == 1)
        return fillIn(translate("MediaList", "1 file could not be deleted: {}"), {reason});
    return fillIn(translate("MediaList", "{} files could not be deleted: {}"),
                  {std::to_string(failed), reason});
}

std::optional<DeleteResult> MediaList::removeAt(size_t index) {
    if (index >= items_.size()) return std::nullopt;
    DeleteResult result;
    if (removeItemFiles(AlbumFolder(folder_), kind_, items_[index], result))
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    return result;
}

std::optional<DeleteResult> MediaList::removeAll() {
    if (items_.empty()) return std::nullopt;
    DeleteResult result;
    {
        const AlbumFolder folder(folder_);
        std::erase_if(items_, [&](const MediaItem& item) {
            return removeItemFiles(folder, kind_, item, result);
        });
    }
    ::mkdir(folder_.c_str(), 0755);  // made again when it had gone
    return result;
}

WriteResult MediaList::saveCopy(size_t index, const std::string& destination) const {
    const auto source = filePath(index);
    if (!source) return {destination, ENOENT};
    return copyFileNoReplace(*source, destination);
}

}  // namespace lumetra
