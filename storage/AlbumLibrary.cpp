#include "storage/AlbumLibrary.h"

#include <locale.h>
#include <sys/stat.h>
#include <wctype.h>

#include <algorithm>
#include <filesystem>

#include "image/Utf8Text.h"
#include "storage/RQGlobalVariables.h"
#include "storage/StorageLayout.h"
#include "storage/TextFiles.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;

bool isFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// The locale whose case mapping covers all of Unicode, whatever the process uses.
locale_t unicodeLocale() {
    static const locale_t loc = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return loc;
}

// The name's code points, lower-cased. Bytes that are not UTF-8 keep their value
// shifted into a private range, so such names still sort consistently.
std::u32string lowerCased(std::string_view name) {
    std::u32string out;
    const locale_t loc = unicodeLocale();
    size_t i = 0;
    while (i < name.size()) {
        const auto c = static_cast<unsigned char>(name[i]);
        const size_t len = c < 0x80           ? 1
                           : (c >> 5) == 0x6  ? 2
                           : (c >> 4) == 0xE  ? 3
                           : (c >> 3) == 0x1E ? 4
                                              : 0;
        if (len == 0 || i + len > name.size() || !isValidUtf8(name.substr(i, len))) {
            out.push_back(0xF0000 + c);
            ++i;
            continue;
        }
        char32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (size_t k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(name[i + k]) & 0x3F);
        if (loc)
            cp = static_cast<char32_t>(::towlower_l(static_cast<wint_t>(cp), loc));
        else if (cp >= U'A' && cp <= U'Z')
            cp += U'a' - U'A';
        out.push_back(cp);
        i += len;
    }
    return out;
}

}  // namespace

bool isAlbum(const std::string& root, const std::string& name) {
    const std::string folder = joinPath(root, name);
    return isFolder(folder) && isFolder(folder + "/Image") && isFolder(folder + "/Video");
}

std::vector<std::string> scanAlbums(const std::string& root) {
    std::vector<std::pair<std::u32string, std::string>> keyed;  // lower-cased, name
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (isAlbum(root, name)) keyed.emplace_back(lowerCased(name), std::move(name));
    }
    // Ties of the lower-cased forms keep a fixed order by the names themselves.
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> names;
    names.reserve(keyed.size());
    for (auto& entry : keyed) names.push_back(std::move(entry.second));
    return names;
}

const char* albumCreationAlert(AlbumCreation result) {
    switch (result) {
        case AlbumCreation::EmptyName:
            return "Please enter folder name";
        case AlbumCreation::IllegalName:
            return "Name is illegal";
        case AlbumCreation::AlreadyExists:
            return "The folder name exist";
        case AlbumCreation::Created:
            break;
    }
    return "";
}

AlbumLibrary::AlbumLibrary(RQGlobalVariables& settings) : settings_(settings) {}

std::optional<size_t> AlbumLibrary::scan() {
    oAblumMutArray_ = scanAlbums(settings_.getStrDocuments());
    const auto it =
        std::find(oAblumMutArray_.begin(), oAblumMutArray_.end(), settings_.getStrDefFolder());
    if (it == oAblumMutArray_.end()) return std::nullopt;
    return static_cast<size_t>(it - oAblumMutArray_.begin());
}

AlbumCreation AlbumLibrary::createAlbum(const std::string& name) {
    if (name.empty()) return AlbumCreation::EmptyName;
    if (!isPlainFolderName(name)) return AlbumCreation::IllegalName;
    const StorageLayout paths = settings_.layout();
    ::mkdir(paths.root.c_str(), 0755);
    const std::string folder = paths.albumFolder(name);
    std::error_code ec;
    // Anything there counts, a dangling link included.
    if (fs::symlink_status(folder, ec).type() != fs::file_type::not_found)
        return AlbumCreation::AlreadyExists;
    ::mkdir(folder.c_str(), 0755);
    ::mkdir(paths.pictureFolder(name).c_str(), 0755);
    ::mkdir(paths.videoFolder(name).c_str(), 0755);
    return AlbumCreation::Created;
}

size_t AlbumLibrary::appendAlbum(const std::string& name) {
    oAblumMutArray_.push_back(name);
    return oAblumMutArray_.size() - 1;
}

bool AlbumLibrary::switchAlbum(size_t index) {
    if (index >= oAblumMutArray_.size()) return false;
    const std::string& name = oAblumMutArray_[index];
    const StorageLayout paths = settings_.layout();
    settings_.setStrDocumentsPicture(paths.pictureFolder(name));
    settings_.setStrDocumentsVideo(paths.videoFolder(name));
    writeNameFile(paths.defaultTxt(), name);
    return true;
}

}  // namespace lumetra
