#include "storage/Resources.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "storage/StorageLayout.h"

#ifndef LUMETRA_RESOURCE_RELATIVE
#define LUMETRA_RESOURCE_RELATIVE "../share/lumetra"
#endif

namespace lumetra {

std::string resourceDirectory() {
    if (const char* dir = std::getenv("LUMETRA_RESOURCES"); dir && *dir) return dir;
    // The kernel's link to the running program: right whatever the working folder
    // or the name the program was started by.
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : resourceDirectoryBeside(self.string());
}

std::string resourceDirectoryBeside(std::string_view executablePath) {
    const auto folder = std::filesystem::path(executablePath).parent_path();
    if (folder.empty()) return {};
    return (folder / LUMETRA_RESOURCE_RELATIVE).lexically_normal().string();
}

std::string resourceFile(std::string_view relative) {
    return joinPath(resourceDirectory(), relative);
}

}  // namespace lumetra
