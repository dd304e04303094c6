#pragma once
// Where the WiFi microscope is reached: its host and its two ports (control and
// stream). The built-in host is the camera's own address on its wireless network;
// the environment variable LUMETRA_CAMERA_HOST (and, in the application, a
// command-line option) overrides it.

#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra {

struct CameraHost {
    static constexpr const char* kDefaultHost = "192.168.1.1";
    static constexpr uint16_t kDefaultControlPort = 80;
    static constexpr uint16_t kDefaultStreamPort = 8899;
    static constexpr const char* kEnvironmentVariable = "LUMETRA_CAMERA_HOST";

    std::string host = kDefaultHost;
    uint16_t controlPort = kDefaultControlPort;
    uint16_t streamPort = kDefaultStreamPort;

    // The built-in configuration with the host taken from LUMETRA_CAMERA_HOST when it is
    // set. Throws std::invalid_argument when the variable is set but is not a host name or
    // address, rather than falling back to the built-in host.
    static CameraHost fromEnvironment();

    // A host name, an IPv4 address or an IPv6 address (with or without brackets); nothing
    // that could change the meaning of a URL (no '/', '@', '?', '#', spaces, ports).
    static bool isValidHost(std::string_view host);

    // "http://host:port" + pathAndQuery; IPv6 addresses are bracketed.
    std::string controlUrl(std::string_view pathAndQuery) const;
    std::string streamUrl(std::string_view pathAndQuery = "/") const;
    std::string url(uint16_t port, std::string_view pathAndQuery) const;
};

}  // namespace lumetra
