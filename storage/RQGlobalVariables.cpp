#include "storage/RQGlobalVariables.h"

#include <sys/stat.h>

#include <filesystem>

#include "image/AtomicFile.h"
#include "storage/CalibrationRecords.h"
#include "storage/Resources.h"
#include "storage/TextFiles.h"

namespace lumetra {
namespace {

constexpr const char* kDefaultAlbum = "default";

// Creates one folder; a missing parent is not created and errors are ignored.
void makeFolder(const std::string& path) { ::mkdir(path.c_str(), 0755); }

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The album named by default.txt. A name that is not UTF-8, or that would reach
// outside the root, falls back to "default" and the file is left for the user.
// An empty name stays empty: its folders are the root's own.
std::string readDefaultAlbum(const std::string& path) {
    if (!exists(path)) {
        // Passed over like every failure here: the next start reads "default" again.
        (void)writeNameFile(path, kDefaultAlbum);
        return kDefaultAlbum;
    }
    const auto name = readNameFile(path);
    if (!name || (!name->empty() && !isPlainFolderName(*name))) return kDefaultAlbum;
    return *name;
}

SoundResource sound(const std::string& resourceDir, const char* name) {
    return SoundResource{name, "wav",
                         joinPath(resourceDir, std::string("sounds/") + name + ".wav")};
}

}  // namespace

RQGlobalVariables& RQGlobalVariables::shared() {
    // A function-local static: the first caller creates it while the others wait.
    static RQGlobalVariables instance(homeDirectory(), resourceDirectory());
    return instance;
}

RQGlobalVariables::RQGlobalVariables(const std::string& homeDir, const std::string& resourceDir) {
    const StorageLayout paths = StorageLayout::forHome(homeDir);
    strDocuments = paths.root;
    makeFolder(strDocuments);

    strDefaultFolder = readDefaultAlbum(paths.defaultTxt());

    makeFolder(paths.albumFolder(strDefaultFolder));
    strDocumentsPicture = paths.pictureFolder(strDefaultFolder);
    makeFolder(strDocumentsPicture);
    strDocumentsVideo = paths.videoFolder(strDefaultFolder);
    makeFolder(strDocumentsVideo);

    strCalibrationPlist = paths.calibrationPlist();
    if (!exists(strCalibrationPlist)) {
        const auto templ = readWholeFile(joinPath(resourceDir, "calibration.plist"));
        // Passed over: storing a calibration in a missing list says so then.
        if (templ)
            (void)writeNewFileAtomically(strCalibrationPlist, templ->data(), templ->size());
        else
            (void)createEmptyCalibrationList(strCalibrationPlist);
    }

    avCameraVoice = sound(resourceDir, "TakePicture");
    avStartRecVoice = sound(resourceDir, "StartRecord");
    avStopRecVoice = sound(resourceDir, "StopRecord");
}

}  // namespace lumetra
