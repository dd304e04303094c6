#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "camera/CameraHost.h"

using namespace lumetra;

namespace {

// Sets LUMETRA_CAMERA_HOST for one test and restores the previous value.
class ScopedHostVariable {
public:
    explicit ScopedHostVariable(const char* value) {
        if (const char* old = std::getenv(CameraHost::kEnvironmentVariable)) old_ = old;
        if (value)
            ::setenv(CameraHost::kEnvironmentVariable, value, 1);
        else
            ::unsetenv(CameraHost::kEnvironmentVariable);
    }
    ~ScopedHostVariable() {
        if (old_)
            ::setenv(CameraHost::kEnvironmentVariable, old_->c_str(), 1);
        else
            ::unsetenv(CameraHost::kEnvironmentVariable);
    }

private:
    std::optional<std::string> old_;
};

}  // namespace

TEST(CameraHostConfig, EnvironmentOverridesTheBuiltInHostAndKeepsThePorts) {
    ScopedHostVariable var("127.0.0.1");
    const CameraHost h = CameraHost::fromEnvironment();
    EXPECT_EQ(h.host, "127.0.0.1");
    EXPECT_EQ(h.controlPort, 80);
    EXPECT_EQ(h.streamPort, 8899);
    EXPECT_EQ(h.streamUrl(), "http://127.0.0.1:8899/");
    EXPECT_EQ(h.controlUrl("/wizardvideo.asp"), "http://127.0.0.1:80/wizardvideo.asp");
}

TEST(CameraHostConfig, WithoutTheVariableTheBuiltInHostIsUsed) {
    ScopedHostVariable var(nullptr);
    EXPECT_EQ(CameraHost::fromEnvironment().host, CameraHost::kDefaultHost);
}

TEST(CameraHostConfig, UnusableVariableIsAnErrorNotASilentFallback) {
    for (const char* bad : {"", "evil.example/path", "user@host", "a b", "host?x", ".lead"}) {
        ScopedHostVariable var(bad);
        EXPECT_THROW(CameraHost::fromEnvironment(), std::invalid_argument) << bad;
    }
}

TEST(CameraHostUrls, Ipv6AddressesAreBracketedAndPathsGetALeadingSlash) {
    CameraHost h;
    h.host = "[::1]";
    h.streamPort = 9000;
    EXPECT_EQ(h.streamUrl(), "http://[::1]:9000/");
    h.host = "::1";
    EXPECT_EQ(h.url(81, "apply.cgi?a=1"), "http://[::1]:81/apply.cgi?a=1");
    EXPECT_TRUE(CameraHost::isValidHost("camera.local"));
    EXPECT_TRUE(CameraHost::isValidHost("[fe80::1]"));
    EXPECT_FALSE(CameraHost::isValidHost("[not-ipv6]"));
}
