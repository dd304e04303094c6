#pragma once
// Atomic file writes: the bytes go to a temporary file in the destination's
// folder and are flushed to disk before the destination name shows them. A
// reader sees the old file or the whole new one, never a part; a failure or a
// crash leaves no partial destination behind.
//
// Writes that must never replace a file link the temporary file into place.
// File systems without hard links (FAT, exFAT, many network mounts) refuse the
// link; there the destination name is reserved by an exclusive create and the
// temporary file renamed over that reservation, which still never replaces a
// file someone else made.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lumetra {

// The outcome of a write: success, or the file that could not be written and the
// system error that stopped it.
class [[nodiscard]] WriteResult {
public:
    WriteResult() = default;  // success
    WriteResult(std::string path, int error) : path_(std::move(path)), error_(error) {}

    explicit operator bool() const { return error_ == 0; }
    int error() const { return error_; }
    const std::string& path() const { return path_; }
    // "Could not write <path>: <reason>", for the user; empty on success.
    std::string message() const;

private:
    std::string path_;
    int error_ = 0;
};

// Fills an open, empty file; returns 0 or the errno of what failed.
using FileFiller = std::function<int(int fd)>;

// A file written in full and flushed to disk under a temporary name in the folder
// of its destination, waiting to be given its name there. Files placed together
// share one syncFolderOf. Unless placed it is removed when this goes.
class TemporaryFile {
public:
    // Writes the temporary file beside destination with fill and flushes it; error()
    // tells whether that worked. Nothing is left behind on failure.
    TemporaryFile(const std::string& destination, const FileFiller& fill);
    TemporaryFile(const std::string& destination, const void* data, size_t size);
    // No file: error (nonzero) says why, e.g. the bytes could not be made.
    explicit TemporaryFile(int error) : error_(error) {}
    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&& other) noexcept;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    // 0 when the file is written and flushed, else the errno of what failed.
    int error() const { return error_; }

    // Gives the file the name path unless a file has that name (EEXIST then); the
    // file stays temporary on failure, so that another name can be tried. The
    // name is as durable as the folder's next sync.
    [[nodiscard]] int placeWithoutReplacing(const std::string& path);
    // Gives the file the name path, replacing what has it.
    [[nodiscard]] int replace(const std::string& path);

private:
    std::string name_;  // empty when there is no temporary file (any more)
    int error_ = 0;
};

// Makes the names created in path's folder durable: a synced file whose folder entry
// was not synced may be gone after a power cut. Returns 0 or the errno of the sync.
[[nodiscard]] int syncFolderOf(const std::string& path);

// Replaces path (or creates it) with the bytes; the temporary file is removed on
// any failure.
WriteResult writeFileAtomically(const std::string& path, const void* data, size_t size);
inline WriteResult writeFileAtomically(const std::string& path, std::string_view text) {
    return writeFileAtomically(path, text.data(), text.size());
}

// Like writeFileAtomically, but never replaces an existing file: the error is
// EEXIST then.
WriteResult writeNewFileAtomically(const std::string& path, const void* data, size_t size);
WriteResult writeNewFileAtomically(const std::string& path, const FileFiller& fill);

// True for the errors by which a file system says it has no hard links.
bool isLinkUnsupported(int error);

// The prefix of temporary files, so that listings can skip them.
inline constexpr std::string_view kTemporaryFilePrefix = ".lumetra-tmp-";

}  // namespace lumetra
