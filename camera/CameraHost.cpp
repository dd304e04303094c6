#include "camera/CameraHost.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

#include "image/Translate.h"

namespace lumetra {
namespace {

// A well-formed IPv6 address; "127.0.0.1:80" and other host-and-port texts are not.
bool isIpv6Literal(std::string_view h) {
    if (h.find(':') == std::string_view::npos) return false;
    in6_addr address{};
    return ::inet_pton(AF_INET6, std::string(h).c_str(), &address) == 1;
}

std::string_view stripBrackets(std::string_view h) {
    if (h.size() >= 2 && h.front() == '[' && h.back() == ']') return h.substr(1, h.size() - 2);
    return h;
}

}  // namespace

bool CameraHost::isValidHost(std::string_view host) {
    if (host.empty() || host.size() > 253) return false;
    const std::string_view bare = stripBrackets(host);
    if (bare.size() != host.size()) return isIpv6Literal(bare);
    if (isIpv6Literal(bare)) return true;
    // Host name or IPv4 address: labels of letters, digits and hyphens separated by dots.
    if (bare.front() == '.' || bare.back() == '.' || bare.front() == '-') return false;
    return std::all_of(bare.begin(), bare.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.';
    });
}

CameraHost CameraHost::fromEnvironment() {
    CameraHost config;
    if (const char* value = std::getenv(kEnvironmentVariable)) {
        if (!isValidHost(value))
            throw std::invalid_argument(
                fillIn(translate("CameraHost", "{} is not a host name or address: \"{}\""),
                       {kEnvironmentVariable, value}));
        config.host = std::string(stripBrackets(value));
    }
    return config;
}

std::string CameraHost::url(uint16_t port, std::string_view pathAndQuery) const {
    const std::string_view bare = stripBrackets(host);
    std::string u = "http://";
    if (isIpv6Literal(bare)) {
        u += '[';
        u += bare;
        u += ']';
    } else {
        u += bare;
    }
    u += ':';
    u += std::to_string(port);
    if (pathAndQuery.empty() || pathAndQuery.front() != '/') u += '/';
    u += pathAndQuery;
    return u;
}

std::string CameraHost::controlUrl(std::string_view pathAndQuery) const {
    return url(controlPort, pathAndQuery);
}

std::string CameraHost::streamUrl(std::string_view pathAndQuery) const {
    return url(streamPort, pathAndQuery);
}

}  // namespace lumetra
