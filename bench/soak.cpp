// Soak: the window, as the program puts it together, streams from the simulated WiFi
// camera on 127.0.0.1, records and takes snapshots for a long time while the camera
// plays every fault it has, in a fixed cycle of 40 seconds: garbage parts, pictures
// claiming huge sizes, truncated pictures and headers, an oversized part, a stall, slow
// and failing control answers, a picture end marker split over two writes, a dropped
// connection, a camera restart mid-recording, a resolution change and a failing connect.
//
//   bench_soak [SECONDS]    (or LUMETRA_SOAK_SECONDS; default 600)
//
// Everything lives in a temporary home that is removed afterwards. At the end it prints
// resident memory over time, its growth after warm-up (measured at the start of each
// cycle, where no recording runs and the camera streams), the counts of snapshots,
// recordings, alerts and stream faults, and reads back every movie (decoding every frame)
// and every snapshot. Exit status 1 when one of them does not play or memory grew by more
// than 20 MiB after warm-up; a crash ends the program with its signal.

#include <turbojpeg.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AlertPresenter.h"
#include "app/AllocatorTuning.h"
#include "app/RecordingCapture.h"
#include "app/SnapshotCapture.h"
#include "app/ViewController.h"
#include "app/WiFiCameraSide.h"
#include "image/JpegCodec.h"
#include "storage/RQGlobalVariables.h"
#include "tests/support/JpegSamples.h"
#include "tests/support/TempDir.h"
#include "tools/camsim/CamSim.h"

using namespace lumetra;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kStepMs = 2000;
constexpr int kStepsPerCycle = 20;
constexpr int kCycleSeconds = kStepMs * kStepsPerCycle / 1000;
constexpr int kSampleSeconds = 5;
constexpr double kGrowthLimitMiB = 20;
// Until the first cycles have run, memory rises by tens of MiB as the threads of the stream,
// the recorder and the snapshots get their allocator arenas and the libraries their buffers.
constexpr int kWarmUpCycles = 2;
constexpr int kWidth = 640;
constexpr int kHeight = 480;

double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmRSS:")) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

struct CountingPresenter : AlertPresenter {
    void alert(const QString& text) override {
        ++alerts;
        last = text;
    }
    bool confirm(const QString&, const QString&) override { return false; }
    QString chooseSaveFile(const SaveFileRequest&) override { return {}; }
    int alerts = 0;
    QString last;
};

struct Silent : SoundPlayer {
    void play(const SoundResource&) override {}
};

// A progressive picture whose frame header claims width x height.
std::string progressiveClaim(uint16_t width, uint16_t height) {
    const Frame small = Frame::allocate(64, 48);
    std::fill(small.data.get(), small.data.get() + small.byteCount(), uint8_t{0x70});
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, small.data.get(), small.width, small.stride, small.height, TJPF_BGRA, &out,
                &size, TJSAMP_420, 80, TJFLAG_PROGRESSIVE);
    std::string jpeg(reinterpret_cast<const char*>(out), size);
    tjFree(out);
    tjDestroy(handle);
    const size_t sof = jpeg.find("\xFF\xC2");
    if (sof == std::string::npos || sof + 9 > jpeg.size()) return jpeg;
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

camsim::ScriptedPart jpegPart(const std::string& body) {
    return camsim::ScriptedPart::make("image/jpeg", body, {}, {}, 0);
}

// How a movie reads back: every packet decoded as a player would.
struct Playback {
    bool opened = false;
    int frames = 0;
    int errors = 0;
    double seconds = 0;
    bool plays() const { return opened && frames > 0 && errors == 0; }
};

Playback play(const std::string& path) {
    Playback result;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return result;
    const int index = avformat_find_stream_info(format, nullptr) < 0
                          ? -1
                          : av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const AVCodec* codec =
        index < 0 ? nullptr : avcodec_find_decoder(format->streams[index]->codecpar->codec_id);
    AVCodecContext* decoder = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (decoder && avcodec_parameters_to_context(decoder, format->streams[index]->codecpar) >= 0 &&
        avcodec_open2(decoder, codec, nullptr) >= 0) {
        result.opened = true;
        if (format->duration > 0)
            result.seconds = static_cast<double>(format->duration) / AV_TIME_BASE;
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        const auto receive = [&] {
            int status = 0;
            while ((status = avcodec_receive_frame(decoder, frame)) >= 0) {
                ++result.frames;
                if (frame->decode_error_flags != 0) ++result.errors;
                av_frame_unref(frame);
            }
            if (status != AVERROR(EAGAIN) && status != AVERROR_EOF) ++result.errors;
        };
        while (av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == index) {
                if (avcodec_send_packet(decoder, packet) < 0) ++result.errors;
                receive();
            }
            av_packet_unref(packet);
        }
        avcodec_send_packet(decoder, nullptr);
        receive();
        av_frame_free(&frame);
        av_packet_free(&packet);
    }
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
    return result;
}

