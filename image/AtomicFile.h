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
