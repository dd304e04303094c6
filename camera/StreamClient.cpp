#include "camera/StreamClient.h"

#include <curl/curl.h>
#include <pthread.h>

#include <mutex>
#include <string_view>

namespace lumetra {
namespace {

constexpr long kReceiveBufferBytes = 256 * 1024;
constexpr int kPollMilliseconds = 1000;

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string_view trimLine(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' '))
        s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

}  // namespace

StreamClient::StreamClient(std::string url, MultipartParser::Listener& listener,
                           std::function<void()> ended)
    : url_(std::move(url)), listener_(listener), onEnded_(std::move(ended)) {
    initialiseCurlOnce();
    thread_ = std::thread([this] { run(); });
}

StreamClient::~StreamClient() {
    cancel();
    if (thread_.joinable()) thread_.join();
}

void StreamClient::cancel() {
    cancelled_ = true;
    {
        std::lock_guard lock(mutex_);
        if (multi_) curl_multi_wakeup(static_cast<CURLM*>(multi_));
    }
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

std::string StreamClient::error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

// libcurl is C: an exception must not unwind through it. Both callbacks catch
// everything, count the event as failed and let the transfer go on.
size_t StreamClient::onHeader(char* data, size_t size, size_t count, void* self) {
    auto* client = static_cast<StreamClient*>(self);
    try {
        const std::string_view line(data, size * count);
        if (line.rfind("HTTP/", 0) == 0) {
            client->responseHeaders_.clear();  // a new response (after 100 Continue or a redirect)
        } else if (const size_t colon = line.find(':'); colon != std::string_view::npos) {
            client->responseHeaders_.add(std::string(trimLine(line.substr(0, colon))),
                                         std::string(trimLine(line.substr(colon + 1))));
        }
    } catch (...) {
        ++client->failedEvents_;
    }
    return size * count;
}

size_t StreamClient::onBody(char* data, size_t size, size_t count, void* self) {
    auto* client = static_cast<StreamClient*>(self);
    if (client->cancelled_) return CURL_WRITEFUNC_ERROR;
    try {
        if (!client->parser_)
            client->parser_ =
                std::make_unique<MultipartParser>(client->listener_, client->responseHeaders_);
        client->parser_->feed(reinterpret_cast<const uint8_t*>(data), size * count);
    } catch (...) {
        ++client->failedEvents_;
    }
    return size * count;
}

void StreamClient::run() {
    pthread_setname_np(pthread_self(), "camera-stream");
    CURL* easy = curl_easy_init();
    CURLM* multi = curl_multi_init();
    if (!easy || !multi) {
        if (easy) curl_easy_cleanup(easy);
        if (multi) curl_multi_cleanup(multi);
        {
            std::lock_guard lock(mutex_);
            error_ = "cannot create a transfer";
        }
        ended_ = true;
        reportEnd();
        return;
    }
    curl_easy_setopt(easy, CURLOPT_URL, url_.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_PROXY, "");  // never through a proxy, whatever the environment
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_TCP_NODELAY, 1L);
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &StreamClient::onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &StreamClient::onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_multi_add_handle(multi, easy);
    {
        std::lock_guard lock(mutex_);
        multi_ = multi;
    }

    std::string failure;
    while (!cancelled_) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            failure = "transfer failed";
            break;
        }
        if (running == 0) {
            int left = 0;
            while (CURLMsg* msg = curl_multi_info_read(multi, &left))
                if (msg->msg == CURLMSG_DONE && msg->data.result != CURLE_OK)
                    failure = curl_easy_strerror(msg->data.result);
            break;
        }
        if (curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr) != CURLM_OK) {
            failure = "transfer failed";
            break;
        }
    }

    {
        std::lock_guard lock(mutex_);
        multi_ = nullptr;
        error_ = failure;
    }
    curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
    curl_multi_cleanup(multi);
    ended_ = !cancelled_;
    reportEnd();
}

void StreamClient::reportEnd() {
    if (!ended_ || !onEnded_) return;
    try {
        onEnded_();
    } catch (...) {
        ++failedEvents_;
    }
}

}  // namespace lumetra
