#include "tools/camsim/CamSim.h"

#include <httplib.h>
#include <sys/socket.h>

#include <algorithm>
#include <charconv>
#include <random>
#include <utility>

#include "camera/wifi/CgiParam.h"
#include "tools/camsim/SettingsPage.h"

namespace lumetra::camsim {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kServerThreads = 24;
constexpr auto kIdlePoll = std::chrono::milliseconds(50);
constexpr auto kSplitPause = std::chrono::milliseconds(30);
constexpr size_t kFillerBlock = 64 * 1024;

std::optional<int64_t> numberParam(const httplib::Request& req, const char* name) {
    if (!req.has_param(name)) return std::nullopt;
    const std::string text = req.get_param_value(name);
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

void deny(httplib::Response& res) {
    res.status = 401;
    res.set_header("WWW-Authenticate", "Basic realm=\"camera\"");
}

bool write(httplib::DataSink& sink, const void* data, size_t size) {
    return sink.is_writable() && sink.write(static_cast<const char*>(data), size);
}

bool write(httplib::DataSink& sink, const std::string& s) {
    return write(sink, s.data(), s.size());
}

}  // namespace

struct CamSim::Connection {
    Clock::time_point nextPart = Clock::now();
};

CamSim::CamSim(CamSimOptions options)
    : options_(options),
      state_(options.kind),
      pictures_(options.seed, options.loopLength),
      started_(Clock::now()) {}

CamSim::~CamSim() { stop(); }

bool CamSim::start(std::string* error) {
    const auto fail = [error](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    if (control_) return fail("already started");
    if (!state_.selectResolution(options_.width, options_.height))
        return fail("the camera has no resolution " + std::to_string(options_.width) + "x" +
                    std::to_string(options_.height));
    if (options_.fps < 0 || options_.fps > 120) return fail("frame rate out of range (0..120)");
    if (options_.quality < 1 || options_.quality > 100)
        return fail("quality out of range (1..100)");
    state_.setFps(options_.fps);
    state_.setPhotoCount(options_.photoCount);

    control_ = std::make_unique<httplib::Server>();
    stream_ = std::make_unique<httplib::Server>();
    for (httplib::Server* server : {control_.get(), stream_.get()}) {
        server->new_task_queue = [] { return new httplib::ThreadPool(kServerThreads); };
        server->set_keep_alive_timeout(1);
        server->set_tcp_nodelay(true);
        // Address reuse, but not port sharing: a second camera on a busy port must fail.
        server->set_socket_options([](socket_t sock) {
            int yes = 1;
            ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        });
    }
    installControlRoutes();
    installStreamRoutes();

    const auto bind = [](httplib::Server& server, uint16_t port) -> int {
        if (port == 0) return server.bind_to_any_port(kListenAddress);
        return server.bind_to_port(kListenAddress, port) ? port : -1;
    };
    const int control = bind(*control_, options_.controlPort);
    const int stream = control > 0 ? bind(*stream_, options_.streamPort) : -1;
    if (control <= 0 || stream <= 0) {
        control_.reset();
        stream_.reset();
        return fail(std::string("cannot listen on ") + kListenAddress + " port " +
                    std::to_string(control <= 0 ? options_.controlPort : options_.streamPort));
    }
    controlPort_ = static_cast<uint16_t>(control);
    streamPort_ = static_cast<uint16_t>(stream);
    controlThread_ = std::thread([this] { control_->listen_after_bind(); });
    streamThread_ = std::thread([this] { stream_->listen_after_bind(); });
    // A server stopped before its accept loop runs would never notice; wait for both.
    while (!control_->is_running() || !stream_->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void CamSim::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (control_) control_->stop();
    if (stream_) stream_->stop();
    if (controlThread_.joinable()) controlThread_.join();
    if (streamThread_.joinable()) streamThread_.join();
}

CameraState CamSim::state() const {
    std::lock_guard lock(stateMutex_);
    return state_;
}

void CamSim::pressShutter() {
    std::lock_guard lock(stateMutex_);
    state_.pressShutter();
}

int64_t CamSim::photoCount() const {
    std::lock_guard lock(stateMutex_);
    return state_.photoCount();
}

void CamSim::injectFault(Fault fault, FaultOptions options) {
    std::lock_guard lock(mutex_);
    fault_ = fault;
    faultOptions_ = options;
}

void CamSim::queueParts(std::vector<ScriptedPart> parts) {
    {
        std::lock_guard lock(mutex_);
        for (auto& p : parts) script_.push_back(std::move(p));
    }
    wake_.notify_all();
}

size_t CamSim::pendingParts() const {
    std::lock_guard lock(mutex_);
    return script_.size();
}

void CamSim::scriptAnswers(const std::string& path, std::vector<ScriptedAnswer> answers) {
    std::lock_guard lock(mutex_);
    if (answers.empty()) {
        answers_.erase(path);
        return;
    }
    answers_[path] = std::deque<ScriptedAnswer>(answers.begin(), answers.end());
}

std::vector<RequestRecord> CamSim::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void CamSim::clearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

Frame CamSim::currentFrame() {
    return pictures_.frame(pictureSettings(), secondsSinceStart(), pictureIndex_.load());
}

PictureSettings CamSim::pictureSettings() const {
    std::lock_guard lock(stateMutex_);
    PictureSettings s;
    s.width = state_.resolution().width;
    s.height = state_.resolution().height;
    s.adjustments = state_.adjustments();
    s.quality = options_.quality;
    return s;
}

double CamSim::secondsSinceStart() const {
    return std::chrono::duration<double>(Clock::now() - started_).count();
}

bool CamSim::waitUntil(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_until(lock, deadline, [this] { return stopping_; });
}

bool CamSim::waitForStreamsClosed(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, timeout, [this] { return activeStreams_ == 0; });
}

bool CamSim::authorized(const httplib::Request& req) const {
    static const std::string expected =
        httplib::make_basic_authentication_header(kUser, kPassword).second;
    return req.get_header_value("Authorization") == expected;
}

void CamSim::record(ServerRole role, const httplib::Request& req) {
    RequestRecord r;
    r.server = role;
    r.method = req.method;
    r.path = req.path;
    r.target = req.target;
    r.params.insert(req.params.begin(), req.params.end());
    r.authorized = authorized(req);
    std::lock_guard lock(mutex_);
    requests_.push_back(std::move(r));
}

void CamSim::installControlRoutes() {
    control_->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        record(ServerRole::Control, req);
        ScriptedAnswer answer;
        {
            std::lock_guard lock(mutex_);
            const auto scripted = answers_.find(req.path);
            if (scripted == answers_.end()) return httplib::Server::HandlerResponse::Unhandled;
            std::deque<ScriptedAnswer>& answers = scripted->second;
            answer = answers.front();
            if (answers.size() > 1) answers.pop_front();
        }
        if (answer.held) {
            while (waitUntil(Clock::now() + std::chrono::hours(1))) {
            }
        } else if (answer.delayMs > 0) {
            waitUntil(Clock::now() + std::chrono::milliseconds(answer.delayMs));
        }
        res.status = answer.status;
        res.set_content(answer.body, "text/plain");
        return httplib::Server::HandlerResponse::Handled;
    });
    if (options_.kind == CameraKind::Wizard)
        installWizardRoutes();
    else
        installCgiRoutes();
}

