#include "storage/CalibrationModel.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "storage/CalibrationRecords.h"
#include "storage/RQGlobalVariables.h"
#include "storage/TextFiles.h"

namespace lumetra {
namespace {

// The usable record stored under name in the list file, if any.
std::optional<CalibrationRecord> findRecord(const std::string& plistPath, const std::string& name) {
    const auto entries = readCalibrationList(plistPath);
    if (!entries) return std::nullopt;
    for (const auto& entry : *entries) {
        if (entry.name != name) continue;
        if (!entry.record) return std::nullopt;
        return parseCalibrationRecord(*entry.record);
    }
    return std::nullopt;
}

}  // namespace

CalibrationModel::CalibrationModel(std::string plistPath, std::string calibrationTxtPath)
    : plistPath_(std::move(plistPath)), calibrationTxtPath_(std::move(calibrationTxtPath)) {}

CalibrationModel::CalibrationModel(const RQGlobalVariables& settings)
    : CalibrationModel(settings.getStrCalibrationPlist(), settings.layout().calibrationTxt()) {}

void CalibrationModel::initCalParas() {
    strCalName_.clear();
    fScale_ = 0.0f;
    fUnitLength_ = 1.0f;
    strUnit_ = "mm";
    relativeUncertainty_ = 0.0f;
}

void CalibrationModel::setCalibratedParas(const std::string& name, float mag, float len,
                                          const std::string& unit, float relativeUncertainty) {
    strCalName_ = name;
    relativeUncertainty_ = relativeUncertainty;
    fScale_ = mag;
    fUnitLength_ = len;
    strUnit_ = unit;
}

std::optional<size_t> CalibrationModel::restore() {
    initCalParas();
    oCalMutArray_.clear();
    const auto entries = readCalibrationList(plistPath_);
    struct stat st {};
    listUnreadable_ = !entries && ::lstat(plistPath_.c_str(), &st) == 0;
    if (!entries) return std::nullopt;
    for (const auto& entry : *entries) oCalMutArray_.push_back(entry.name);
    if (oCalMutArray_.empty()) return std::nullopt;

    const auto current = readNameFile(calibrationTxtPath_);
    if (!current) return std::nullopt;
    for (size_t i = 0; i < entries->size(); ++i) {
        const auto& entry = (*entries)[i];
        if (entry.name != *current) continue;
        // A record that does not split into its parts counts as missing.
        const auto record = entry.record ? parseCalibrationRecord(*entry.record) : std::nullopt;
        if (!record) return std::nullopt;
        setCalibratedParas(entry.name, record->magnification, record->unitLength, record->unit,
                           record->relativeUncertainty);
        return i;
    }
    return std::nullopt;
}

std::optional<WriteResult> CalibrationModel::select(size_t index) {
    if (index >= oCalMutArray_.size()) return std::nullopt;
    const std::string name = oCalMutArray_[index];
    if (const auto record = findRecord(plistPath_, name))
        setCalibratedParas(name, record->magnification, record->unitLength, record->unit,
                           record->relativeUncertainty);
    else
        setCalibratedParas(name, 0.0f, 0.0f, "");
    return writeNameFile(calibrationTxtPath_, name);
}

std::optional<size_t> CalibrationModel::listedIndex(const std::string& name, float magnification,
                                                    float unitLength,
                                                    const std::string& unit) const {
    const auto at = std::find(oCalMutArray_.begin(), oCalMutArray_.end(), name);
    if (at == oCalMutArray_.end()) return std::nullopt;
    const auto record = findRecord(plistPath_, name);
    if (!record || record->magnification != magnification || record->unitLength != unitLength ||
        record->unit != unit)
        return std::nullopt;
    return static_cast<size_t>(at - oCalMutArray_.begin());
}

CalibrationModel::Stored CalibrationModel::storeCompleted(const std::string& name,
                                                          float magnification,
                                                          const std::string& unit, float unitLength,
                                                          float relativeUncertainty) {
    const CalibrationStore stored = storeCalibrationRecord(plistPath_, name, magnification, unit,
                                                           unitLength, relativeUncertainty);
    Stored out{std::nullopt, stored.message()};
    if (!stored) return out;
    setCalibratedParas(name, magnification, unitLength, unit, relativeUncertainty);
    oCalMutArray_.push_back(name);
    out.index = oCalMutArray_.size() - 1;
    if (const auto remembered = select(*out.index); !*remembered) {
        if (!out.problem.empty()) out.problem += ' ';
        out.problem += remembered->message();
    }
    return out;
}

WriteResult CalibrationModel::remove(size_t index) {
    if (index >= oCalMutArray_.size()) return {};
    const std::string name = oCalMutArray_[index];
    if (WriteResult removed = removeCalibrationRecord(plistPath_, name); !removed) return removed;
    // A list may hold a name twice; the file held one record for all of them.
    std::erase(oCalMutArray_, name);
    if (name == strCalName_) {
        ::unlink(calibrationTxtPath_.c_str());
        initCalParas();
    }
    return {};
}

WriteResult CalibrationModel::clear() {
    ::unlink(calibrationTxtPath_.c_str());
    auto result = clearCalibrationList(plistPath_);
    oCalMutArray_.clear();
    initCalParas();
    return result;
}

}  // namespace lumetra
