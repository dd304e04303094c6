#include "storage/CalibrationRecords.h"

#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <variant>

#include "image/AtomicFile.h"
#include "image/Translate.h"
#include "image/Utf8Text.h"
#include "storage/PlistNesting.h"
#include "storage/TextFiles.h"

namespace lumetra {
namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using Plist = std::unique_ptr<void, PlistFree>;

enum class ListState { Read, Missing, Unreadable };

// The entries of the list file, in file order. The bytes reach libplist only
// when they are small and shallow enough for its recursive reader.
ListState loadEntries(const std::string& path, std::vector<CalibrationEntry>& entries) {
    const auto bytes = readWholeFile(path, kMaxCalibrationListSize);
    if (!bytes) {
        struct stat st {};
        return ::lstat(path.c_str(), &st) == 0 ? ListState::Unreadable : ListState::Missing;
    }
    if (bytes->empty() || !plistIsShallow(*bytes)) return ListState::Unreadable;
    plist_t root = nullptr;
    plist_from_memory(bytes->data(), static_cast<uint32_t>(bytes->size()), &root);
    const Plist dict(root);
    if (!dict || plist_get_node_type(root) != PLIST_DICT) return ListState::Unreadable;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(root, &it);
    if (!it) return ListState::Read;
    while (true) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(root, it, &key, &value);
        if (!key) break;
        CalibrationEntry entry;
        entry.name = key;
        std::free(key);
        if (value && plist_get_node_type(value) == PLIST_STRING) {
            uint64_t length = 0;
            const char* text = plist_get_string_ptr(value, &length);
            if (text) entry.record = std::string(text, static_cast<size_t>(length));
        }
        entries.push_back(std::move(entry));
    }
    std::free(it);
    return ListState::Read;
}

// Writes the entries with a record as a flat XML dictionary, names and records
// as XML can hold them; entries without a record are left out.
WriteResult saveEntries(const std::string& path, const std::vector<CalibrationEntry>& entries,
                        bool replace = true) {
    const Plist dict(plist_new_dict());
    for (const auto& entry : entries)
        if (entry.record)
            plist_dict_set_item(dict.get(), xmlSafeText(entry.name).c_str(),
                                plist_new_string(xmlSafeText(*entry.record).c_str()));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(dict.get(), &xml, &length);
    if (!xml) return {path, ENOMEM};
    auto result = replace ? writeFileAtomically(path, xml, length)
                          : writeNewFileAtomically(path, xml, length);
    plist_to_xml_free(xml);
    return result;
}

// The local time as "yyyyMMddHHmmss".
std::string localTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    std::array<char, 32> text{};
    const size_t length = std::strftime(text.data(), text.size(), "%Y%m%d%H%M%S", &local);
    return std::string(text.data(), length);
}

// Keeps the file at path under "<path>.unreadable-<time>" (a number added when
// that is taken) before a new list replaces it. A hard link keeps it where the
// file system has them; elsewhere it is renamed. Returns the name kept, or the
// failure.
std::variant<std::string, WriteResult> setAside(const std::string& path) {
    const std::string stem = path + ".unreadable-" + localTimeStamp();
    constexpr int kMaxTries = 100;
    int error = EEXIST;
    for (int n = 0; n < kMaxTries && error == EEXIST; ++n) {
        const std::string aside = n == 0 ? stem : stem + "-" + std::to_string(n);
        error = ::link(path.c_str(), aside.c_str()) == 0 ? 0 : errno;
        if (error != 0 && isLinkUnsupported(error)) {
            struct stat st {};
            if (::lstat(aside.c_str(), &st) == 0) {
                error = EEXIST;
                continue;
            }
            error = ::rename(path.c_str(), aside.c_str()) == 0 ? 0 : errno;
        }
        if (error == 0) return aside;
    }
    return WriteResult(path, error);
}

void appendFixed3(std::string& out, float value) {
    std::array<char, 64> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<double>(value),
                                   std::chars_format::fixed, 3);
    out.append(buf.data(), res.ptr);
}

// The shortest plain decimal (no exponent: "-" separates the record's fields) that
// reads back as exactly this float, with at least three decimals.
void appendExactFixed(std::string& out, float value) {
    std::array<char, 128> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed);
    const std::string_view shortest(buf.data(), static_cast<size_t>(res.ptr - buf.data()));
    const size_t point = shortest.find('.');
    const size_t decimals = point == std::string_view::npos ? 0 : shortest.size() - point - 1;
    if (res.ec != std::errc() || decimals < 3) {
        appendFixed3(out, value);
    } else {
        out += shortest;
    }
}

}  // namespace