// The wizard camera: its settings page, the shutter counter and the settings command.
void CamSim::installWizardRoutes() {
    control_->Get("/wizardvideo.asp", [this](const httplib::Request& req, httplib::Response& res) {
        if (!authorized(req)) return deny(res);
        res.set_content(wizardSettingsPage(state()), "text/html");
    });
    control_->Get("/updateNPNvram.cgi",
                  [this](const httplib::Request& req, httplib::Response& res) {
                      if (!authorized(req)) return deny(res);
                      if (!req.has_param("camera_gpio_trigger")) {
                          res.status = 404;
                          return;
                      }
                      res.set_content(std::to_string(photoCount()) + "\r\n", "text/plain");
                  });
    control_->Get("/apply.cgi", [this](const httplib::Request& req, httplib::Response& res) {
        if (!authorized(req)) return deny(res);
        const auto index = numberParam(req, "video_idx");
        const auto fps = numberParam(req, "video_frame");
        if ((req.has_param("video_idx") && !index) || (req.has_param("video_frame") && !fps)) {
            res.status = 400;
            return;
        }
        {
            std::lock_guard lock(stateMutex_);
            if (index) state_.selectResolutionIndex(*index);
            if (fps) state_.commandFps(*fps);
        }
        if (index || fps) restarting();
        res.set_content("<html><body>Settings applied.</body></html>\r\n", "text/html");
    });
}

