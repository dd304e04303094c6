#pragma once
// One GET to the WiFi camera with libcurl's easy interface: the camera's user and
// password by HTTP basic authentication, a time-out, never through a proxy, and the
// answer's body kept up to a limit (a larger answer is a transport error, not memory
// committed to it). Performed here and blocking, or driven by a caller's multi handle.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumetra {

struct HttpAnswer {
    std::string transportError;  // empty when the exchange completed, whatever its status
    long status = 0;
    std::string body;
    bool completed() const { return transportError.empty(); }
    // Completed with a 2xx status: an error page is never read as an answer.
    bool succeeded() const { return completed() && status >= 200 && status <= 299; }
};

class CameraGet {
public:
    static constexpr size_t kBodyLimit = 1 << 20;

    CameraGet(const std::string& url, std::chrono::milliseconds timeout);
    // libcurl's global set-up, done once; before any multi handle of a caller's own.
    static void initialiseCurl();
    ~CameraGet();
    CameraGet(const CameraGet&) = delete;
    CameraGet& operator=(const CameraGet&) = delete;

    // Runs the request to its end. A set abort flag ends it early (checked about once a
    // second and whenever data moves) as a transport error.
    HttpAnswer perform(const std::atomic<bool>* abort = nullptr);

    // For a caller's multi handle: the easy handle, and the answer once the multi handle
    // reported the transfer done with curlCode.
    void* handle() const { return easy_; }
    HttpAnswer finish(int curlCode);

private:
    static size_t onBody(char* data, size_t size, size_t count, void* self);
    static int onProgress(void* self, int64_t, int64_t, int64_t, int64_t);

    void* easy_ = nullptr;
    std::string body_;
    bool tooLarge_ = false;
    const std::atomic<bool>* abort_ = nullptr;
};

}  // namespace lumetra
