#pragma once
// The window's capture side for recordings: the record button starts and stops
// the recorder (capture/recording/Recorder) with the start and stop sounds, every
// routed frame goes to it, a one-second timer shows the time, and its outcomes
// (thumbnail written or not, file complete, failure) go to the window. A recording
// under way is finished when frames stop, when stopping sees no frame for
// stopWait, and when this side goes.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

#include "app/SoundPlayer.h"
#include "app/WindowSides.h"
#include "capture/recording/Recorder.h"

namespace lumetra {

class RQGlobalVariables;

class RecordingCapture : public QObject, public RecordingSide, public RecorderListener {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kStopWait{3000};

    // sounds: the player (Qt Multimedia when none is given).
    RecordingCapture(CaptureWindow& window, const RQGlobalVariables& settings,
                     std::unique_ptr<SoundPlayer> sounds = nullptr,
                     std::chrono::milliseconds stopWait = kStopWait);
    ~RecordingCapture() override;

    void toggleRecording() override;
    void recordingVideo(const Frame& frame) override { recorder_.recordingVideo(frame); }
    void finishRecording() override;

    const Recorder& recorder() const { return recorder_; }

private:
    void started(const std::string& path) override;
    void thumbnailWritten(const std::string& path) override;
    void thumbnailFailed(const std::string& path, const std::string& reason) override;
    void finished(const std::string& path, uint64_t framesLeftOut) override;
    void failed(const std::string& reason) override;
    void stopped();

    CaptureWindow& window_;
    const RQGlobalVariables& settings_;
    std::unique_ptr<SoundPlayer> sounds_;
    QTimer clock_;
    QTimer stopWait_;    // stopping with no frame coming finishes the file
    Recorder recorder_;  // last: finishes its file before the rest goes
};

}  // namespace lumetra