// The CGI camera: its settings page and the one control command.
void CamSim::installCgiRoutes() {
    control_->Get("/get_camera_all.cgi",
                  [this](const httplib::Request& req, httplib::Response& res) {
                      if (!authorized(req)) return deny(res);
                      res.set_content(cgiSettingsPage(state()), "text/plain");
                  });
    control_->Get(
        "/camera_control.cgi", [this](const httplib::Request& req, httplib::Response& res) {
            if (!authorized(req) || req.get_param_value("loginuse") != kUser ||
                req.get_param_value("loginpas") != kPassword)
                return deny(res);
            const auto param = numberParam(req, "param");
            const auto value = numberParam(req, "value");
            if (!param || !value) {
                res.status = 400;
                return;
            }
            bool applied = false;
            {
                std::lock_guard lock(stateMutex_);
                if (*param == static_cast<int64_t>(CgiParam::Resolution))
                    applied = state_.selectResolutionIndex(*value);
                else if (*param == static_cast<int64_t>(CgiParam::FrameRate))
                    applied = state_.commandFps(*value);
                else if (*param > 0 && *param <= INT32_MAX)
                    applied = state_.setControl(static_cast<int32_t>(*param), *value);
            }
            const bool restarts = *param == static_cast<int64_t>(CgiParam::Resolution) ||
                                  *param == static_cast<int64_t>(CgiParam::FrameRate);
            if (applied && restarts) restarting();
            res.set_content(applied ? "var result=\"ok\";\r\n" : "var result=\"error\";\r\n",
                            "text/plain");
        });
}

void CamSim::installStreamRoutes() {
    stream_->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
        record(ServerRole::Stream, req);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    stream_->Get("/", [this](const httplib::Request& req, httplib::Response& res) {
        if (req.has_param("action")) {
            if (options_.kind == CameraKind::Wizard && req.get_param_value("action") == "command")
                return handleCommand(req, res);
            res.status = 404;
            return;
        }
        openStream(res);
    });
}

void CamSim::handleCommand(const httplib::Request& req, httplib::Response& res) {
    if (!authorized(req)) return deny(res);
    const auto id = numberParam(req, "id");
    const auto value = numberParam(req, "value");
    if (!id || !value || *id < INT32_MIN || *id > INT32_MAX) {
        res.status = 400;
        return;
    }
    bool applied = false;
    {
        std::lock_guard lock(stateMutex_);
        applied = state_.setControl(static_cast<int32_t>(*id), *value);
    }
    res.status = applied ? 200 : 400;
    res.set_content(applied ? "OK\r\n" : "", "text/plain");
}

void CamSim::restarting() {
    std::lock_guard lock(mutex_);
    refusalsLeft_ = options_.restartRefusals;
}

void CamSim::openStream(httplib::Response& res) {
    {
        std::lock_guard lock(mutex_);
        if (refusalsLeft_ > 0) {
            --refusalsLeft_;
            res.status = 503;
            return;
        }
    }
    ++streamsOpened_;
    ++activeStreams_;
    auto connection = std::make_shared<Connection>();
    res.set_header("Cache-Control", "no-cache");
    res.set_content_provider(
        streamContentType(),
        [this, connection](size_t, httplib::DataSink& sink) {
            return streamStep(*connection, sink);
        },
        [this](bool) {
            {
                std::lock_guard lock(mutex_);
                --activeStreams_;
            }
            wake_.notify_all();
        });
}

