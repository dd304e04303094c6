#pragma once
// The calibration list file: a property list (written as XML, read as XML or
// binary) whose root dictionary maps a calibration name to its record
// "<magnification>-<unit>-<unit length>" ("4.000-mm-0.250"): the magnification
// with three decimals, the unit length in plain decimals, at least three and as
// many as it takes to read back exactly ("1.000-mm-0.0013157895"). A calibration
// found from a micrometer's ticks adds its relative standard error as a fourth part
// ("1.000-um-0.950-0.00012"); readers that know three parts ignore it. Unit titles
// hold no "-".

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
    float relativeUncertainty = 0.0f;  // 0: none known (a drawn reference line)
};

// One entry of the list file, in file order. record is nullopt when the value
// stored under the name is not a string.
struct CalibrationEntry {
    std::string name;
    std::optional<std::string> record;
};

// "%.3f-%@-" of magnification and unit, then the unit length in plain decimals that
// read back as exactly the same float, then "-" and the relative uncertainty the same way
// when it is greater than 0; independent of the locale.
std::string formatCalibrationRecord(float magnification, const std::string& unit, float unitLength,
                                    float relativeUncertainty = 0.0f);

// Splits a record at every "-": part 0 is the magnification, part 1 the unit,
// part 2 the unit length, part 3 (when there is one) the relative uncertainty. nullopt
// when fewer than three parts come out.
std::optional<CalibrationRecord> parseCalibrationRecord(std::string_view record);

// Reads a decimal number the lenient way of a text field's float value: leading
// white space is skipped, the longest numeric prefix is used, and text without
// one (or a value that is not finite) reads as 0.
float parseFloatValue(std::string_view text);

// All entries of the list file in file order; nullopt when the file is missing,
// larger than kMaxCalibrationListSize, nested too deeply for the reader
// (plistIsShallow), cannot be parsed, or its root is not a dictionary.
std::optional<std::vector<CalibrationEntry>> readCalibrationList(const std::string& plistPath);

// True when name may become a calibration: not empty, and printable text (no
// control characters, well-formed UTF-8) that the list file stores as it is.
bool isAcceptableCalibrationName(std::string_view name);

// Calibration lists are a few kilobytes; a larger file is not read as one.
inline constexpr size_t kMaxCalibrationListSize = 4 * 1024 * 1024;

// How storing a record went. An unreadable list is never overwritten: it is
// kept as "<list>.unreadable-<yyyyMMddHHmmss>" and a new list holds the record.
struct CalibrationStore {
    WriteResult written;   // whether the list file holds the record
    std::string setAside;  // where an unreadable list was kept; "" when none was
    explicit operator bool() const { return static_cast<bool>(written); }
    // What the user must know: the failure, or where the unreadable list went;
    // "" for a plain success.
    std::string message() const;
};

// Sets the record of `name` (replacing an existing one in its place, otherwise
// appending it) and writes the list back atomically as a flat XML dictionary of
// the records (values that are not records are dropped). Fails, leaving the
// file as it was, when the file is missing (ENOENT) or the write fails. An
// unreadable file (not a property list, not a dictionary, nested too deeply,
// larger than kMaxCalibrationListSize) is set aside first.
//
// The list file is always valid XML: names and texts are written through
// xmlSafeText, so characters XML cannot hold become U+FFFD.
CalibrationStore storeCalibrationRecord(const std::string& plistPath, const std::string& name,
                                        float magnification, const std::string& unit,
                                        float unitLength, float relativeUncertainty = 0.0f);

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