std::vector<std::string> filesEndingIn(const std::string& folder, const std::string& ending) {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().string().ends_with(ending)) found.push_back(entry.path().string());
    std::sort(found.begin(), found.end());
    return found;
}

int secondsToRun(int argc, char** argv) {
    const char* given = argc > 1 ? argv[1] : std::getenv("LUMETRA_SOAK_SECONDS");
    const int seconds = given ? std::atoi(given) : 600;
    return seconds > 0 ? seconds : 600;
}

struct Sample {
    int second;
    double mib;
    bool recording;
    bool streaming;
};

// The window with its capture and WiFi sides, as the program builds it, and the camera.
class Soak {
public:
    explicit Soak(const fs::path& home)
        : settings_(home.string(), LUMETRA_RESOURCE_DIR),
          window_(settings_, makePresenter()),
          snapshots_(window_.captureBar(), settings_, std::make_unique<Silent>()),
          recording_(window_.captureBar(), settings_, std::make_unique<Silent>()) {
        window_.captureBar().setSnapshotSide(&snapshots_);
        window_.captureBar().setRecordingSide(&recording_);
        window_.show();
    }

    bool startCamera() {
        camsim::CamSimOptions options;
        options.kind = camsim::CameraKind::Cgi;
        options.controlPort = controlPort_;
        options.streamPort = streamPort_;
        options.width = kWidth;
        options.height = kHeight;
        options.fps = 15;
        options.loopLength = 8;
        auto sim = std::make_unique<camsim::CamSim>(options);
        std::string error;
        if (!sim->start(&error)) {
            std::fprintf(stderr, "soak: the camera does not start: %s\n", error.c_str());
            ++failedRestarts_;
            return false;
        }
        controlPort_ = sim->controlPort();
        streamPort_ = sim->streamPort();
        sim_ = std::move(sim);
        if (!wifi_) wifi_ = std::make_unique<WiFiCameraSide>(window_, host());
        wifi_->setHost(host());
        return true;
    }

    // One step of the cycle. Every fifth step also takes a snapshot from a streaming camera:
    // each joins the album's bounded thumbnail cache (about 170 KB at this size, 64 MiB in
    // all), which a snapshot every step would fill at 3 MiB a cycle.
    void step(int index) {
        if (index % 5 == 1 && streaming()) {
            window_.ui().capture.btSnapshot->click();
            ++snapshotClicks_;
        }
        switch (index % kStepsPerCycle) {
            case 0:
                connect();
                break;
            case 1:
                toggleRecording(true);
                break;
            case 2:
                fault(camsim::Fault::Garbage);
                break;
            case 3:
                queue({jpegPart(test::claimingSize(test::flatJpeg(64, 48, 0x60), 8192, 8192)),
                       jpegPart(progressiveClaim(8192, 8192)),
                       jpegPart(test::claimingSize(test::flatJpeg(64, 48, 0x60), 60000, 60000))});
                break;
            case 4: {
                if (!sim_) break;
                const auto whole = encodeJpeg(sim_->currentFrame(), 80);
                const std::string picture(whole.begin(), whole.end());
                queue({jpegPart(picture.substr(0, picture.size() / 2)),
                       jpegPart(picture.substr(0, 40)),
                       camsim::ScriptedPart::raw(std::string("--") + camsim::kBoundary +
                                                 "\r\nContent-Ty"),
                       jpegPart(picture)});
                break;
            }
            case 5:
                fault(camsim::Fault::Oversized);
                break;
            case 6:
                fault(camsim::Fault::Stall, {.stallMs = 2500});
                break;
            case 7:
                answers({{.status = 200, .body = "", .delayMs = 2000}});
                slide(2);
                break;
            case 8:
                if (sim_) sim_->pressShutter();  // the camera's own button: a snapshot
                break;
            case 9:
                answers({{.status = 500, .body = "Error"}});
                slide(2);
                break;
            case 10:
                answers({});
                fault(camsim::Fault::SplitMarker);
                toggleRecording(false);
                break;
            case 11:
                fault(camsim::Fault::Drop);
                break;
            case 12:
                connect();
                break;
            case 13:
                toggleRecording(true);
                break;
            case 14:
                // A camera restart with a recording under way: the stream ends under it.
                sim_.reset();
                ++restarts_;
                break;
            case 15:
                if (startCamera()) connect();
                break;
            case 16:
                chooseFormat(1);
                break;
            case 17:
                toggleRecording(false);
                if (sim_) sim_->scriptAnswers("/get_camera_all.cgi", {{.status = 500, .body = ""}});
                window_.ui().camera.of(CameraKind::WiFi).connect->click();  // a connect that fails
                break;
            case 18:
                if (sim_) sim_->scriptAnswers("/get_camera_all.cgi", {});
                connect();
                break;
            case 19:
                chooseFormat(0);
                break;
        }
    }

