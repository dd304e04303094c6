#pragma once
// A small FAT file system mounted in user space (fusefat over an image made by
// mkfs.vfat), for tests of writes on a file system without hard links, Unix
// modes or symbolic links. Unmounted and removed afterwards. When it cannot be
// mounted, skipReason() says why.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "support/TempDir.h"

namespace lumetra::test {

class FatMount {
public:
    FatMount() {
        if (::access("/dev/fuse", R_OK | W_OK) != 0) {
            reason_ = "/dev/fuse is missing or not usable: no user-space FAT mount";
            return;
        }
        const std::string mkfs = findTool("mkfs.vfat");
        if (mkfs.empty() || findTool("fusefat").empty()) {
            reason_ = "mkfs.vfat (dosfstools) or fusefat is not installed";
            return;
        }
        const std::string image = (dir_.path() / "fat.img").string();
        std::filesystem::create_directory(mountPoint());
        const std::string make = "truncate -s 16M '" + image + "' && '" + mkfs + "' '" + image +
                                 "' > /dev/null 2>&1 && fusefat -o rw+ '" + image + "' '" +
                                 mountPoint().string() + "' > /dev/null 2>&1";
        if (std::system(make.c_str()) != 0 || !isMounted()) {
            reason_ = "fusefat could not mount a FAT image";
            return;
        }
        mounted_ = true;
    }
    ~FatMount() {
        if (mounted_)
            std::ignore = std::system(("fusermount -u '" + mountPoint().string() + "'").c_str());
    }
    FatMount(const FatMount&) = delete;
    FatMount& operator=(const FatMount&) = delete;

    // Empty when mounted.
    const std::string& skipReason() const { return reason_; }
    std::filesystem::path mountPoint() const { return dir_.path() / "mnt"; }

private:
    static std::string findTool(const std::string& name) {
        for (const char* folder : {"/usr/sbin/", "/sbin/", "/usr/bin/", "/bin/"}) {
            const std::string path = folder + name;
            if (::access(path.c_str(), X_OK) == 0) return path;
        }
        return {};
    }
    bool isMounted() const {
        struct stat inner {
        }, outer{};
        return ::stat(mountPoint().c_str(), &inner) == 0 &&
               ::stat(dir_.path().c_str(), &outer) == 0 && inner.st_dev != outer.st_dev;
    }

    TempDir dir_;
    std::string reason_;
    bool mounted_ = false;
};

}  // namespace lumetra::test
