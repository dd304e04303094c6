#include "storage/AlbumLibrary.h"

#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "image/Translate.h"
#include "image/Utf8Text.h"
#include "storage/RQGlobalVariables.h"
#include "storage/StorageLayout.h"
#include "storage/TextFiles.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;

int makeFolderNow(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0 ? 0 : errno; }

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

std::string AlbumCreationResult::alert() const {
    switch (status) {
        case AlbumCreation::EmptyName:
            return translate("AlbumLibrary", "Please enter folder name");
        case AlbumCreation::IllegalName:
            return translate("AlbumLibrary", "Name is illegal");
        case AlbumCreation::AlreadyExists:
            return translate("AlbumLibrary", "The folder name exist");
        case AlbumCreation::Failed:
            return fillIn(translate("AlbumLibrary", "The album could not be made. {}"),
                          {failure.message()});
        case AlbumCreation::Created:
            break;
    }
    return "";
}

AlbumLibrary::AlbumLibrary(RQGlobalVariables& settings, FolderMaker makeFolder)
    : settings_(settings), makeFolder_(makeFolder ? std::move(makeFolder) : makeFolderNow) {}

std::optional<size_t> AlbumLibrary::scan() {
    oAblumMutArray_ = scanAlbums(settings_.getStrDocuments());
    const auto it =
        std::find(oAblumMutArray_.begin(), oAblumMutArray_.end(), settings_.getStrDefFolder());
    if (it == oAblumMutArray_.end()) return std::nullopt;
    return static_cast<size_t>(it - oAblumMutArray_.begin());
}

AlbumCreationResult AlbumLibrary::createAlbum(const std::string& name) {
    using enum AlbumCreation;
    if (name.empty()) return {EmptyName, {}};
    if (!isPlainFolderName(name)) return {IllegalName, {}};
    const StorageLayout paths = settings_.layout();
    // A name the file system cannot hold is the name's fault, not the disk's.
    const auto failed = [](const std::string& path, int error) -> AlbumCreationResult {
        return {error == ENAMETOOLONG ? IllegalName : Failed, {path, error}};
    };
    if (const int error = makeFolder_(paths.root); error != 0 && error != EEXIST)
        return failed(paths.root, error);
    const std::string folder = paths.albumFolder(name);
    struct stat st {};
    // Anything there counts, a dangling link included.
    if (::lstat(folder.c_str(), &st) == 0) return {AlreadyExists, {}};
    if (errno != ENOENT) return failed(folder, errno);
    if (const int error = makeFolder_(folder); error != 0)
        return error == EEXIST ? AlbumCreationResult{AlreadyExists, {}} : failed(folder, error);
    // A half-made album would be listed by nobody and block its name.
    std::vector<std::string> made{folder};
    for (const std::string& sub : {paths.pictureFolder(name), paths.videoFolder(name)}) {
        if (const int error = makeFolder_(sub); error != 0) {
            for (auto it = made.rbegin(); it != made.rend(); ++it) ::rmdir(it->c_str());
            return failed(sub, error);
        }
        made.push_back(sub);
    }
    return {};
}

size_t AlbumLibrary::appendAlbum(const std::string& name) {
    oAblumMutArray_.push_back(name);
    return oAblumMutArray_.size() - 1;
}

std::optional<WriteResult> AlbumLibrary::switchAlbum(size_t index) {
    if (index >= oAblumMutArray_.size()) return std::nullopt;
    const std::string& name = oAblumMutArray_[index];
    const StorageLayout paths = settings_.layout();
    settings_.setStrDocumentsPicture(paths.pictureFolder(name));
    settings_.setStrDocumentsVideo(paths.videoFolder(name));
    return writeNameFile(paths.defaultTxt(), name);
}

}  // namespace lumetra