std::string formatCalibrationRecord(float magnification, const std::string& unit, float unitLength,
                                    float relativeUncertainty) {
    std::string out;
    appendFixed3(out, magnification);
    out += '-';
    out += unit;
    out += '-';
    appendExactFixed(out, unitLength);
    if (relativeUncertainty > 0.0f) {
        out += '-';
        appendExactFixed(out, relativeUncertainty);
    }
    return out;
}

float parseFloatValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\f' || text[i] == '\v'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Only plain decimal notation: digits, an optional fraction, an optional exponent.
    if (i >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'))
        return 0.0f;
    float value = 0.0f;
    const auto res = std::from_chars(text.data() + i, text.data() + text.size(), value,
                                     std::chars_format::general);
    if (res.ec != std::errc() || !std::isfinite(value)) return 0.0f;
    return negative ? -value : value;
}

std::optional<CalibrationRecord> parseCalibrationRecord(std::string_view record) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t dash = record.find('-', start);
        parts.push_back(record.substr(start, dash == std::string_view::npos ? dash : dash - start));
        if (dash == std::string_view::npos) break;
        start = dash + 1;
    }
    if (parts.size() < 3) return std::nullopt;
    CalibrationRecord out;
    out.magnification = parseFloatValue(parts[0]);
    out.unit = std::string(parts[1]);
    out.unitLength = parseFloatValue(parts[2]);
    if (parts.size() > 3) out.relativeUncertainty = std::max(0.0f, parseFloatValue(parts[3]));
    return out;
}

std::optional<std::vector<CalibrationEntry>> readCalibrationList(const std::string& plistPath) {
    std::vector<CalibrationEntry> entries;
    if (loadEntries(plistPath, entries) != ListState::Read) return std::nullopt;
    return entries;
}

bool isAcceptableCalibrationName(std::string_view name) {
    return !name.empty() && isPrintableText(name);
}

std::string CalibrationStore::message() const {
    if (!written) return written.message();
    if (setAside.empty()) return {};
    return fillIn(translate("CalibrationStore",
                            "The calibration list could not be read. It is "
                            "kept as \"{}\"; a new list holds the calibration."),
                  {setAside});
}

CalibrationStore storeCalibrationRecord(const std::string& plistPath, const std::string& name,
                                        float magnification, const std::string& unit,
                                        float unitLength, float relativeUncertainty) {
    CalibrationStore out;
    std::vector<CalibrationEntry> entries;
    switch (loadEntries(plistPath, entries)) {
        case ListState::Missing:
            out.written = {plistPath, ENOENT};
            return out;
        case ListState::Unreadable: {
            // Never lost: the unreadable file stays beside the new list.
            auto aside = setAside(plistPath);
            if (auto* failure = std::get_if<WriteResult>(&aside)) {
                out.written = std::move(*failure);
                return out;
            }
            out.setAside = std::get<std::string>(std::move(aside));
            break;
        }
        case ListState::Read:
            break;
    }
    const std::string record =
        formatCalibrationRecord(magnification, unit, unitLength, relativeUncertainty);
    const auto same = std::find_if(entries.begin(), entries.end(),
                                   [&](const CalibrationEntry& e) { return e.name == name; });
    if (same != entries.end())
        same->record = record;
    else
        entries.push_back({name, record});
    out.written = saveEntries(plistPath, entries);
    return out;
}

WriteResult removeCalibrationRecord(const std::string& plistPath, const std::string& name) {
    std::vector<CalibrationEntry> entries;
    switch (loadEntries(plistPath, entries)) {
        case ListState::Missing:
            return {plistPath, ENOENT};
        case ListState::Unreadable:
            return {plistPath, EBADMSG};
        case ListState::Read:
            break;
    }
    std::erase_if(entries, [&](const CalibrationEntry& e) { return e.name == name; });
    return saveEntries(plistPath, entries);
}

WriteResult clearCalibrationList(const std::string& plistPath) {
    return saveEntries(plistPath, {});
}

WriteResult createEmptyCalibrationList(const std::string& plistPath) {
    return saveEntries(plistPath, {}, false);
}

}  // namespace lumetra
