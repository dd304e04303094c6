#pragma once
// The current calibration and the list of stored calibration names, kept in step
// with the calibration list file and calibration.txt. The window mirrors names()
// in its combo box and forwards the user's choices by index.

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "image/AtomicFile.h"

namespace lumetra {

class RQGlobalVariables;

class CalibrationModel {
public:
    CalibrationModel(std::string plistPath, std::string calibrationTxtPath);
    // The settings' calibration list and the root's calibration.txt.
    explicit CalibrationModel(const RQGlobalVariables& settings);

    // The current calibration: uncalibrated while fScale() or fUnitLength() is not a
    // finite number greater than 0 (a record that holds 0 measures nothing, and an
    // infinite one would read every length as 0 or infinite).
    const std::string& strCalName() const { return strCalName_; }
    float fScale() const { return fScale_; }
    float fUnitLength() const { return fUnitLength_; }
    const std::string& strUnit() const { return strUnit_; }
    bool isCalibrated() const {
        return fScale_ > 0.0f && fUnitLength_ > 0.0f && std::isfinite(fScale_) &&
               std::isfinite(fUnitLength_);
    }
    // The relative standard error of a calibration found from a micrometer's ticks; 0
    // for a drawn one.
    float relativeUncertainty() const { return relativeUncertainty_; }

    // Name "", magnification 0, unit length 1, unit "mm".
    void initCalParas();
    void setCalibratedParas(const std::string& name, float mag, float len, const std::string& unit,
                            float relativeUncertainty = 0.0f);

    // The stored names in list order; the combo box shows the same.
    const std::vector<std::string>& names() const { return oCalMutArray_; }

    // Start-up: resets the current values, lists the names of the list file in
    // file order and, when calibration.txt names one of them with a usable
    // record, applies that record. Returns the index to select, if any.
    std::optional<size_t> restore();
    // True when the last restore found a list file it could not read (see
    // readCalibrationList); the file stays until a stored calibration sets it aside.
    bool listUnreadable() const { return listUnreadable_; }

    // The user chose names()[index]: applies its record read from the list file
    // (magnification 0, unit length 0 and no unit when there is none) and writes
    // calibration.txt. Returns how that write went; nullopt, ignoring the call,
    // for an index outside the list.
    std::optional<WriteResult> select(size_t index);

    // The index of the stored calibration named name whose record holds exactly these
    // values; nullopt when none does.
    std::optional<size_t> listedIndex(const std::string& name, float magnification,
                                      float unitLength, const std::string& unit) const;

    // The reference line completed a calibration: its record is stored under
    // name in the list file (replacing a record of that name), the name is
    // appended and chosen (current values from the stored, rounded record;
    // calibration.txt written). index is nullopt, with nothing listed or
    // chosen, when the list file is missing or cannot be written.
    struct Stored {
        std::optional<size_t> index;  // the new entry, for the combo box
        // What the user must know: why it was not stored, that an unreadable
        // list was set aside, or that calibration.txt could not be written.
        std::string problem;
    };
    Stored storeCompleted(const std::string& name, float magnification, const std::string& unit,
                          float unitLength, float relativeUncertainty = 0.0f);

    // Deletes the calibration names()[index] from the list file and the names; when
    // it was the current one, calibration.txt goes and the window is uncalibrated.
    // Nothing changes for an index outside the list (a success) or a list file that
    // cannot be written (the failure).
    WriteResult remove(size_t index);

    // "Clear Calibration": calibration.txt deleted, the list file emptied, no
    // names, uncalibrated. Returns how writing the emptied list went.
    WriteResult clear();

    const std::string& plistPath() const { return plistPath_; }
    const std::string& calibrationTxtPath() const { return calibrationTxtPath_; }

private:
    std::string plistPath_;
    std::string calibrationTxtPath_;
    std::vector<std::string> oCalMutArray_;
    std::string strCalName_;
    float fScale_ = 0.0f;
    float fUnitLength_ = 1.0f;
    std::string strUnit_ = "mm";
    float relativeUncertainty_ = 0.0f;
    bool listUnreadable_ = false;
};

}  // namespace lumetra
