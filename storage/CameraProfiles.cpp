#include "storage/CameraProfiles.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>

#include "image/Translate.h"
#include "storage/TextFiles.h"

namespace lumetra {
namespace {

using nlohmann::json;

// Far more than any number of cameras and profiles a person keeps.
constexpr size_t kMaxFileBytes = 4 << 20;

bool isString(const json& object, const char* key) {
    return object.contains(key) && object[key].is_string();
}

// An integer that fits int; a larger one is refused, not wrapped into another value.
std::optional<int> intOf(const json& value) {
    if (value.is_number_unsigned()) {
        const auto n = value.get<uint64_t>();
        if (n > static_cast<uint64_t>(std::numeric_limits<int>::max())) return std::nullopt;
        return static_cast<int>(n);
    }
    if (!value.is_number_integer()) return std::nullopt;
    const auto n = value.get<int64_t>();
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(n);
}

std::optional<CameraProfile> profileOf(const json& entry) {
    if (!entry.is_object() || !isString(entry, "name") || !isString(entry, "resolution") ||
        !isString(entry, "frameRate") || !entry.contains("adjustments"))
        return std::nullopt;
    const json& values = entry["adjustments"];
    CameraProfile profile{entry["name"].get<std::string>(),
                          {},
                          entry["resolution"].get<std::string>(),
                          entry["frameRate"].get<std::string>()};
    if (!values.is_array() || values.size() != profile.adjustments.size()) return std::nullopt;
    for (size_t i = 0; i < values.size(); ++i) {
        const auto value = intOf(values[i]);
        if (!value) return std::nullopt;
        profile.adjustments[i] = *value;
    }
    return profile;
}

}  // namespace

bool CameraProfiles::readCameras(const json& document) {
    if (!document.is_object() || !document.contains("cameras") || !document["cameras"].is_object())
        return false;
    for (const auto& [key, entry] : document["cameras"].items()) {
        if (!entry.is_object() || !isString(entry, "lastUsed") || !entry.contains("profiles") ||
            !entry["profiles"].is_array())
            return false;
        Camera& camera = cameras_[key];
        camera.lastUsed = entry["lastUsed"].get<std::string>();
        for (const json& p : entry["profiles"]) {
            auto profile = profileOf(p);
            if (!profile) return false;
            camera.profiles.push_back(std::move(*profile));
        }
    }
    return true;
}

std::string CameraProfiles::load() {
    cameras_.clear();
    if (::access(path_.c_str(), F_OK) != 0) return {};
    const std::optional<std::string> text = readWholeFile(path_, kMaxFileBytes);
    if (text && readCameras(json::parse(*text, nullptr, false))) return {};
    cameras_.clear();
    const std::string aside = path_ + ".unreadable";
    if (std::rename(path_.c_str(), aside.c_str()) != 0)
        return fillIn(translate("CameraProfiles",
                                "The camera profiles in {} cannot be read; "
                                "saving a profile will replace them."),
                      {path_});
    return fillIn(translate("CameraProfiles",
                            "The camera profiles in {} cannot be read; the file "
                            "was kept as {} and the profiles start afresh."),
                  {path_, aside});
}

const std::vector<CameraProfile>& CameraProfiles::profilesOf(const std::string& camera) const {
    static const std::vector<CameraProfile> none;
    const auto it = cameras_.find(camera);
    return it == cameras_.end() ? none : it->second.profiles;
}

std::optional<CameraProfile> CameraProfiles::lastUsed(const std::string& camera) const {
    const auto it = cameras_.find(camera);
    if (it == cameras_.end()) return std::nullopt;
    for (const CameraProfile& p : it->second.profiles)
        if (p.name == it->second.lastUsed) return p;
    return std::nullopt;
}

WriteResult CameraProfiles::save(const std::string& camera, const CameraProfile& profile) {
    Camera& c = cameras_[camera];
    const auto same = std::find_if(c.profiles.begin(), c.profiles.end(),
                                   [&](const CameraProfile& p) { return p.name == profile.name; });
    if (same != c.profiles.end())
        *same = profile;
    else
        c.profiles.push_back(profile);
    c.lastUsed = profile.name;
    return write();
}

WriteResult CameraProfiles::remove(const std::string& camera, const std::string& name) {
    const auto it = cameras_.find(camera);
    if (it == cameras_.end()) return {};
    std::erase_if(it->second.profiles, [&](const CameraProfile& p) { return p.name == name; });
    if (it->second.lastUsed == name) it->second.lastUsed.clear();
    if (it->second.profiles.empty()) cameras_.erase(it);
    return write();
}

WriteResult CameraProfiles::use(const std::string& camera, const std::string& name) {
    const auto it = cameras_.find(camera);
    if (it == cameras_.end() || it->second.lastUsed == name) return {};
    it->second.lastUsed = name;
    return write();
}

WriteResult CameraProfiles::write() const {
    json cameras = json::object();
    for (const auto& [key, camera] : cameras_) {
        json profiles = json::array();
        for (const CameraProfile& p : camera.profiles)
            profiles.push_back({{"name", p.name},
                                {"adjustments", p.adjustments},
                                {"resolution", p.resolution},
                                {"frameRate", p.frameRate}});
        cameras[key] = {{"lastUsed", camera.lastUsed}, {"profiles", profiles}};
    }
    const json document = {{"cameras", cameras}};
    return writeFileAtomically(path_,
                               document.dump(2, ' ', false, json::error_handler_t::replace) + "\n");
}

}  // namespace lumetra
