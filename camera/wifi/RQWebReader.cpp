#include "camera/wifi/RQWebReader.h"

#include <curl/curl.h>
#include <pthread.h>

#include <algorithm>
#include <list>

#include "camera/wifi/LineSearch.h"
#include "camera/wifi/WiFiRequests.h"
#include "image/Utf8Text.h"

namespace lumetra {

// One polling thread's own state: its stop request and the multi handle a stop request
// wakes.
struct RQWebReader::Poll {
    std::atomic<bool> isStopped{false};
    std::atomic<bool> ended{false};
    std::mutex mutex;
    CURLM* multi = nullptr;

    void stop() {
        isStopped = true;
        std::lock_guard lock(mutex);
        if (multi) curl_multi_wakeup(multi);
    }
};

RQWebReader::RQWebReader(Options options) : options_(std::move(options)) {}

RQWebReader::~RQWebReader() {
    for (auto& entry : threads_) entry.first->stop();
    for (auto& entry : threads_) entry.second.join();
}

void RQWebReader::startThread() {
    joinEnded();
    if (current_) return;
    current_ = std::make_shared<Poll>();
    ++*living_;
    threads_.emplace_back(
        current_,
        std::thread([this, poll = current_, url = options_.host.controlUrl(kPhotoCounterPath)] {
            pthread_setname_np(pthread_self(), "snap-poller");
            try {
                threadEntryPoint(poll, url);
            } catch (...) {  // out of memory: the poller switches off instead of the program
                report(poll, false, iSnapNumber_.value());
            }
            poll->ended = true;
            --*living_;
        }));
}

void RQWebReader::stopThread() {
    if (!current_) return;
    current_->stop();
    current_.reset();
}

void RQWebReader::joinEnded() {
    std::erase_if(threads_, [](auto& entry) {
        if (!entry.first->ended) return false;
        entry.second.join();
        return true;
    });
}

namespace {

// The poll thread's multi handle and its open requests, released together on every way
// out of the loop; the stop request no longer reaches the handle afterwards.
class OpenRequests {
public:
    OpenRequests(std::mutex& mutex, CURLM*& published, CURLM* multi)
        : mutex_(mutex), published_(published), multi_(multi) {
        std::lock_guard lock(mutex_);
        published_ = multi_;
    }
    ~OpenRequests() {
        {
            std::lock_guard lock(mutex_);
            published_ = nullptr;
        }
        for (CameraGet& get : requests)
            curl_multi_remove_handle(multi_, static_cast<CURL*>(get.handle()));
        requests.clear();
        curl_multi_cleanup(multi_);
    }
    OpenRequests(const OpenRequests&) = delete;
    OpenRequests& operator=(const OpenRequests&) = delete;

    std::list<CameraGet> requests;  // not waited for: several may be open at once

private:
    std::mutex& mutex_;
    CURLM*& published_;
    CURLM* multi_;
};

}  // namespace

void RQWebReader::threadEntryPoint(const std::shared_ptr<Poll>& poll, const std::string& url) {
    using Clock = std::chrono::steady_clock;
    CameraGet::initialiseCurl();
    CURLM* multi = curl_multi_init();
    if (!multi) {
        report(poll, false, iSnapNumber_.value());
        return;
    }
    OpenRequests open(poll->mutex, poll->multi, multi);
    Clock::time_point next = Clock::now();
    while (!poll->isStopped) {
        const Clock::time_point now = Clock::now();
        if (now >= next) {
            CameraGet& get = open.requests.emplace_back(url, options_.requestTimeout);
            CURL* easy = static_cast<CURL*>(get.handle());
            if (!easy || curl_multi_add_handle(multi, easy) != CURLM_OK) {
                open.requests.pop_back();
                report(poll, false, iSnapNumber_.value());
            }
            next = std::max(next + options_.interval, now);
        }
        int running = 0;
        curl_multi_perform(multi, &running);
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
            if (message->msg != CURLMSG_DONE) continue;
            CURL* easy = message->easy_handle;
            const auto get = std::find_if(open.requests.begin(), open.requests.end(),
                                          [&](const CameraGet& g) { return g.handle() == easy; });
            if (get == open.requests.end()) continue;
            const HttpAnswer answer = get->finish(message->data.result);
            curl_multi_remove_handle(multi, easy);
            open.requests.erase(get);
            answered(poll, answer);
        }
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
        curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::max<int64_t>(wait.count(), 0)),
                        nullptr);
    }
}

void RQWebReader::answered(const std::shared_ptr<Poll>& poll, const HttpAnswer& answer) {
    // An error status (a busy camera, a changed password) is a failed request: its page
    // is not a counter.
    if (!answer.succeeded()) {
        report(poll, false, iSnapNumber_.value());
        return;
    }
    if (!isValidUtf8(answer.body)) return;
    const int64_t number = readNumber(removeChars(answer.body, "\r\n"));
    if (iSnapNumber_.advance(number)) report(poll, true, number);
}

void RQWebReader::report(const std::shared_ptr<Poll>& poll, bool grown, int64_t number) {
    options_.postToMain([this, alive = std::weak_ptr<bool>(alive_), poll, grown, number] {
        // A stopped thread's results are dropped: they could switch off its successor.
        if (!alive.lock() || poll->isStopped || !delegate_) return;
        delegate_->didFinishReadingContent(grown, number);
    });
}

}  // namespace lumetra
