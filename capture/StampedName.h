#pragma once
// File names of snapshots and recordings: the local time of the request as
// "yyyyMMddHHmmss", then the extension. Files stamped within one second get "-1",
// "-2", ... before the extension instead of replacing each other.

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace lumetra {

// "yyyyMMddHHmmss" of a broken-down local time, e.g. "20250303090507".
std::string timestampName(const std::tm& localTime);

// The current local time as "yyyyMMddHHmmss".
std::string currentTimestampName();

// The n-th candidate file name: n = 0 gives "<stamp><extension>", n > 0 gives
// "<stamp>-<n><extension>".
std::string stampedFileName(const std::string& stamp, int n, std::string_view extension);

// The n-th candidate file name for a snapshot ("<stamp>.jpg", "<stamp>-<n>.jpg").
inline std::string snapshotFileName(const std::string& stamp, int n) {
    return stampedFileName(stamp, n, ".jpg");
}

// The outcome of createStampedFile: the path created, or the errno that ended the
// search (EEXIST when every candidate name was taken).
struct StampedFile {
    std::string path;
    int error = 0;
};

// Creates a file in folder (a path ending with '/') under the first free candidate
// name. A candidate whose companion file (companionOf(path): a snapshot's sidecar,
// a recording's thumbnail) exists is passed over, so that a companion left behind
// never comes to describe a new file. create(path) makes the file only if no file
// has the name and returns 0 or an errno; EEXIST tries the next candidate, any other
// errno ends the search.
StampedFile createStampedFile(const std::string& folder, const std::string& stamp,
                              std::string_view extension,
                              const std::function<std::string(const std::string&)>& companionOf,
                              const std::function<int(const std::string&)>& create);

}  // namespace lumetra
