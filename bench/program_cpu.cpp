// The whole program's CPU time per picture it shows: the window as the program puts it
// together (on a temporary home, the offscreen platform with a 1920 x 1080 screen, shown
// at its first-run size) showing a camera's live pictures.
//
//   BM_ProgramUsb   a USB microscope delivering 2592 x 1944 Motion-JPEG at 15 pictures a
//                   second: the fake V4L2 kernel of the tests, handing out the simulated
//                   camera's micrometer pictures at that size, a frame made ready every
//                   1/15 s here (a frame not taken in time is replaced, as a driver drops it)
//   BM_ProgramWiFi  the simulated WiFi camera, lumetra-camsim as a process of its own on
//                   127.0.0.1 and free ports, streaming 1920 x 1080 at 25 pictures a second;
//                   then ffmpeg (-f mjpeg ... -f null -) decoding the same number of the
//                   same pictures from one file
//
// Each iteration waits for the view to paint one more camera picture (a paint showing
// another frame than the last one painted); the program's CPU time is that of the whole
// process (every thread; the camera's process is not in it) from after a warm-up.
//
// Reported:
//   cpu_ms          CPU time per picture shown
//   core_percent    cpu_ms at the camera's rate, in % of one core: what showing every
//                   picture costs (target for the USB microscope: under 25 %); a program
//                   that drops pictures pays for each one it shows, so it cannot look cheap
//   shown_per_s     pictures painted per second of wall time, against camera_fps
//   ffmpeg_cpu_ms   ffmpeg's CPU time per picture (getrusage(RUSAGE_CHILDREN)), and
//   ffmpeg_core_percent  the same at 25 pictures a second
//   vs_ffmpeg       cpu_ms / ffmpeg_cpu_ms (target at most 1.3)
//
// LUMETRA_BENCH_PROGRAM_SECONDS (default 8) sets how many seconds of the camera's pictures
// each run measures; the smoke pass takes 1.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QEvent>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CameraPictures.h"
#include "app/AlertPresenter.h"
#include "app/AllocatorTuning.h"
#include "app/RQVideoView.h"
#include "app/RecordingCapture.h"
#include "app/SnapshotCapture.h"
#include "app/Theme.h"
#include "app/UsbCameraSide.h"
#include "app/ViewController.h"
#include "app/WiFiCameraSide.h"
#include "app/panels/CaptureBar.h"
#include "storage/RQGlobalVariables.h"
#include "tests/support/FakeV4l2.h"
#include "tests/support/TempDir.h"
#include "tools/camsim/CamSim.h"

extern char** environ;

using namespace lumetra;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kUsbWidth = 2592, kUsbHeight = 1944, kUsbFps = 15;
constexpr int kWiFiWidth = 1920, kWiFiHeight = 1080, kWiFiFps = 25;
constexpr auto kWait = std::chrono::seconds(30);  // a bound for every wait, not a timing

double measuredSeconds() {
    const char* given = std::getenv("LUMETRA_BENCH_PROGRAM_SECONDS");
    const double seconds = given ? std::atof(given) : 0;
    return seconds > 0 ? seconds : 8;
}

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double childrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the event loop, waiting for events rather than polling, until done() or the
// timeout; false on timeout.
bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout.count());
    QTimer heartbeat;  // so that the timeout is seen when nothing else happens
    heartbeat.start(200);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

struct KeptAlerts : AlertPresenter {
    void alert(const QString& text) override { last = text; }
    bool confirm(const QString&, const QString&) override { return false; }
    QString chooseSaveFile(const SaveFileRequest&) override { return {}; }
    QString last;
};

// The window with its snapshot and recording sides, as the program puts it together, on
// the home main() set, shown.
class Program {
public:
    Program()
        : settings_(std::getenv("HOME"), LUMETRA_RESOURCE_DIR),
          window_(settings_, keptAlerts()),
          snapshots_(window_.captureBar(), settings_),
          recording_(window_.captureBar(), settings_) {
        window_.captureBar().setSnapshotSide(&snapshots_);
        window_.captureBar().setRecordingSide(&recording_);
        window_.show();
    }

