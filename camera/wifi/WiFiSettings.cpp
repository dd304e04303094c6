#include "camera/wifi/WiFiSettings.h"

#include <array>
#include <map>
#include <optional>
#include <utility>

#include "camera/wifi/LineSearch.h"

namespace lumetra {
namespace {

struct CgiPrefix {
    const char* prefix;
    Adjustment adjustment;
};
constexpr std::array<CgiPrefix, 6> kCgiPrefixes = {{{"var vbright", Adjustment::Brightness},
                                                    {"var vcontrast", Adjustment::Contrast},
                                                    {"var vhue", Adjustment::Hue},
                                                    {"var vsaturation", Adjustment::Saturation},
                                                    {"var vsharpness", Adjustment::Sharpness},
                                                    {"var vgamma", Adjustment::Gamma}}};

// The wizard control list's names, tried in this order; the first found wins.
constexpr std::array<std::pair<const char*, Adjustment>, 6> kWizardNames = {
    {{"Brightness", Adjustment::Brightness},
     {"Contrast", Adjustment::Contrast},
     {"Saturation", Adjustment::Saturation},
     {"Hue", Adjustment::Hue},
     {"Gamma", Adjustment::Gamma},
     {"Sharpness", Adjustment::Sharpness}}};

std::optional<uint8_t> cgiRateIndex(int64_t fps) {
    constexpr std::array<int64_t, 6> kRates = {30, 25, 20, 15, 10, 5};
    for (size_t i = 0; i < kRates.size(); ++i)
        if (kRates[i] == fps) return static_cast<uint8_t>(i);
    return std::nullopt;
}

bool mentionsSize(std::string_view entry, uint16_t width, uint16_t height) {
    return contains(entry, std::to_string(width)) && contains(entry, std::to_string(height));
}

// "key":"value" -> value, or nothing when the pair has no ":" or the value is shorter
// than its two quotes.
std::optional<int32_t> quotedValue(std::string_view pair) {
    const size_t colon = pair.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view value = pair.substr(colon + 1);
    if (value.size() < 2) return std::nullopt;
    return readInt32(value.substr(1, value.size() - 2));
}

// findString over the whole answer, looked up once per key: an answer of many
// statements must not cost a search of the whole text for each of them.
class CgiLookup {
public:
    explicit CgiLookup(std::string_view content) : content_(content) {}
    std::optional<std::string_view> operator()(const std::string& key) {
        const auto known = found_.find(key);
        if (known != found_.end()) return known->second;
        return found_[key] = findString(content_, key);
    }

private:
    std::string_view content_;
    std::map<std::string, std::optional<std::string_view>> found_;
};

void readCgiControl(std::string_view statement, CgiLookup& lookup, const CgiPrefix& p,
                    ControlInfo& record) {
    const std::string prefix = p.prefix;
    const std::pair<std::string, int32_t ControlInfo::*> fields[] = {
        {prefix + "=", &ControlInfo::iValue},
        {prefix + "_def=", &ControlInfo::iDef},
        {prefix + "_min=", &ControlInfo::iMin},
        {prefix + "_max=", &ControlInfo::iMax}};
    for (const auto& [key, field] : fields) {
        if (!contains(statement, key)) continue;
        if (const auto text = lookup(key)) record.*field = readInt32(*text);
        return;
    }
}

void readWizardControls(std::string_view content, WiFiControls& controls) {
    const size_t open = content.find('[');
    const size_t close = content.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return;
    std::string list;
    const std::string_view inside = content.substr(open + 1, close - open - 1);
    for (size_t i = 0; i < inside.size(); ++i) {
        if (inside[i] == '}' && i + 1 < inside.size() && inside[i + 1] == ',') {
            list += '#';
            ++i;
        } else if (inside[i] != '{' && inside[i] != '}' && inside[i] != ' ') {
            list += inside[i];
        }
    }
    for (std::string_view piece : splitText(list, "#")) {
        const std::string item = removeChars(piece, " \r\n");
        ControlInfo* record = nullptr;
        for (const auto& [name, adjustment] : kWizardNames) {
            if (contains(item, name)) {
                record = &controls[adjustment];
                break;
            }
        }
        const std::vector<std::string_view> pairs = splitText(item, ",");
        if (!record || pairs.size() < 8) continue;
        const std::pair<size_t, int32_t ControlInfo::*> positions[] = {{1, &ControlInfo::iId},
                                                                       {3, &ControlInfo::iMin},
                                                                       {4, &ControlInfo::iMax},
                                                                       {6, &ControlInfo::iDef},
                                                                       {7, &ControlInfo::iValue}};
        for (const auto& [position, field] : positions)
            if (const auto value = quotedValue(pairs[position])) (*record).*field = *value;
    }
}

}  // namespace

bool isOfferedEntry(std::string_view entry) {
    return contains(entry, ",1,") && splitText(entry, ",").size() >= 4;
}

std::string offeredEntryTitle(std::string_view entry) {
    const auto fields = splitText(entry, ",");
    if (fields.size() < 4) return {};
    return std::string(fields[2]) + "x" + std::string(fields[3]);
}

void parseCgiSettings(std::string_view content, uint16_t width, uint16_t height,
                      WiFiSettings& settings) {
    settings.oMutResArray.clear();
    settings.iWiFiDefFpsIndex = 0;
    WiFiControls& c = settings.controls;
    c.ctBrightessInfo.iId = kCgiBrightnessId;
    c.ctContrastInfo.iId = kCgiContrastId;
    c.ctHueInfo.iId = kCgiHueId;
    c.ctSaturationInfo.iId = kCgiSaturationId;
    c.ctSharpnessInfo.iId = kCgiSharpnessId;
    c.ctGammaInfo.iId = kCgiGammaId;

    CgiLookup lookup(content);
    const std::string statements = removeChars(content, "\r\n");
    for (std::string_view statement : splitText(statements, ";")) {
        if (contains(statement, "var resolution[")) {
            const size_t first = statement.find('"');
            const size_t last = statement.rfind('"');
            if (first == std::string_view::npos || last == first) continue;
            const std::string_view entry = statement.substr(first + 1, last - first - 1);
            if (entry.empty() || settings.oMutResArray.size() >= kMaxResolutionEntries) continue;
            settings.oMutResArray.emplace_back(entry);
            if (mentionsSize(entry, width, height))
                settings.iWiFiDefResIndex = static_cast<uint8_t>(settings.oMutResArray.size() - 1);
            continue;
        }
        const CgiPrefix* control = nullptr;
        for (const CgiPrefix& p : kCgiPrefixes) {
            if (contains(statement, p.prefix)) {
                control = &p;
                break;
            }
        }
        if (control) {
            readCgiControl(statement, lookup, *control, c[control->adjustment]);
        } else if (contains(statement, "var enc_framerate=")) {
            if (const auto text = lookup("var enc_framerate="))
                if (const auto index = cgiRateIndex(readNumber(*text)))
                    settings.iWiFiDefFpsIndex = *index;
        }
    }
}

void parseWizardSettings(std::string_view content, uint16_t width, uint16_t height,
                         WiFiSettings& settings) {
    settings.oMutResArray.clear();
    if (const auto list = readSubstring(content, "var cameraList = ")) {
        for (std::string_view entry : splitText(*list, "#"))
            if (!entry.empty() && settings.oMutResArray.size() < kMaxResolutionEntries)
                settings.oMutResArray.emplace_back(entry);
    }
    settings.offeredPosition = -1;
    for (size_t i = 0; i < settings.oMutResArray.size(); ++i) {
        const std::string& entry = settings.oMutResArray[i];
        if (!isOfferedEntry(entry)) continue;
        ++settings.offeredPosition;
        if (mentionsSize(entry, width, height)) {
            settings.iWiFiDefResIndex = static_cast<uint8_t>(i);
            break;
        }
    }
    if (const auto fps = readSubstring(content, "var video_frame_save = ")) {
        const int64_t rate = readNumber(*fps);
        if (rate >= 0 && rate <= 255) settings.iWiFiDefFpsIndex = static_cast<uint8_t>(rate);
    }
    readWizardControls(content, settings.controls);
}

void parseWiFiSettings(CameraMode kind, std::string_view content, uint16_t width, uint16_t height,
                       WiFiSettings& settings) {
    if (kind == CameraMode::WiFiCgi)
        parseCgiSettings(content, width, height, settings);
    else
        parseWizardSettings(content, width, height, settings);
}

}  // namespace lumetra
