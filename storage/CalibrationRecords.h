#pragma once
// The calibration list file: an XML property list whose root dictionary maps a
// calibration name to its record "<magnification>-<unit>-<unit length>"
// ("4.000-mm-0.250"): the magnification with three decimals, the unit length in
// plain decimals, at least three and as many as it takes to read back exactly
// ("1.000-mm-0.0013157895"). Unit titles hold no "-".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/AtomicFile.h"

namespace lumetra {

struct CalibrationRecord {
    float magnification = 0.0f;
    std::string unit;
    float unitLength = 0.0f;
};

// One entry of the list file, in file order. record is nullopt when the value
// stored under the name is not a string.
struct CalibrationEntry {
    std::string name;
    std::optional<std::string> record;
};

// "%.3f-%@-" of magnification and unit, then the unit length in plain decimals that
// read back as exactly the same float; independent of the locale.
std::string formatCalibrationRecord(float magnification, const std::string& unit, float unitLength);

// Splits a record at every "-": part 0 is the magnification, part 1 the unit,
// part 2 the unit length. nullopt when fewer than three parts come out.
std::optional<CalibrationRecord> parseCalibrationRecord(std::string_view record);

// Reads a decimal number the lenient way of a text field's float value: leading
// white space is skipped, the longest numeric prefix is used, and text without
// one (or a value that is not finite) reads as 0.
float parseFloatValue(std::string_view text);

// All entries of the list file in file order; nullopt when the file is missing,
// cannot be parsed, or its root is not a dictionary.
std::optional<std::vector<CalibrationEntry>> readCalibrationList(const std::string& plistPath);

// True when name may become a calibration: not empty, and printable text (no
// control characters, well-formed UTF-8) that the list file stores as it is.
bool isAcceptableCalibrationName(std::string_view name);

// Sets the record of `name` (replacing an existing one in its place, otherwise
// appending it) and writes the whole dictionary back atomically as XML. Fails,
// leaving the file as it was, when the file is missing (ENOENT), cannot be parsed
// (EBADMSG) or the write fails.
//
// The list file is always valid XML: names and texts are written through
// xmlSafeText, so characters XML cannot hold become U+FFFD.
WriteResult storeCalibrationRecord(const std::string& plistPath, const std::string& name,
                                   float magnification, const std::string& unit, float unitLength);

// Removes the record of `name` (if any) and writes the rest back atomically.
// False, leaving the file as it was, when it is missing, cannot be parsed or the
// write fails.
WriteResult removeCalibrationRecord(const std::string& plistPath, const std::string& name);

// Replaces the file atomically with an XML property list holding an empty
// dictionary (whatever it held before, parseable or not).
WriteResult clearCalibrationList(const std::string& plistPath);

// Creates the file with an empty dictionary; never replaces an existing file.
WriteResult createEmptyCalibrationList(const std::string& plistPath);

}  // namespace lumetra
