#pragma once
// The simulated WiFi microscope: two HTTP servers on 127.0.0.1 (the control port,
// 80 on a real camera, and the stream port, 8899) that play either camera kind.
//
// Control port, user "admin" and password "qorve" by HTTP basic authentication:
//   wizard camera: "/wizardvideo.asp", "/updateNPNvram.cgi?camera_gpio_trigger",
//                  "/apply.cgi?...&video_idx=I&video_frame=F..."
//   CGI camera:    "/get_camera_all.cgi",
//                  "/camera_control.cgi?loginuse=admin&loginpas=qorve&param=P&value=V"
// Stream port: "/" is the picture stream (no credentials); the wizard camera also
//   takes "/?action=command&dest=0&plugin=0&id=N&group=01&value=V" (with credentials).
// Anything else is answered 404 with an empty body.
//
// It records every request, counts stream connections, can press its shutter
// button, inject faults into the stream, send scripted parts instead of live
// pictures, or give scripted answers on the control port. All servers and stream threads stop in
// stop() or the destructor.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/camsim/CameraState.h"
#include "tools/camsim/PictureSource.h"
#include "tools/camsim/StreamParts.h"

namespace httplib {
class Server;
class DataSink;
struct Request;
struct Response;
}  // namespace httplib

namespace lumetra::camsim {

inline constexpr const char* kUser = "admin";
inline constexpr const char* kPassword = "qorve";
inline constexpr const char* kListenAddress = "127.0.0.1";

struct CamSimOptions {
    CameraKind kind = CameraKind::Wizard;
    uint16_t controlPort = 0;  // 0: any free port
    uint16_t streamPort = 0;
    int width = 640;  // must be one of the camera's resolutions
    int height = 480;
    int fps = 15;  // 0: as fast as the client reads
    int quality = 80;
    int64_t photoCount = 0;
    int loopLength = 0;        // > 0: encode this many pictures once and repeat them
    bool livePictures = true;  // false: the stream sends only scripted parts
    // A camera still restarting after a resolution or frame-rate command: this many
    // stream requests after each such command are answered 503 without a picture.
    int restartRefusals = 0;
    uint32_t seed = 1;
};

enum class ServerRole { Control, Stream };

// An answer of the control port given in place of the camera's own.
struct ScriptedAnswer {
    int status = 200;
    std::string body;
    bool held = false;  // a camera that stopped answering: no answer until stop()
    int delayMs = 0;    // a slow camera: the answer goes out after this pause
};

struct RequestRecord {
    ServerRole server = ServerRole::Control;
    std::string method;
    std::string path;
    std::string target;  // path and query as sent
    std::multimap<std::string, std::string> params;
    bool authorized = false;  // carried the camera's user and password
};

class CamSim {
public:
    explicit CamSim(CamSimOptions options);
    ~CamSim();
    CamSim(const CamSim&) = delete;
    CamSim& operator=(const CamSim&) = delete;

    // Binds both ports on 127.0.0.1 and starts serving. False (with a reason) when the
    // options are unusable or a port cannot be bound.
    bool start(std::string* error = nullptr);
    void stop();

    uint16_t controlPort() const { return controlPort_; }
    uint16_t streamPort() const { return streamPort_; }
    CameraKind kind() const { return options_.kind; }

    CameraState state() const;
    void pressShutter();
    int64_t photoCount() const;

    // The next live part written by any stream carries the fault.
    void injectFault(Fault fault, FaultOptions options = {});

    // Parts sent, in order, by the open stream (or the next one to open) before any
    // further live picture.
    void queueParts(std::vector<ScriptedPart> parts);
    size_t pendingParts() const;

    // Requests for path (without query) on the control port get these answers in order,
    // the last one repeated, whatever the camera kind and credentials; an empty list
    // gives the path back to the camera.
    void scriptAnswers(const std::string& path, std::vector<ScriptedAnswer> answers);

    std::vector<RequestRecord> requests() const;
    void clearRequests();

    int activeStreams() const { return activeStreams_.load(); }
    // Waits until no stream is open, at most timeout; false if one still is.
    bool waitForStreamsClosed(std::chrono::milliseconds timeout);
    int streamsOpened() const { return streamsOpened_.load(); }
    uint64_t partsSent() const { return partsSent_.load(); }
    int faultsStarted() const { return faultsStarted_.load(); }

    // The live picture the stream would send now (tests, previews).
    Frame currentFrame();

private:
    struct Connection;

    void installControlRoutes();
    void installWizardRoutes();
    void installCgiRoutes();
    void installStreamRoutes();
    void record(ServerRole role, const httplib::Request& req);
    bool authorized(const httplib::Request& req) const;
    void handleCommand(const httplib::Request& req, httplib::Response& res);
    void openStream(httplib::Response& res);
    bool streamStep(Connection& connection, httplib::DataSink& sink);
    bool sendLivePart(httplib::DataSink& sink);
    bool sendScriptedPart(ScriptedPart part, httplib::DataSink& sink);
    bool sendFaultyPart(Fault fault, const FaultOptions& options, httplib::DataSink& sink);
    PictureSettings pictureSettings() const;
    double secondsSinceStart() const;
    // Sleeps until the deadline or until the simulator stops; false when stopping.
    bool waitUntil(std::chrono::steady_clock::time_point deadline);
    // A resolution or frame-rate command was taken: the stream restarts.
    void restarting();

    CamSimOptions options_;
    mutable std::mutex stateMutex_;
    CameraState state_;
    PictureSource pictures_;
    std::chrono::steady_clock::time_point started_;

    std::unique_ptr<httplib::Server> control_;
    std::unique_ptr<httplib::Server> stream_;
    std::thread controlThread_;
    std::thread streamThread_;
    uint16_t controlPort_ = 0;
    uint16_t streamPort_ = 0;

    mutable std::mutex mutex_;      // requests_, script_, fault_, answers_, refusalsLeft_
    std::condition_variable wake_;  // stopping, a scripted part, a stream closed
    bool stopping_ = false;
    std::vector<RequestRecord> requests_;
    std::deque<ScriptedPart> script_;
    std::map<std::string, std::deque<ScriptedAnswer>> answers_;
    Fault fault_ = Fault::None;
    FaultOptions faultOptions_;
    int refusalsLeft_ = 0;

    std::atomic<int> activeStreams_{0};
    std::atomic<int> streamsOpened_{0};
    std::atomic<uint64_t> partsSent_{0};
    std::atomic<int> faultsStarted_{0};
    std::atomic<uint64_t> pictureIndex_{0};
};

}  // namespace lumetra::camsim
