#include "tools/camsim/CommandLine.h"

#include <charconv>
#include <functional>
#include <limits>
#include <map>

namespace lumetra::camsim {
namespace {

template <typename T>
bool parseNumber(const std::string& text, T min, T max, T& out) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < min || value > max)
        return false;
    out = value;
    return true;
}

}  // namespace

std::string usage() {
    return "Usage: lumetra-camsim [options]\n"
           "A simulated WiFi microscope on 127.0.0.1.\n"
           "  --kind wizard|cgi      camera kind (wizard)\n"
           "  --control-port N       control port, 0 for a free one (0)\n"
           "  --stream-port M        stream port, 0 for a free one (0)\n"
           "  --width W --height H   picture size, one of the camera's sizes (640 x 480)\n"
           "  --fps F                pictures per second, 0 as fast as read (15)\n"
           "  --quality Q            JPEG quality 1..100 (80)\n"
           "  --photo-count C        initial photo counter (0)\n"
           "  --loop N               encode N pictures once and repeat them (0: live)\n"
           "Commands on standard input: press, drop, stall, garbage, oversized, split, quit.\n";
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    CamSimOptions& o = cl.options;
    using Setter = std::function<bool(const std::string&)>;
    const std::map<std::string, Setter> setters = {
        {"--kind",
         [&](const std::string& v) {
             if (v == "wizard")
                 o.kind = CameraKind::Wizard;
             else if (v == "cgi")
                 o.kind = CameraKind::Cgi;
             else
                 return false;
             return true;
         }},
        {"--control-port",
         [&](const std::string& v) { return parseNumber<uint16_t>(v, 0, 65535, o.controlPort); }},
        {"--stream-port",
         [&](const std::string& v) { return parseNumber<uint16_t>(v, 0, 65535, o.streamPort); }},
        {"--width", [&](const std::string& v) { return parseNumber(v, 1, 8192, o.width); }},
        {"--height", [&](const std::string& v) { return parseNumber(v, 1, 8192, o.height); }},
        {"--fps", [&](const std::string& v) { return parseNumber(v, 0, 120, o.fps); }},
        {"--quality", [&](const std::string& v) { return parseNumber(v, 1, 100, o.quality); }},
        {"--photo-count",
         [&](const std::string& v) {
             return parseNumber<int64_t>(v, 0, std::numeric_limits<int64_t>::max(), o.photoCount);
         }},
        {"--loop", [&](const std::string& v) { return parseNumber(v, 0, 1000, o.loopLength); }},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            cl.help = true;
            continue;
        }
        const auto setter = setters.find(arg);
        if (setter == setters.end()) {
            cl.error = "unknown option " + arg;
            return cl;
        }
        if (i + 1 >= args.size()) {
            cl.error = arg + " needs a value";
            return cl;
        }
        if (!setter->second(args[++i])) {
            cl.error = "bad value for " + arg + ": " + args[i];
            return cl;
        }
    }
    if (o.controlPort != 0 && o.controlPort == o.streamPort)
        cl.error = "the control and stream ports must differ";
    return cl;
}

}  // namespace lumetra::camsim
