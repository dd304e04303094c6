#pragma once
// The names of a directory's entries, read with the non-throwing increment: an error
// while stepping through the directory ends the listing with the names read so far.

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace lumetra {

// DirectoryIterator: std::filesystem::directory_iterator, or a stand-in in tests.
template <class DirectoryIterator>
std::vector<std::string> directoryNames(DirectoryIterator it, std::error_code ec) {
    std::vector<std::string> names;
    for (; !ec && it != DirectoryIterator(); it.increment(ec))
        names.push_back(it->path().filename().string());
    return names;
}

// An unreadable directory lists nothing.
inline std::vector<std::string> directoryNames(const std::string& dir) {
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    return directoryNames(std::move(it), ec);
}

}  // namespace lumetra
