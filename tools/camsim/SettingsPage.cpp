#include "tools/camsim/SettingsPage.h"

#include <sstream>

namespace lumetra::camsim {
namespace {

constexpr const char* kEol = "\r\n";

}  // namespace

std::string wizardSettingsPage(const CameraState& state) {
    std::ostringstream out;
    const Resolution& current = state.resolution();
    out << "<html>" << kEol << "<head>" << kEol << "<title>Video settings</title>" << kEol
        << "<script type=\"text/javascript\">" << kEol;
    out << "var cameraWidth=\"" << current.width << "\";" << kEol;
    out << "var cameraHeight=\"" << current.height << "\";" << kEol;

    // Entries: index, offered flag, width, height, pixel format.
    out << "var cameraList = \"";
    const auto& list = state.resolutions();
    for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out << '#';
        out << i << ',' << (list[i].offered ? 1 : 0) << ',' << list[i].width << ','
            << list[i].height << ',' << (list[i].offered ? "MJPG" : "YUYV");
    }
    out << "\";" << kEol;
    out << "var video_frame_save = \"" << state.fps() << "\";" << kEol;

    // Controls: name, id, type, min, max, step, default, value; all values quoted.
    out << "var cameraControls = ";
    out << '[';
    const auto& controls = state.controls();
    for (size_t i = 0; i < controls.size(); ++i) {
        const CameraControl& c = controls[i];
        if (i > 0) out << ',' << kEol;
        out << "{\"name\":\"" << c.name << "\",\"id\":\"" << c.id << "\",\"type\":\""
            << (c.max - c.min == 1 ? 2 : 1) << "\",\"min\":\"" << c.min << "\",\"max\":\"" << c.max
            << "\",\"step\":\"1\",\"default\":\"" << c.def << "\",\"value\":\"" << c.value << "\"}";
    }
    out << "];" << kEol;
    out << "</script>" << kEol << "</head>" << kEol << "<body>" << kEol
        << "<p>Video: resolution, frame rate and picture controls.</p>" << kEol << "</body>" << kEol
        << "</html>" << kEol;
    return out.str();
}

std::string cgiSettingsPage(const CameraState& state) {
    std::ostringstream out;
    const Resolution& current = state.resolution();
    out << "var alias=\"microscope\";" << kEol;
    out << "var resolution=\"" << current.width << 'x' << current.height << "\";" << kEol;
    const auto& list = state.resolutions();
    for (size_t i = 0; i < list.size(); ++i)
        out << "var resolution[" << i << "]=\"" << list[i].width << 'x' << list[i].height << "\";"
            << kEol;
    out << "var enc_framerate=" << state.fps() << ';' << kEol;
    out << "var enc_bitrate=4096;" << kEol;
    out << "var photo_cnt=" << state.photoCount() << ';' << kEol;
    for (const CameraControl& c : state.controls()) {
        out << "var " << c.cgiName << '=' << c.value << ';' << kEol;
        out << "var " << c.cgiName << "_def=" << c.def << ';' << kEol;
        out << "var " << c.cgiName << "_min=" << c.min << ';' << kEol;
        out << "var " << c.cgiName << "_max=" << c.max << ';' << kEol;
    }
    return out.str();
}

}  // namespace lumetra::camsim
