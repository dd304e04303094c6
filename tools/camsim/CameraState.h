#pragma once
// What the simulated WiFi microscope knows about itself: its kind, resolution list
// and current resolution, frame rate, picture controls and photo counter, and how
// its commands change them. A plain value; the server guards it with a mutex.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/camsim/PictureAdjustments.h"

namespace lumetra::camsim {

enum class CameraKind {
    Wizard,  // settings page "/wizardvideo.asp", "/apply.cgi", commands on the stream port
    Cgi,  // settings page "/get_camera_all.cgi", "/camera_control.cgi", "photo_cnt" in the stream
};

const char* kindName(CameraKind kind);

struct Resolution {
    int width = 0;
    int height = 0;
    bool offered = true;  // the wizard camera lists some entries it does not offer
};

enum class ControlRole { Brightness, Contrast, Saturation, Hue, Gamma, Sharpness, Other };

struct CameraControl {
    std::string name;     // wizard camera: the control's name in the control list
    std::string cgiName;  // CGI camera: the statement prefix, e.g. "vbright"
    ControlRole role = ControlRole::Other;
    int32_t id = 0;  // wizard: command number; CGI: "/camera_control.cgi" param
    int32_t min = 0;
    int32_t max = 0;
    int32_t def = 0;
    int32_t value = 0;
};

class CameraState {
public:
    explicit CameraState(CameraKind kind);

    CameraKind kind() const { return kind_; }
    const std::vector<Resolution>& resolutions() const { return resolutions_; }
    size_t resolutionIndex() const { return resolutionIndex_; }
    const Resolution& resolution() const { return resolutions_[resolutionIndex_]; }
    int fps() const { return fps_; }
    const std::vector<CameraControl>& controls() const { return controls_; }
    int64_t photoCount() const { return photoCount_; }

    // Frame rates the camera kind accepts by command: 1..30 (wizard) or 30, 25, 20, 15, 10, 5.
    bool acceptsFps(int fps) const;

    // Set up by the operator (options), unchecked against the command rules: any size in
    // the list, any frame rate >= 0 (0: as fast as the client reads).
    bool selectResolution(int width, int height);
    void setFps(int fps) { fps_ = fps; }
    void setPhotoCount(int64_t count) { photoCount_ = count; }
    void pressShutter() { ++photoCount_; }

    // Commands. Each returns false, changing nothing, when it does not apply.
    bool selectResolutionIndex(int64_t index);   // by the list's index
    bool commandFps(int64_t fps);                // frame-rate command
    bool setControl(int32_t id, int64_t value);  // clamped to the control's range
    std::optional<ControlRole> roleOf(int32_t id) const;

    // The six controls as relative settings for the picture.
    Adjustments adjustments() const;

private:
    CameraKind kind_;
    std::vector<Resolution> resolutions_;
    size_t resolutionIndex_ = 1;
    int fps_ = 30;
    std::vector<CameraControl> controls_;
    int64_t photoCount_ = 0;
};

}  // namespace lumetra::camsim
