#include "capture/AnalysisCopy.h"

#include <cerrno>
#include <cmath>

#include "capture/StampedName.h"
#include "measure/LabelFormat.h"

namespace lumetra {
namespace {

struct UnitTag {
    std::string name;  // in the description
    TiffResolutionUnit resolutionUnit;
    double unitsPerCalibrationUnit;
};

std::optional<UnitTag> unitTag(const std::string& unit) {
    if (unit == "µm") return UnitTag{"micron", TiffResolutionUnit::None, 1.0};
    if (unit == "cm") return UnitTag{"cm", TiffResolutionUnit::Centimetre, 1.0};
    if (unit == "in") return UnitTag{"inch", TiffResolutionUnit::Inch, 1.0};
    if (unit == "mil") return UnitTag{"inch", TiffResolutionUnit::Inch, 0.001};
    if (unit.empty()) return std::nullopt;
    // Any other unit goes as it is, when the description can hold it on one line.
    for (const char c : unit)
        if (c < 0x21 || c > 0x7e || c == '=') return std::nullopt;
    return UnitTag{unit, TiffResolutionUnit::None, 1.0};
}

}  // namespace

AnalysisTags analysisTags(const SnapshotRecord& record, int frameWidth, int frameHeight) {
    const auto unit = unitTag(record.calibration.strUnit);
    if (!unit || frameWidth <= 0 || frameHeight <= 0) return {};
    const double unitsPerViewUnit =
        lengthInUnits(1.0f, record.calibration) * unit->unitsPerCalibrationUnit;
    const double x = frameWidth / (record.viewWidth * unitsPerViewUnit);
    const double y = frameHeight / (record.viewHeight * unitsPerViewUnit);
    if (!isTiffResolution(x) || !isTiffResolution(y)) return {};
    return {"ImageJ=1.11a\nunit=" + unit->name + "\n", TiffResolution{x, y, unit->resolutionUnit}};
}

std::vector<uint8_t> encodeAnalysisCopy(const Frame& frame, const SnapshotRecord& record) {
    const AnalysisTags tags = analysisTags(record, frame.width, frame.height);
    return encodeTiff(frame, tags.description, tags.resolution);
}

std::optional<std::string> writeAnalysisCopy(const Frame& frame, const SnapshotRecord& record,
                                             const std::string& folder, const std::string& stamp,
                                             WriteResult* failure) {
    const std::vector<uint8_t> bytes = encodeAnalysisCopy(frame, record);
    WriteResult result(folder + stampedFileName(stamp, 0, ".tif"), bytes.empty() ? EINVAL : 0);
    if (result) {
        const StampedFile written = createStampedFile(
            // A snapshot of that name would take the copy for its own.
            folder, stamp, ".tif",
            [](const std::string& path) { return path.substr(0, path.size() - 4) + ".jpg"; },
            [&](const std::string& path) {
                result = writeNewFileAtomically(path, bytes.data(), bytes.size());
                return result.error();
            });
        if (written.error == 0) return written.path;
        if (result) result = WriteResult(folder + stampedFileName(stamp, 0, ".tif"), written.error);
    }
    if (failure) *failure = result;
    return std::nullopt;
}

}  // namespace lumetra
