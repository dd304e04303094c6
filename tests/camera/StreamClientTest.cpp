#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "camera/StreamClient.h"

using namespace lumetra;

namespace {

// Records parser events arriving on the client's thread.
class Events : public MultipartParser::Listener {
public:
    void partBegin(const PartHeaders&, const std::string& mediaType) override {
        std::lock_guard lock(mutex_);
        log_.push_back("begin " + mediaType);
    }
    void partData(const uint8_t* data, size_t size) override {
        std::lock_guard lock(mutex_);
        if (log_.empty() || log_.back().rfind("data ", 0) != 0) log_.push_back("data ");
        log_.back().append(reinterpret_cast<const char*>(data), size);
    }
    std::vector<std::string> log() const {
        std::lock_guard lock(mutex_);
        return log_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
};

bool waitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// A small HTTP server on 127.0.0.1 with a plain answer and a stream that keeps the
// connection open until the test releases it.
class LocalServer {
public:
    LocalServer() {
        server_.Get("/single", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("\xFF\xD8whole\xFF\xD9", "image/jpeg");
        });
        server_.Get("/hold", [this](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(
                "multipart/x-mixed-replace;boundary=b", [this](size_t, httplib::DataSink& sink) {
                    const std::string first = "--b\r\nContent-Type: image/jpeg\r\n\r\nfirst";
                    sink.write(first.data(), first.size());
                    std::unique_lock lock(mutex_);
                    released_.wait(lock, [this] { return release_; });
                    const std::string more = "more bytes\r\n--b\r\n\r\nx\r\n";
                    sink.write(more.data(), more.size());
                    return false;
                });
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LocalServer() {
        release();
        server_.stop();
        thread_.join();
    }
    void release() {
        {
            std::lock_guard lock(mutex_);
            release_ = true;
        }
        released_.notify_all();
    }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable released_;
    bool release_ = false;
};

}  // namespace

TEST(StreamClientTransfer, ResponseThatIsNotMultipartArrivesAsOnePartAndEnds) {
    LocalServer server;
    Events events;
    StreamClient client(server.url("/single"), events);
    ASSERT_TRUE(waitFor([&] { return client.ended(); }));
    EXPECT_EQ(client.error(), "");
    EXPECT_EQ(events.log(),
              (std::vector<std::string>{"begin image/jpeg", "data \xFF\xD8whole\xFF\xD9"}));
}

TEST(StreamClientTransfer, CancelWhileTheServerHoldsTheStreamReturnsAndNoEventFollows) {
    LocalServer server;
    Events events;
    StreamClient client(server.url("/hold"), events);
    ASSERT_TRUE(waitFor([&] { return events.log().size() == 2; }));
    client.cancel();
    const auto seen = events.log();
    server.release();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(events.log(), seen);
    EXPECT_FALSE(client.ended()) << "a cancelled transfer did not end by itself";
}

TEST(StreamClientTransfer, RefusedConnectionEndsWithAnError) {
    std::string url;
    {
        LocalServer server;  // its port is free again once it is gone
        url = server.url("/single");
    }
    Events events;
    StreamClient client(url, events);
    ASSERT_TRUE(waitFor([&] { return client.ended(); }));
    EXPECT_NE(client.error(), "");
    EXPECT_TRUE(events.log().empty());
}