    ViewController& window() { return window_; }
    const MainWindowUi& ui() const { return window_.ui(); }
    // Why a camera did not connect: the last alert, if any.
    std::string lastAlert() const { return alerts_->last.toStdString(); }

    // Whether the window shows pictures of the camera mode laid out at this width.
    bool showing(CameraMode mode, int width) const {
        return window_.cameraMode() == mode && window_.laidOutWidth() == width;
    }

private:
    std::unique_ptr<AlertPresenter> keptAlerts() {
        auto alerts = std::make_unique<KeptAlerts>();
        alerts_ = alerts.get();
        return alerts;
    }

    KeptAlerts* alerts_ = nullptr;
    RQGlobalVariables settings_;
    ViewController window_;
    SnapshotCapture snapshots_;
    RecordingCapture recording_;
};

// Counts the camera pictures the view paints: paints that show another frame than the
// last one painted (repaints of the same frame do not count).
class ShownPictures : public QObject {
public:
    explicit ShownPictures(RQVideoView& view) : view_(view) { view_.installEventFilter(this); }
    ~ShownPictures() override { view_.removeEventFilter(this); }
    uint64_t count() const { return count_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        const Frame& frame = view_.currentFrame();
        if (!frame.isNull() && (frame.data.get() != lastData_ || frame.capturedAt != lastAt_)) {
            ++count_;
            lastData_ = frame.data.get();
            lastAt_ = frame.capturedAt;
        }
        return false;
    }

private:
    RQVideoView& view_;
    uint64_t count_ = 0;
    const void* lastData_ = nullptr;
    Clock::time_point lastAt_{};
};

// Waits for as many more pictures shown as the benchmark has iterations and reports the
// process's CPU time per picture shown, and at the camera's rate; returns the former
// (0 when the pictures stopped).
double measureShown(benchmark::State& state, const ShownPictures& shown, int fps) {
    const uint64_t first = shown.count();
    uint64_t target = first;
    const double cpuBefore = processCpuSeconds();
    const auto wallBefore = Clock::now();
    for (auto _ : state) {
        ++target;
        if (!runUntil([&] { return shown.count() >= target; }, kWait)) {
            state.SkipWithError("the view stopped showing pictures");
            return 0;
        }
    }
    const double cpu = processCpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    const double pictures = static_cast<double>(shown.count() - first);
    const double cpuMs = 1000.0 * cpu / pictures;
    state.counters["cpu_ms"] = cpuMs;
    state.counters["core_percent"] = cpuMs * fps / 10.0;
    state.counters["shown_per_s"] = pictures / wall;
    state.counters["camera_fps"] = fps;
    return cpuMs;
}