bool CamSim::streamStep(Connection& connection, httplib::DataSink& sink) {
    std::optional<ScriptedPart> scripted;
    Fault fault = Fault::None;
    FaultOptions faultOptions;
    {
        std::unique_lock lock(mutex_);
        if (stopping_) return false;
        if (!script_.empty()) {
            scripted = std::move(script_.front());
            script_.pop_front();
        } else if (!options_.livePictures) {
            // Only scripted parts: wait for one, noticing a closed connection meanwhile.
            wake_.wait_for(lock, kIdlePoll, [this] { return stopping_ || !script_.empty(); });
            return !stopping_ && sink.is_writable();
        }
    }
    if (scripted) return sendScriptedPart(std::move(*scripted), sink);

    int fps = 0;
    {
        std::lock_guard lock(stateMutex_);
        fps = state_.fps();
    }
    if (fps > 0) {
        const auto period =
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / fps));
        if (!waitUntil(connection.nextPart)) return false;
        // Keep the rhythm, but do not try to catch up after a stall.
        connection.nextPart = std::max(connection.nextPart + period, Clock::now());
    }
    {
        std::lock_guard lock(mutex_);
        fault = std::exchange(fault_, Fault::None);
        faultOptions = faultOptions_;
    }
    if (fault != Fault::None) return sendFaultyPart(fault, faultOptions, sink);
    return sendLivePart(sink);
}

bool CamSim::sendLivePart(httplib::DataSink& sink) {
    const PictureSettings settings = pictureSettings();
    std::optional<int64_t> count;
    if (options_.kind == CameraKind::Cgi) count = photoCount();
    const JpegBytes jpeg = pictures_.jpeg(settings, secondsSinceStart(), pictureIndex_++);
    if (!jpeg || jpeg->empty()) return false;
    if (!write(sink, partHead("image/jpeg", jpeg->size(), count)) ||
        !write(sink, jpeg->data(), jpeg->size()) || !write(sink, std::string("\r\n")))
        return false;
    ++partsSent_;
    return true;
}

bool CamSim::sendScriptedPart(ScriptedPart part, httplib::DataSink& sink) {
    for (size_t i = 0; i < part.pieces.size(); ++i) {
        if (i > 0 && part.pauseMs > 0 &&
            !waitUntil(Clock::now() + std::chrono::milliseconds(part.pauseMs)))
            return false;
        if (!write(sink, part.pieces[i])) return false;
    }
    ++partsSent_;
    return true;
}

bool CamSim::sendFaultyPart(Fault fault, const FaultOptions& options, httplib::DataSink& sink) {
    ++faultsStarted_;
    std::optional<int64_t> count;
    if (options_.kind == CameraKind::Cgi) count = photoCount();

    if (fault == Fault::Oversized) {
        if (!write(sink, partHead("image/jpeg", options.oversizedBytes, count))) return false;
        // Filler without a single FF byte, so no end marker can appear.
        std::string block(kFillerBlock, '\0');
        for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i % 255);
        for (size_t sent = 0; sent < options.oversizedBytes; sent += block.size()) {
            {
                std::lock_guard lock(mutex_);
                if (stopping_) return false;
            }
            if (!write(sink, block.data(), std::min(block.size(), options.oversizedBytes - sent)))
                return false;
        }
        ++partsSent_;
        return write(sink, std::string("\r\n"));
    }

    if (fault == Fault::Garbage) {
        std::mt19937 rng(static_cast<uint32_t>(partsSent_.load()) + options_.seed);
        std::string junk(20000, '\0');
        for (char& c : junk) c = static_cast<char>(rng() & 0xFF);
        junk[0] = 0x00;  // not a start-of-image marker
        junk[junk.size() - 2] = static_cast<char>(0xFF);
        junk[junk.size() - 1] = static_cast<char>(0xD9);
        ++partsSent_;
        return write(sink, partHead("image/jpeg", junk.size(), count)) && write(sink, junk) &&
               write(sink, std::string("\r\n"));
    }

    const JpegBytes jpeg = pictures_.jpeg(pictureSettings(), secondsSinceStart(), pictureIndex_++);
    if (!jpeg || jpeg->size() < 4) return false;
    const auto* bytes = jpeg->data();
    const size_t size = jpeg->size();
    const size_t cut = fault == Fault::SplitMarker ? size - 1 : size / 2;
    if (!write(sink, partHead("image/jpeg", size, count)) || !write(sink, bytes, cut)) return false;
    if (fault == Fault::Drop) return false;  // the server closes the connection
    const auto pause =
        fault == Fault::Stall ? std::chrono::milliseconds(options.stallMs) : kSplitPause;
    if (!waitUntil(Clock::now() + pause)) return false;
    if (!write(sink, bytes + cut, size - cut) || !write(sink, std::string("\r\n"))) return false;
    ++partsSent_;
    return true;
}

}  // namespace lumetra::camsim
