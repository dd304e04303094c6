#pragma once
// Atomic file replacement: the bytes go to a temporary file in the destination's
// folder, are flushed to disk, and the temporary file is renamed over the
// destination. A reader sees the old file or the whole new one, never a part;
// a failure or a crash leaves no partial destination behind.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra {

// Returns false (and removes the temporary file) when any step fails.
bool writeFileAtomically(const std::string& path, const void* data, size_t size);
inline bool writeFileAtomically(const std::string& path, std::string_view text) {
    return writeFileAtomically(path, text.data(), text.size());
}

// Like writeFileAtomically, but never replaces an existing file: the final step
// is a hard link, which fails when the destination exists: it returns false
// then with errno EEXIST (other failures leave their own errno).
bool writeNewFileAtomically(const std::string& path, const void* data, size_t size);

// The prefix of temporary files, so that listings can skip them.
inline constexpr std::string_view kTemporaryFilePrefix = ".lumetra-tmp-";

}  // namespace lumetra
