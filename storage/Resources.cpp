#include "storage/Resources.h"

#include <cstdlib>

#include "storage/StorageLayout.h"

#ifndef LUMETRA_RESOURCE_DIR
#define LUMETRA_RESOURCE_DIR "resources"
#endif

namespace lumetra {

std::string resourceDirectory() {
    if (const char* dir = std::getenv("LUMETRA_RESOURCES"); dir && *dir) return dir;
    return LUMETRA_RESOURCE_DIR;
}

std::string resourceFile(std::string_view relative) {
    return joinPath(resourceDirectory(), relative);
}

}  // namespace lumetra
