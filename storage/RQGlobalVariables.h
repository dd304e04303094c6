#pragma once
// The process-wide settings: the storage root and the current album's folders,
// the calibration list path, the five drawing settings applied to new shapes,
// what a snapshot carries beside it, and the three feedback sounds. Creating it lays out the
// storage root. The fields are not locked: they are read and written on the main thread only.

#include <cstdint>
#include <string>

#include "image/Color.h"
#include "storage/StorageLayout.h"

namespace lumetra {

// A sound of the application's resources, by name and type ("TakePicture",
// "wav") with its file; the window turns it into a player. A missing file
// plays nothing.
struct SoundResource {
    std::string name;
    std::string type;
    std::string path;
};

class RQGlobalVariables {
public:
    // The one instance, created on the first call (under a lock) in the user's
    // home directory with the application's resource folder.
    static RQGlobalVariables& shared();

    // Lays out home + "/Lumetra/" and reads the resources of resourceDir. Every
    // file-system failure is passed over; the paths are set regardless.
    RQGlobalVariables(const std::string& homeDir, const std::string& resourceDir);

    RQGlobalVariables(const RQGlobalVariables&) = delete;
    RQGlobalVariables& operator=(const RQGlobalVariables&) = delete;

    const std::string& getStrDocuments() const { return strDocuments; }
    const std::string& getStrDefFolder() const { return strDefaultFolder; }
    const std::string& getStrDocumentsPicture() const { return strDocumentsPicture; }
    const std::string& getStrDocumentsVideo() const { return strDocumentsVideo; }
    const std::string& getStrCalibrationPlist() const { return strCalibrationPlist; }
    int32_t getILineWidth() const { return iLineWidth; }
    int32_t getIFontSize() const { return iFontSize; }
    int32_t getIDecimal() const { return iDecimal; }
    RgbColor getOLineColor() const { return oLineColor; }
    RgbColor getOFontColor() const { return oFontColor; }
    // Whether a snapshot keeps a clean copy of its frame ("<name>.clean.jpg"), and an
    // analysis copy ("<name>.tif").
    bool snapshotCleanCopy() const { return cleanCopy_; }
    bool snapshotAnalysisCopy() const { return analysisCopy_; }
    const SoundResource& getAvCameraVoice() const { return avCameraVoice; }
    const SoundResource& getAvStartRecVoice() const { return avStartRecVoice; }
    const SoundResource& getAvStopRecVoice() const { return avStopRecVoice; }

    void setStrDocuments(const std::string& value) { strDocuments = value; }
    void setStrDefFolder(const std::string& value) { strDefaultFolder = value; }
    void setStrDocumentsPicture(const std::string& value) { strDocumentsPicture = value; }
    void setStrDocumentsVideo(const std::string& value) { strDocumentsVideo = value; }
    void setILineWidth(int32_t value) { iLineWidth = value; }
    void setIFontSize(int32_t value) { iFontSize = value; }
    void setIDecimal(int32_t value) { iDecimal = value; }
    void setOLineColor(RgbColor value) { oLineColor = value; }
    void setOFontColor(RgbColor value) { oFontColor = value; }
    void setSnapshotCleanCopy(bool value) { cleanCopy_ = value; }
    void setSnapshotAnalysisCopy(bool value) { analysisCopy_ = value; }

    // The layout of the storage root (default.txt, calibration.txt, album folders).
    StorageLayout layout() const { return StorageLayout{strDocuments}; }

private:
    int32_t iLineWidth = 2;
    int32_t iFontSize = 16;
    int32_t iDecimal = 3;
    std::string strDocuments;
    std::string strDefaultFolder;
    std::string strDocumentsPicture;
    std::string strDocumentsVideo;
    std::string strCalibrationPlist;
    SoundResource avCameraVoice;
    SoundResource avStartRecVoice;
    SoundResource avStopRecVoice;
    RgbColor oLineColor = kPureRed;
    RgbColor oFontColor = kPureBlue;
    bool cleanCopy_ = true;
    bool analysisCopy_ = false;
};

}  // namespace lumetra
