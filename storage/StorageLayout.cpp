#include "storage/StorageLayout.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace lumetra {

std::string homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buf(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found &&
        found->pw_dir)
        return found->pw_dir;
    return {};
}

std::string sidecarPath(const std::string& picturePath) { return picturePath + ".json"; }

namespace {

constexpr std::string_view kSnapshotExtension = ".jpg";
constexpr std::string_view kCleanCopyExtension = ".clean.jpg";

// The path without its ".jpg"; the whole path when it has none.
std::string_view withoutJpg(std::string_view path) {
    if (path.ends_with(kSnapshotExtension)) path.remove_suffix(kSnapshotExtension.size());
    return path;
}

}  // namespace

std::string cleanCopyPath(const std::string& picturePath) {
    return std::string(withoutJpg(picturePath)) + std::string(kCleanCopyExtension);
}

std::string analysisCopyPath(const std::string& picturePath) {
    return std::string(withoutJpg(picturePath)) + ".tif";
}

bool isCleanCopyName(std::string_view name) {
    return name.size() > kCleanCopyExtension.size() && name.ends_with(kCleanCopyExtension) &&
           name[name.size() - kCleanCopyExtension.size() - 1] != '/';
}

std::string snapshotOfCleanCopy(std::string_view path) {
    if (!isCleanCopyName(path)) return {};
    path.remove_suffix(kCleanCopyExtension.size());
    return std::string(path) + std::string(kSnapshotExtension);
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (out.empty() || out.back() != '/') out += '/';
    out += name;
    return out;
}

bool isPlainFolderName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

StorageLayout StorageLayout::forHome(std::string_view home) {
    while (!home.empty() && home.back() == '/') home.remove_suffix(1);
    return StorageLayout{std::string(home) + "/Lumetra/"};
}

std::string StorageLayout::albumFolder(std::string_view album) const {
    return root + std::string(album);
}

std::string StorageLayout::pictureFolder(std::string_view album) const {
    return albumFolder(album) + "/Image/";
}

std::string StorageLayout::videoFolder(std::string_view album) const {
    return albumFolder(album) + "/Video/";
}

std::string StorageLayout::calibrationPlist() const { return root + "calibration.plist"; }

std::string StorageLayout::defaultTxt() const { return joinPath(root, "default.txt"); }

std::string StorageLayout::calibrationTxt() const { return joinPath(root, "calibration.txt"); }

}  // namespace lumetra
