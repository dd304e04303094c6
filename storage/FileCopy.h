#pragma once
// Copying a file to a new place without ever replacing what is there.

#include <string>

#include "image/AtomicFile.h"

namespace lumetra {

// Copies source to destination through a temporary file beside the destination
// that is put in place at the end (see writeNewFileAtomically): an existing
// destination is never touched, and a failed copy leaves nothing behind. The
// copy keeps the source's permissions where the file system has them. Fails with
// the reason (EEXIST for an existing destination, EISDIR/EINVAL for a source that
// is not a regular file).
WriteResult copyFileNoReplace(const std::string& source, const std::string& destination);

}  // namespace lumetra
