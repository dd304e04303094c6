#include "storage/MediaList.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "storage/FileCopy.h"
#include "storage/NaturalOrder.h"
#include "storage/StorageLayout.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;

bool hasJpgExtension(const std::string& name) {
    const size_t dot = name.rfind('.');
    // A leading dot starts a hidden name, not an extension.
    return dot != std::string::npos && dot != 0 &&
           name.compare(dot + 1, std::string::npos, "jpg") == 0;
}

}  // namespace

std::vector<std::string> listMediaFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!hasJpgExtension(name)) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return naturalLess(a, b); });
    for (auto& name : names) name = joinPath(folder, name);
    return names;
}

std::string mediaFilePath(MediaKind kind, const std::string& itemTitle) {
    if (kind == MediaKind::Picture || itemTitle.size() < 4) return itemTitle;
    return itemTitle.substr(0, itemTitle.size() - 4);
}

void MediaList::load(const std::string& folder) {
    folder_ = folder;
    items_.clear();
    for (auto& path : listMediaFiles(folder)) items_.push_back(MediaItem{std::move(path)});
}

size_t MediaList::append(const std::string& jpegPath) {
    items_.push_back(MediaItem{jpegPath});
    return items_.size() - 1;
}

const MediaItem* MediaList::item(size_t index) const {
    return index < items_.size() ? &items_[index] : nullptr;
}

std::optional<std::string> MediaList::filePath(size_t index) const {
    if (index >= items_.size()) return std::nullopt;
    return mediaFilePath(kind_, items_[index].itemTitle);
}

bool MediaList::removeAt(size_t index) {
    if (index >= items_.size()) return false;
    const std::string& title = items_[index].itemTitle;
    ::unlink(title.c_str());
    if (kind_ == MediaKind::Video)
        ::unlink(mediaFilePath(kind_, title).c_str());
    else
        ::unlink(sidecarPath(title).c_str());
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool MediaList::removeAll() {
    if (items_.empty()) return false;
    std::error_code ec;
    fs::remove_all(folder_, ec);
    items_.clear();
    ::mkdir(folder_.c_str(), 0755);
    return true;
}

bool MediaList::saveCopy(size_t index, const std::string& destination) const {
    const auto source = filePath(index);
    return source && copyFileNoReplace(*source, destination);
}

}  // namespace lumetra
