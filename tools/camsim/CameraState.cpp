#include "tools/camsim/CameraState.h"

#include <algorithm>

#include "camera/wifi/CgiParam.h"

namespace lumetra::camsim {
namespace {

constexpr int kCgiRates[] = {30, 25, 20, 15, 10, 5};

constexpr int32_t cgi(CgiParam param) { return static_cast<int32_t>(param); }

double relative(const CameraControl& c) {
    if (c.value > c.def && c.max > c.def) return double(c.value - c.def) / double(c.max - c.def);
    if (c.value < c.def && c.def > c.min) return double(c.value - c.def) / double(c.def - c.min);
    return 0.0;
}

}  // namespace

const char* kindName(CameraKind kind) { return kind == CameraKind::Wizard ? "wizard" : "cgi"; }

CameraState::CameraState(CameraKind kind) : kind_(kind) {
    resolutions_ = {{320, 240, true},  {640, 480, true},    {1280, 720, true},
                    {1280, 960, true}, {1600, 1200, false}, {1920, 1080, true}};
    if (kind == CameraKind::Wizard) {
        // Numbers and ranges as a UVC sensor reports them.
        controls_ = {
            {"Brightness", "", ControlRole::Brightness, 9963776, -64, 64, 0, 0},
            {"Contrast", "", ControlRole::Contrast, 9963777, 0, 64, 32, 32},
            {"Saturation", "", ControlRole::Saturation, 9963778, 0, 128, 64, 64},
            {"Hue", "", ControlRole::Hue, 9963779, -40, 40, 0, 0},
            {"White Balance Temperature Auto", "", ControlRole::Other, 9963788, 0, 1, 1, 1},
            {"Gamma", "", ControlRole::Gamma, 9963792, 72, 500, 100, 100},
            {"Power Line Frequency", "", ControlRole::Other, 9963800, 0, 2, 1, 1},
            {"Sharpness", "", ControlRole::Sharpness, 9963803, 0, 6, 3, 3},
        };
    } else {
        // The CGI camera lists only the sizes it offers.
        std::erase_if(resolutions_, [](const Resolution& r) { return !r.offered; });
        controls_ = {
            {"", "vbright", ControlRole::Brightness, cgi(CgiParam::Brightness), 0, 255, 128, 128},
            {"", "vcontrast", ControlRole::Contrast, cgi(CgiParam::Contrast), 0, 255, 128, 128},
            {"", "vsaturation", ControlRole::Saturation, cgi(CgiParam::Saturation), 0, 255, 128,
             128},
            {"", "vhue", ControlRole::Hue, cgi(CgiParam::Hue), 0, 255, 128, 128},
            {"", "vsharpness", ControlRole::Sharpness, cgi(CgiParam::Sharpness), 0, 255, 128, 128},
            {"", "vgamma", ControlRole::Gamma, cgi(CgiParam::Gamma), 0, 255, 128, 128},
        };
    }
}

bool CameraState::acceptsFps(int fps) const {
    if (kind_ == CameraKind::Wizard) return fps >= 1 && fps <= 30;
    return std::find(std::begin(kCgiRates), std::end(kCgiRates), fps) != std::end(kCgiRates);
}

bool CameraState::selectResolution(int width, int height) {
    for (size_t i = 0; i < resolutions_.size(); ++i) {
        if (resolutions_[i].width == width && resolutions_[i].height == height) {
            resolutionIndex_ = i;
            return true;
        }
    }
    return false;
}

bool CameraState::selectResolutionIndex(int64_t index) {
    if (index < 0 || index >= static_cast<int64_t>(resolutions_.size())) return false;
    if (!resolutions_[static_cast<size_t>(index)].offered) return false;
    resolutionIndex_ = static_cast<size_t>(index);
    return true;
}

bool CameraState::commandFps(int64_t fps) {
    if (fps < 1 || fps > 30 || !acceptsFps(static_cast<int>(fps))) return false;
    fps_ = static_cast<int>(fps);
    return true;
}

bool CameraState::setControl(int32_t id, int64_t value) {
    for (CameraControl& c : controls_) {
        if (c.id != id) continue;
        c.value = static_cast<int32_t>(std::clamp<int64_t>(value, c.min, c.max));
        return true;
    }
    return false;
}

std::optional<ControlRole> CameraState::roleOf(int32_t id) const {
    for (const CameraControl& c : controls_)
        if (c.id == id) return c.role;
    return std::nullopt;
}

Adjustments CameraState::adjustments() const {
    Adjustments a;
    for (const CameraControl& c : controls_) {
        const double r = relative(c);
        switch (c.role) {
            case ControlRole::Brightness:
                a.brightness = r;
                break;
            case ControlRole::Contrast:
                a.contrast = r;
                break;
            case ControlRole::Saturation:
                a.saturation = r;
                break;
            case ControlRole::Hue:
                a.hue = r;
                break;
            case ControlRole::Gamma:
                a.gamma = r;
                break;
            case ControlRole::Sharpness:
                a.sharpness = r;
                break;
            case ControlRole::Other:
                break;
        }
    }
    return a;
}

}  // namespace lumetra::camsim
