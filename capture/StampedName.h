#pragma once
// File names of snapshots: the local time of the request as "yyyyMMddHHmmss",
// then ".jpg". Snapshots taken within one second get "-1", "-2", ... before the
// extension instead of replacing each other.

#include <ctime>
#include <string>

namespace lumetra {

// "yyyyMMddHHmmss" of a broken-down local time, e.g. "20250303090507".
std::string timestampName(const std::tm& localTime);

// The current local time as "yyyyMMddHHmmss".
std::string currentTimestampName();

// The n-th candidate file name for a snapshot: n = 0 gives "<stamp>.jpg",
// n > 0 gives "<stamp>-<n>.jpg".
std::string snapshotFileName(const std::string& stamp, int n);

}  // namespace lumetra
