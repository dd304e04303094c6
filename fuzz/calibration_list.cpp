// The calibration list reader takes any file; a list it reads can always be
// stored into, and the stored file reads back with the new record under the
// name as XML can hold it, every name well-formed text.

#include <fstream>
#include <string>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "image/Utf8Text.h"
#include "storage/CalibrationRecords.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ScratchFolder::path() + "/calibration.plist";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const auto entries = readCalibrationList(path);
    if (!entries) return 0;
    for (const auto& entry : *entries)
        if (entry.record) parseCalibrationRecord(*entry.record);

    const std::string name = entries->empty() ? "\x01new" : entries->front().name + "\x7F";
    FUZZ_CHECK(storeCalibrationRecord(path, name, 2.0f, "mm", 0.5f));
    const auto stored = readCalibrationList(path);
    FUZZ_CHECK(stored && !stored->empty());
    bool found = false;
    for (const auto& entry : *stored) {
        FUZZ_CHECK(isValidUtf8(entry.name) && xmlSafeText(entry.name) == entry.name);
        found = found || (entry.name == xmlSafeText(name) && entry.record == "2.000-mm-0.500");
    }
    FUZZ_CHECK(found);
    return 0;
}
