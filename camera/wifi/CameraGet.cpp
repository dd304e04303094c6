#include "camera/wifi/CameraGet.h"

#include <curl/curl.h>

#include <mutex>
#include <type_traits>

#include "camera/wifi/WiFiRequests.h"

namespace lumetra {

void CameraGet::initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CameraGet::CameraGet(const std::string& url, std::chrono::milliseconds timeout) {
    initialiseCurl();
    CURL* easy = curl_easy_init();
    easy_ = easy;
    if (!easy) return;
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_PROXY, "");  // never through a proxy, whatever the environment
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_USERPWD, kCameraUserPassword);
    curl_easy_setopt(easy, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CameraGet::onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &CameraGet::onProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
}

CameraGet::~CameraGet() {
    if (easy_) curl_easy_cleanup(static_cast<CURL*>(easy_));
}

size_t CameraGet::onBody(char* data, size_t size, size_t count, void* self) {
    auto* get = static_cast<CameraGet*>(self);
    const size_t bytes = size * count;
    if (get->body_.size() + bytes > kBodyLimit) {
        get->tooLarge_ = true;
        return CURL_WRITEFUNC_ERROR;
    }
    try {
        get->body_.append(data, bytes);
    } catch (...) {  // no exception may cross into libcurl
        return CURL_WRITEFUNC_ERROR;
    }
    return bytes;
}

static_assert(std::is_same_v<curl_off_t, int64_t>, "progress callback signature");

int CameraGet::onProgress(void* self, int64_t, int64_t, int64_t, int64_t) {
    const auto* get = static_cast<CameraGet*>(self);
    return get->abort_ && get->abort_->load() ? 1 : 0;
}

HttpAnswer CameraGet::perform(const std::atomic<bool>* abort) {
    if (!easy_) return finish(CURLE_FAILED_INIT);
    abort_ = abort;
    curl_easy_setopt(static_cast<CURL*>(easy_), CURLOPT_NOPROGRESS, abort ? 0L : 1L);
    return finish(curl_easy_perform(static_cast<CURL*>(easy_)));
}

HttpAnswer CameraGet::finish(int curlCode) {
    HttpAnswer answer;
    if (tooLarge_) {
        answer.transportError =
            "the answer is larger than " + std::to_string(kBodyLimit) + " bytes";
    } else if (curlCode != CURLE_OK) {
        answer.transportError = curl_easy_strerror(static_cast<CURLcode>(curlCode));
    } else {
        curl_easy_getinfo(static_cast<CURL*>(easy_), CURLINFO_RESPONSE_CODE, &answer.status);
        answer.body = std::move(body_);
    }
    return answer;
}

}  // namespace lumetra
