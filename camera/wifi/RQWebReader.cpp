#include "camera/wifi/RQWebReader.h"

#include <curl/curl.h>
#include <pthread.h>

#include <algorithm>
#include <list>

#include "camera/wifi/LineSearch.h"
#include "camera/wifi/WiFiRequests.h"

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
            threadEntryPoint(poll, url);
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

void RQWebReader::threadEntryPoint(const std::shared_ptr<Poll>& poll, const std::string& url) {
    using Clock = std::chrono::steady_clock;
    CameraGet::initialiseCurl();
    CURLM* multi = curl_multi_init();
    if (!multi) {
        report(poll, false, iSnapNumber_.value());
        return;
    }
    {
        std::lock_guard lock(poll->mutex);
        poll->multi = multi;
    }
    std::list<CameraGet> inFlight;  // requests are not waited for: several may be open
    Clock::time_point next = Clock::now();
    while (!poll->isStopped) {
        const Clock::time_point now = Clock::now();
        if (now >= next) {
            CURL* easy =
                static_cast<CURL*>(inFlight.emplace_back(url, options_.requestTimeout).handle());
            if (!easy || curl_multi_add_handle(multi, easy) != CURLM_OK) {
                inFlight.pop_back();
                report(poll, false, iSnapNumber_.value());
            }
            next = std::max(next + options_.interval, now);
        }
        int running = 0;
        curl_multi_perform(multi, &running);
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
            if (message->msg != CURLMSG_DONE) continue;
            const auto get = std::find_if(
                inFlight.begin(), inFlight.end(),
                [&](const CameraGet& g) { return g.handle() == message->easy_handle; });
            if (get == inFlight.end()) continue;
            const HttpAnswer answer = get->finish(message->data.result);
            curl_multi_remove_handle(multi, message->easy_handle);
            inFlight.erase(get);
            answered(poll, answer);
        }
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
        curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::max<int64_t>(wait.count(), 0)),
                        nullptr);
    }
    {
        std::lock_guard lock(poll->mutex);
        poll->multi = nullptr;
    }
    for (CameraGet& get : inFlight)
        curl_multi_remove_handle(multi, static_cast<CURL*>(get.handle()));
    inFlight.clear();
    curl_multi_cleanup(multi);
}

void RQWebReader::answered(const std::shared_ptr<Poll>& poll, const HttpAnswer& answer) {
    if (!answer.completed()) {
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
