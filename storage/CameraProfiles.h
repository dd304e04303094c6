#pragma once
// Named camera settings kept per camera: the six picture adjustments (as the sliders
// show them), the resolution and the frame rate (as their lists name them). A camera
// is known by a key its side gives (a USB device's identifier, a WiFi camera's kind
// and host); each camera remembers the profile used last, which comes back when it
// connects again. Everything lives in one JSON file in the storage root, written
// whole at every change.

#include <array>
#include <map>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

#include "image/AtomicFile.h"

namespace lumetra {

struct CameraProfile {
    std::string name;
    std::array<int, 6> adjustments{};  // slider order
    std::string resolution;            // "" leaves the resolution as it is
    std::string frameRate;             // "" leaves the frame rate as it is
    bool operator==(const CameraProfile&) const = default;
};

class CameraProfiles {
public:
    static constexpr const char* kFileName = "camera-profiles.json";

    explicit CameraProfiles(std::string path) : path_(std::move(path)) {}

    // Reads the file; a missing one holds no profile. A file that is not a profile
    // list (malformed, mistyped, larger than a profile list gets) is moved aside to
    // path + ".unreadable" so that nothing in it is lost, the profiles start empty, and
    // the message for the user says so; "" otherwise.
    std::string load();

    // The camera's profiles in the order they were first saved.
    const std::vector<CameraProfile>& profilesOf(const std::string& camera) const;
    std::optional<CameraProfile> lastUsed(const std::string& camera) const;

    // Adds the profile, or replaces the camera's one of the same name, and makes it
    // the one used last.
    WriteResult save(const std::string& camera, const CameraProfile& profile);
    // Forgets the camera's profile of that name (and that it was used last).
    WriteResult remove(const std::string& camera, const std::string& name);
    // The camera's profile of that name was chosen.
    WriteResult use(const std::string& camera, const std::string& name);

private:
    struct Camera {
        std::vector<CameraProfile> profiles;
        std::string lastUsed;
    };
    // Fills cameras_ from the parsed file; false when it is not a profile list.
    bool readCameras(const nlohmann::json& document);
    WriteResult write() const;

    std::string path_;
    std::map<std::string, Camera> cameras_;
};

}  // namespace lumetra