// Makes a frame of the fake kernel ready every 1/fps s, as a camera's sensor does.
class FramePacer {
public:
    FramePacer(test::FakeV4l2& kernel, int fps)
        : thread_([this, &kernel, fps] {
              const auto period = std::chrono::nanoseconds(1'000'000'000 / fps);
              auto next = Clock::now();
              std::unique_lock lock(mutex_);
              while (!stop_) {
                  kernel.offerFrame();
                  next += period;
                  wake_.wait_until(lock, next, [this] { return stop_; });
              }
          }) {}
    ~FramePacer() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    FramePacer(const FramePacer&) = delete;
    FramePacer& operator=(const FramePacer&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;  // last: starts when the rest is ready
};

// Chooses the item of a camera list as the user does; false when it is not offered.
bool choose(QComboBox* list, const QString& item) {
    const int index = list->findText(item);
    if (index < 0) return false;
    emit list->activated(index);
    return true;
}

void BM_ProgramUsb(benchmark::State& state) {
    static const std::vector<std::string> pictures = [] {
        std::vector<std::string> jpegs;
        for (const auto& jpeg : bench::loopPictures(kUsbWidth, kUsbHeight))
            jpegs.emplace_back(jpeg->begin(), jpeg->end());
        return jpegs;
    }();
    test::TempDir devices;  // the fake /dev and /sys
    test::FakeV4l2 kernel;
    test::FakeDevice microscope;
    microscope.path = test::addNode(devices.path(), "video0", "14c3", "1302");
    microscope.pictures = pictures;
    kernel.add(microscope);

    Program program;
    UsbCameraSide usb(program.window(), kernel,
                      {(devices.path() / "dev").string(), (devices.path() / "sys").string()});
    ShownPictures shown(*program.ui().VideoView);
    program.ui().camera.of(CameraKind::Usb).connect->click();
    if (program.window().cameraMode() != CameraMode::Usb) {
        state.SkipWithError(("the microscope does not open: " + program.lastAlert()).c_str());
        return;
    }
    const CameraPanel::Widgets& camera = program.ui().camera;
    if (!choose(camera.of(CameraKind::Usb).formats, QStringLiteral("Motion-JPEG, 2592 x 1944")) ||
        !choose(camera.of(CameraKind::Usb).rates, QStringLiteral("FPS: 15.00"))) {
        state.SkipWithError("the microscope does not offer 2592 x 1944 at 15 pictures a second");
        return;
    }
    FramePacer pacer(kernel, kUsbFps);
    // Warm-up: a second of pictures shown at the new size.
    const uint64_t warm = shown.count() + kUsbFps;
    if (!runUntil(
            [&] { return program.showing(CameraMode::Usb, kUsbWidth) && shown.count() >= warm; },
            kWait)) {
        state.SkipWithError(("no pictures from the microscope: " + program.lastAlert()).c_str());
        return;
    }
    measureShown(state, shown, kUsbFps);
}

// lumetra-camsim started on 127.0.0.1 with free ports; it quits when destroyed.
class CameraProcess {
public:
    CameraProcess(int width, int height, int fps) {
        int out[2];
        if (::pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const std::vector<std::string> args = {LUMETRA_CAMSIM,
                                               "--kind",
                                               "cgi",
                                               "--width",
                                               std::to_string(width),
                                               "--height",
                                               std::to_string(height),
                                               "--fps",
                                               std::to_string(fps),
                                               "--quality",
                                               std::to_string(bench::kQuality),
                                               "--loop",
                                               std::to_string(bench::kLoopLength)};
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, LUMETRA_CAMSIM, &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        // "lumetra-camsim: cgi camera, control http://127.0.0.1:C/, stream http://127.0.0.1:S/"
        FILE* said = ::fdopen(out[0], "r");
        char line[256] = {};
        unsigned control = 0, stream = 0;
        if (pid_ > 0 && said && std::fgets(line, sizeof line, said)) {
            const std::string text = line;
            const auto port = [&](const std::string& before) {
                const size_t at = text.find(before);
                return at == std::string::npos
                           ? 0u
                           : static_cast<unsigned>(
                                 std::strtoul(text.c_str() + at + before.size(), nullptr, 10));
            };
            control = port("control http://127.0.0.1:");
            stream = port("stream http://127.0.0.1:");
        }
        if (said) std::fclose(said);
        host_ = {camsim::kListenAddress, static_cast<uint16_t>(control),
                 static_cast<uint16_t>(stream)};
    }
    ~CameraProcess() { stop(); }
    CameraProcess(const CameraProcess&) = delete;
    CameraProcess& operator=(const CameraProcess&) = delete;

    bool started() const { return pid_ > 0 && host_.controlPort != 0 && host_.streamPort != 0; }
    const CameraHost& host() const { return host_; }

    // Ends it (it takes SIGTERM as its quit) and waits for it.
    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    CameraHost host_{camsim::kListenAddress, 0, 0};
};

// CPU seconds of ffmpeg decoding `count` of the pictures in turn, written as one
// Motion-JPEG file into folder; negative when ffmpeg does not run or fails.
double ffmpegDecodeSeconds(const std::vector<camsim::JpegBytes>& pictures, size_t count,
                           const std::string& folder) {
    const std::string file = folder + "/pictures.mjpeg";
    {
        std::ofstream out(file, std::ios::binary);
        for (size_t i = 0; i < count; ++i) {
            const auto& jpeg = *pictures[i % pictures.size()];
            out.write(reinterpret_cast<const char*>(jpeg.data()),
                      static_cast<std::streamsize>(jpeg.size()));
        }
        if (!out) return -1;
    }
    const std::vector<std::string> args = {"ffmpeg", "-nostdin", "-v", "error", "-f", "mjpeg",
                                           "-i",     file,       "-f", "null",  "-"};
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const double before = childrenCpuSeconds();
    pid_t pid = -1;
    if (posix_spawn(&pid, "/usr/bin/ffmpeg", nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return childrenCpuSeconds() - before;
}

void BM_ProgramWiFi(benchmark::State& state) {
    static const auto pictures = bench::loopPictures(kWiFiWidth, kWiFiHeight);
    CameraProcess camera(kWiFiWidth, kWiFiHeight, kWiFiFps);
    if (!camera.started()) {
        state.SkipWithError("lumetra-camsim does not start");
        return;
    }
    Program program;
    WiFiCameraSide wifi(program.window(), camera.host());
    ShownPictures shown(*program.ui().VideoView);
    program.ui().camera.of(CameraKind::WiFi).connect->click();
    // Warm-up: a second of pictures shown at the camera's size.
    if (!runUntil(
            [&] {
                return program.showing(CameraMode::WiFiCgi, kWiFiWidth) &&
                       shown.count() >= static_cast<uint64_t>(kWiFiFps);
            },
            kWait)) {
        state.SkipWithError(("no pictures from the camera: " + program.lastAlert()).c_str());
        return;
    }
    const double cpuMs = measureShown(state, shown, kWiFiFps);
    if (cpuMs <= 0) return;
    wifi.stopCamera();
    camera.stop();  // ended and waited for before ffmpeg's CPU is counted

    const size_t count = static_cast<size_t>(state.iterations());
    const double ffmpeg = ffmpegDecodeSeconds(pictures, count, std::getenv("HOME"));
    if (ffmpeg < 0) {
        state.SkipWithError("/usr/bin/ffmpeg does not decode the pictures");
        return;
    }
    const double ffmpegMs = 1000.0 * ffmpeg / static_cast<double>(count);
    state.counters["ffmpeg_cpu_ms"] = ffmpegMs;
    state.counters["ffmpeg_core_percent"] = ffmpegMs * kWiFiFps / 10.0;
    state.counters["vs_ffmpeg"] = cpuMs / ffmpegMs;
}

// The offscreen platform with one 1920 x 1080 screen (its default is 800 x 600, where
// the window would open at its minimum size), described in a file in folder.
std::string offscreenPlatform(const std::string& folder) {
    const std::string file = folder + "/offscreen-screen.json";
    std::ofstream(file) << R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920,)"
                        << R"( "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96,)"
                        << R"( "dpr": 1}]})";
    return "offscreen:configfile=" + file;
}

}  // namespace

int main(int argc, char** argv) {
    // As the program sets it up.
    if (!keepLargeBlocksMapped())
        std::fprintf(stderr, "bench_program_cpu: the allocator setting failed\n");
    test::TempDir home;
    if (home.path().empty()) {
        std::fprintf(stderr, "bench_program_cpu: no temporary folder\n");
        return 1;
    }
    // The storage root, kept settings and caches all go to the temporary home.
    ::setenv("HOME", home.path().c_str(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        ::unsetenv(name);
    ::setenv("LUMETRA_CAMERA_HOST", camsim::kListenAddress, 1);  // never a real camera
    ::setenv("QT_QPA_PLATFORM", offscreenPlatform(home.path().string()).c_str(), 1);
    QApplication app(argc, argv);
    applyTheme(app);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const double seconds = measuredSeconds();
    benchmark::RegisterBenchmark("BM_ProgramUsb", BM_ProgramUsb)
        ->Iterations(std::llround(seconds * kUsbFps))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("BM_ProgramWiFi", BM_ProgramWiFi)
        ->Iterations(std::llround(seconds * kWiFiFps))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