    // The camera is the window's and its stream delivers (a stream that ended leaves no
    // camera until the next connect).
    bool streaming() const {
        return window_.cameraMode() != CameraMode::None && wifi_ &&
               !wifi_->receiver().streamEnded();
    }
    bool recording() const { return recording_.recorder().state() != RecordState::Idle; }

    // Stops the recording and the camera and waits for the last file to be complete.
    void finish() {
        toggleRecording(false);
        const auto until = Clock::now() + std::chrono::seconds(60);
        while (recording() && Clock::now() < until)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (wifi_) wifi_->stopCamera();
        QCoreApplication::processEvents();
        wifi_.reset();
        sim_.reset();
        QCoreApplication::processEvents();
    }

    RQGlobalVariables& settings() { return settings_; }
    const WiFiCameraSide* wifi() const { return wifi_.get(); }
    int alerts() const { return presenter_->alerts; }
    int connects() const { return connects_; }
    int restarts() const { return restarts_; }
    int failedRestarts() const { return failedRestarts_; }
    int recordingsStarted() const { return recordingsStarted_; }
    int snapshotClicks() const { return snapshotClicks_; }
    int faults() const { return faults_; }

private:
    std::unique_ptr<AlertPresenter> makePresenter() {
        auto presenter = std::make_unique<CountingPresenter>();
        presenter_ = presenter.get();
        return presenter;
    }

    CameraHost host() const { return {camsim::kListenAddress, controlPort_, streamPort_}; }

    void connect() {
        if (streaming() || !sim_) return;
        window_.ui().camera.of(CameraKind::WiFi).connect->click();
        ++connects_;
    }

    void toggleRecording(bool on) {
        if (recording() == on || (on && !streaming())) return;
        window_.ui().capture.btTakevideo->click();
        if (on && recording()) ++recordingsStarted_;
    }

    void fault(camsim::Fault fault, camsim::FaultOptions options = {}) {
        if (!sim_) return;
        sim_->injectFault(fault, options);
        ++faults_;
    }

    void queue(std::vector<camsim::ScriptedPart> parts) {
        if (!sim_) return;
        sim_->queueParts(std::move(parts));
        ++faults_;
    }

    void answers(std::vector<camsim::ScriptedAnswer> scripted) {
        if (sim_) sim_->scriptAnswers("/camera_control.cgi", std::move(scripted));
    }

    // Moves the brightness slider by single steps, each a command to the camera.
    void slide(int steps) {
        QSlider* slider =
            window_.ui().camera.adjustmentSliders[static_cast<size_t>(Adjustment::Brightness)];
        for (int i = 0; i < steps; ++i)
            slider->setValue(slider->value() < slider->maximum() ? slider->value() + 1
                                                                 : slider->minimum());
    }

    void chooseFormat(int index) {
        QComboBox* formats = window_.ui().camera.of(CameraKind::WiFi).formats;
        if (streaming() && index < formats->count() && formats->currentIndex() != index)
            emit formats->activated(index);
    }

