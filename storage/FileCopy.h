#pragma once
// Copying a file to a new place without ever replacing what is there.

#include <string>

namespace lumetra {

// Copies source to destination through a temporary file beside the destination
// that is linked into place at the end: an existing destination is never
// touched, and a failed copy leaves nothing behind. Returns false on any failure
// (including an existing destination).
bool copyFileNoReplace(const std::string& source, const std::string& destination);

}  // namespace lumetra
