#pragma once
// Small whole-file reads and writes for the storage root's files: the one-name
// text files (default.txt, calibration.txt) and the calibration list.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "image/AtomicFile.h"

namespace lumetra {

// Files larger than this are not read (the storage files are a few kilobytes).
inline constexpr size_t kMaxStorageFileSize = 16 * 1024 * 1024;

// The file's bytes; nullopt when it is missing, not a regular file, unreadable
// or larger than maxSize.
std::optional<std::string> readWholeFile(const std::string& path,
                                         size_t maxSize = kMaxStorageFileSize);

// The first bytes of a regular file, at most maxBytes (fewer when it is shorter);
// nullopt when it is missing, not a regular file or unreadable.
std::optional<std::string> readFileStart(const std::string& path, size_t maxBytes);

// A one-name text file: its whole content, which must be valid UTF-8 and hold no
// NUL. Nothing is trimmed: a trailing line feed is part of the name.
std::optional<std::string> readNameFile(const std::string& path);

// Replaces the file with exactly the bytes of the name (no line end, no BOM).
WriteResult writeNameFile(const std::string& path, std::string_view name);

}  // namespace lumetra
