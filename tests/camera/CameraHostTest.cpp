#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

#include "camera/CameraHost.h"

using namespace lumetra;

namespace {

// fromEnvironment() with LUMETRA_CAMERA_HOST set to value (unset for nullptr); the
// previous value is restored afterwards, also when it throws.
CameraHost fromVariable(const char* value) {
    struct Restore {
        const char* name = CameraHost::kEnvironmentVariable;
        std::optional<std::string> old;
        ~Restore() { old ? ::setenv(name, old->c_str(), 1) : ::unsetenv(name); }
    } restore;
    if (const char* old = std::getenv(restore.name)) restore.old = old;
    value ? ::setenv(restore.name, value, 1) : ::unsetenv(restore.name);
    return CameraHost::fromEnvironment();
}

}  // namespace

TEST(CameraHostConfig, VariableOverridesTheBuiltInHostAndKeepsThePorts) {
    EXPECT_EQ(fromVariable(nullptr).host, CameraHost::kDefaultHost);
    const CameraHost h = fromVariable("127.0.0.1");
    EXPECT_EQ(h.streamUrl(), "http://127.0.0.1:8899/");
    EXPECT_EQ(h.controlUrl("/wizardvideo.asp"), "http://127.0.0.1:80/wizardvideo.asp");
    EXPECT_EQ(fromVariable("[::1]").url(81, "apply.cgi?a=1"), "http://[::1]:81/apply.cgi?a=1");
}

TEST(CameraHostConfig, UnusableVariableIsAnErrorNotASilentFallback) {
    for (const char* bad :
         {"", "evil.example/path", "user@host", "a b", "host?x", ".lead", "[not-ipv6]"})
        EXPECT_THROW(fromVariable(bad), std::invalid_argument) << bad;
}
