#include "storage/CalibrationRecords.h"

#include <plist/plist.h>
#include <sys/stat.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "image/AtomicFile.h"
#include "image/Utf8Text.h"
#include "storage/TextFiles.h"

namespace lumetra {
namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using Plist = std::unique_ptr<void, PlistFree>;

// The root dictionary of the file, or null when it is missing or not a dictionary.
Plist loadDictionary(const std::string& path) {
    const auto bytes = readWholeFile(path);
    if (!bytes || bytes->empty() || bytes->size() > UINT32_MAX) return nullptr;
    plist_t root = nullptr;
    plist_from_memory(bytes->data(), static_cast<uint32_t>(bytes->size()), &root);
    Plist owned(root);
    if (!owned || plist_get_node_type(root) != PLIST_DICT) return nullptr;
    return owned;
}

// A deep copy whose keys and strings XML can hold.
plist_t xmlSafeCopy(plist_t node) {
    if (!node) return nullptr;
    switch (plist_get_node_type(node)) {
        case PLIST_DICT: {
            plist_t dict = plist_new_dict();
            plist_dict_iter it = nullptr;
            plist_dict_new_iter(node, &it);
            while (it) {
                char* key = nullptr;
                plist_t value = nullptr;
                plist_dict_next_item(node, it, &key, &value);
                if (!key) break;
                if (value) plist_dict_set_item(dict, xmlSafeText(key).c_str(), xmlSafeCopy(value));
                std::free(key);
            }
            std::free(it);
            return dict;
        }
        case PLIST_ARRAY: {
            plist_t array = plist_new_array();
            for (uint32_t i = 0; i < plist_array_get_size(node); ++i)
                if (plist_t item = xmlSafeCopy(plist_array_get_item(node, i)))
                    plist_array_append_item(array, item);
            return array;
        }
        case PLIST_STRING: {
            uint64_t length = 0;
            const char* text = plist_get_string_ptr(node, &length);
            return plist_new_string(
                xmlSafeText(std::string_view(text ? text : "", static_cast<size_t>(length)))
                    .c_str());
        }
        default:
            return plist_copy(node);
    }
}

WriteResult saveDictionary(const std::string& path, plist_t dict, bool replace = true) {
    const Plist safe(xmlSafeCopy(dict));
    char* xml = nullptr;
    uint32_t length = 0;
    if (safe) plist_to_xml(safe.get(), &xml, &length);
    if (!xml) return {path, ENOMEM};
    auto result = replace ? writeFileAtomically(path, xml, length)
                          : writeNewFileAtomically(path, xml, length);
    plist_to_xml_free(xml);
    return result;
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

std::string formatCalibrationRecord(float magnification, const std::string& unit,
                                    float unitLength) {
    std::string out;
    appendFixed3(out, magnification);
    out += '-';
    out += unit;
    out += '-';
    appendExactFixed(out, unitLength);
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
    return out;
}

std::optional<std::vector<CalibrationEntry>> readCalibrationList(const std::string& plistPath) {
    const Plist dict = loadDictionary(plistPath);
    if (!dict) return std::nullopt;
    std::vector<CalibrationEntry> entries;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(dict.get(), &it);
    if (!it) return entries;
    while (true) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dict.get(), it, &key, &value);
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
    return entries;
}

bool isAcceptableCalibrationName(std::string_view name) {
    return !name.empty() && isPrintableText(name);
}

WriteResult storeCalibrationRecord(const std::string& plistPath, const std::string& name,
                                   float magnification, const std::string& unit, float unitLength) {
    const Plist dict = loadDictionary(plistPath);
    if (!dict) {
        struct stat st {};
        return {plistPath, ::stat(plistPath.c_str(), &st) == 0 ? EBADMSG : ENOENT};
    }
    const std::string record = formatCalibrationRecord(magnification, unit, unitLength);
    plist_dict_set_item(dict.get(), name.c_str(), plist_new_string(record.c_str()));
    return saveDictionary(plistPath, dict.get());
}

WriteResult removeCalibrationRecord(const std::string& plistPath, const std::string& name) {
    const Plist dict = loadDictionary(plistPath);
    if (!dict) {
        struct stat st {};
        return {plistPath, ::stat(plistPath.c_str(), &st) == 0 ? EBADMSG : ENOENT};
    }
    plist_dict_remove_item(dict.get(), name.c_str());
    return saveDictionary(plistPath, dict.get());
}

WriteResult clearCalibrationList(const std::string& plistPath) {
    const Plist dict(plist_new_dict());
    return saveDictionary(plistPath, dict.get());
}

WriteResult createEmptyCalibrationList(const std::string& plistPath) {
    const Plist dict(plist_new_dict());
    return saveDictionary(plistPath, dict.get(), false);
}

}  // namespace lumetra