    CountingPresenter* presenter_ = nullptr;
    RQGlobalVariables settings_;
    ViewController window_;
    SnapshotCapture snapshots_;
    RecordingCapture recording_;
    std::unique_ptr<camsim::CamSim> sim_;  // outlives the side, whose stream closes first
    std::unique_ptr<WiFiCameraSide> wifi_;
    uint16_t controlPort_ = 0;
    uint16_t streamPort_ = 0;
    int connects_ = 0, restarts_ = 0, failedRestarts_ = 0, recordingsStarted_ = 0;
    int snapshotClicks_ = 0, faults_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = secondsToRun(argc, argv);
    // As the program sets it up.
    if (!keepLargeBlocksMapped()) std::fprintf(stderr, "soak: the allocator setting failed\n");
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    test::TempDir home;
    if (home.path().empty()) {
        std::fprintf(stderr, "soak: no temporary folder\n");
        return 1;
    }
    // The storage root, kept settings and caches all go to the temporary home.
    ::setenv("HOME", home.path().c_str(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        ::unsetenv(name);
    av_log_set_level(AV_LOG_FATAL);
    QApplication app(argc, argv);

    std::vector<Sample> samples;
    std::vector<Sample> cycleStarts;
    std::optional<Soak> soak(std::in_place, home.path());
    if (!soak->startCamera()) return 1;
    std::printf("soak: %d s, a fault cycle every %d s, home %s\n", seconds, kCycleSeconds,
                home.path().c_str());
    std::fflush(stdout);

    const auto start = Clock::now();
    const auto elapsedMs = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    };
    int nextStep = 0;
    int nextSample = 0;
    for (;;) {
        const auto now = elapsedMs();
        if (now >= int64_t{nextSample} * kSampleSeconds * 1000) {
            const Sample s{nextSample * kSampleSeconds, residentMiB(), soak->recording(),
                           soak->streaming()};
            samples.push_back(s);
            if (s.second % kCycleSeconds == 0) cycleStarts.push_back(s);
            ++nextSample;
        }
        if (now >= int64_t{seconds} * 1000) break;
        if (now >= int64_t{nextStep} * kStepMs) soak->step(nextStep++);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    const auto stream = soak->wifi()->receiver().stats();
    soak->finish();

    // Resident memory over time: every 30 s, and growth at the cycle starts after warm-up.
    std::printf("\n  time   RSS MiB  recording  streaming\n");
    for (const Sample& s : samples)
        if (s.second % 30 == 0 || &s == &samples.back())
            std::printf("%5d s  %8.1f  %9s  %9s\n", s.second, s.mib, s.recording ? "yes" : "no",
                        s.streaming ? "yes" : "no");
    double growth = 0;
    double baseline = 0;
    if (cycleStarts.size() > static_cast<size_t>(kWarmUpCycles)) {
        baseline = cycleStarts[static_cast<size_t>(kWarmUpCycles)].mib;
        for (size_t i = static_cast<size_t>(kWarmUpCycles); i < cycleStarts.size(); ++i)
            growth = std::max(growth, cycleStarts[i].mib - baseline);
    }
    double peak = 0;
    for (const Sample& s : samples) peak = std::max(peak, s.mib);
    std::printf("\nRSS at cycle starts (no recording):");
    for (const Sample& s : cycleStarts) std::printf(" %d s %.1f;", s.second, s.mib);
    std::printf(
        "\nwarm-up %d s, baseline %.1f MiB, growth after warm-up %.1f MiB (limit %.0f), "
        "peak %.1f MiB\n",
        kWarmUpCycles * kCycleSeconds, baseline, growth, kGrowthLimitMiB, peak);
    std::printf("connects %d, camera restarts %d (%d failed), stream faults %d, alerts %d\n",
                soak->connects(), soak->restarts(), soak->failedRestarts(), soak->faults(),
                soak->alerts());
    std::printf(
        "stream: %llu pictures, %llu failed to decode, %llu parts dropped, %llu camera "
        "snapshots\n",
        static_cast<unsigned long long>(stream.picturesDecoded),
        static_cast<unsigned long long>(stream.decodeFailures),
        static_cast<unsigned long long>(stream.partsDropped),
        static_cast<unsigned long long>(stream.snapshotsRequested));

    bool ok = growth <= kGrowthLimitMiB;
    const auto shots = filesEndingIn(soak->settings().getStrDocumentsPicture(), ".jpg");
    int badShots = 0;
    for (const std::string& shot : shots)
        if (!decodeJpegFile(shot)) {
            ++badShots;
            std::printf("snapshot does not open: %s\n", shot.c_str());
        }
    std::printf("snapshots: %d clicks, %zu written, %d unreadable\n", soak->snapshotClicks(),
                shots.size(), badShots);
    const auto movies = filesEndingIn(soak->settings().getStrDocumentsVideo(), ".mp4");
    int playing = 0;
    for (const std::string& movie : movies) {
        const Playback p = play(movie);
        playing += p.plays();
        if (!p.plays())
            std::printf("movie does not play: %s (opened %d, %d frames, %d errors)\n",
                        movie.c_str(), p.opened, p.frames, p.errors);
        else
            std::printf("movie %s: %d frames, %.1f s\n", fs::path(movie).filename().c_str(),
                        p.frames, p.seconds);
    }
    std::printf("recordings: %d started, %zu movies, %d play\n", soak->recordingsStarted(),
                movies.size(), playing);
    ok = ok && badShots == 0 && playing == static_cast<int>(movies.size()) &&
         static_cast<int>(movies.size()) == soak->recordingsStarted();
    soak.reset();
    std::printf("soak: no crash; %s\n", ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
