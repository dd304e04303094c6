#pragma once
// The settings pages the simulated camera serves, text with CR LF line ends:
// "/wizardvideo.asp" of the wizard camera (an HTML page whose script declares the
// current size, the resolution list, the frame rate and the bracketed control
// list) and "/get_camera_all.cgi" of the CGI camera ("var name=value;" statements).

#include <string>

#include "tools/camsim/CameraState.h"

namespace lumetra::camsim {

std::string wizardSettingsPage(const CameraState& state);
std::string cgiSettingsPage(const CameraState& state);

}  // namespace lumetra::camsim
