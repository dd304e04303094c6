#pragma once
// The window's time-lapse: a snapshot of what the view shows whenever the schedule
// says one is due and the camera delivered a picture since the last one, with or
// without the measurements burnt in, optionally assembled into a movie in the video
// folder when it ends. A camera that delivers nothing (a WiFi dropout, an unplugged
// device) or a frozen view costs the pictures whose time passed meanwhile; the
// progress line says so, and the time-lapse goes on when pictures come back.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "policy/TimeLapseSchedule.h"

namespace lumetra {

class CaptureWindow;

struct TimeLapseSettings {
    TimeLapsePlan plan;
    bool withMeasurements = true;
    int movieFramesPerSecond = 0;  // 0: no movie
};

class TimeLapseCapture : public QObject {
    Q_OBJECT
public:
    // videoFolder: where the movie goes.
    TimeLapseCapture(CaptureWindow& window, std::function<std::string()> videoFolder,
                     QObject* parent = nullptr);
    ~TimeLapseCapture() override;  // waits for a movie being assembled

    // Starts a time-lapse; its first picture is taken with the next camera picture.
    // Refused, with a message, while the last one's movie is being made.
    void start(const TimeLapseSettings& settings);
    // Ends it before its time (the movie, when wanted, is assembled from what was taken).
    void stop();
    bool running() const { return schedule_.has_value(); }
    // The movie of the last one is being assembled; finished() follows.
    bool makingMovie() const { return movie_.joinable(); }
    int picturesTaken() const { return static_cast<int>(pictures_.size()); }

    // The clock the schedule reads (the steady clock unless a test drives one).
    using Now = std::function<TimeLapseSchedule::Clock::time_point()>;
    void setClock(Now now) { now_ = std::move(now); }

    // The window's news: a camera picture was routed; a snapshot was written.
    void frameArrived();
    void snapshotWritten(const std::string& path);

signals:
    // The progress line: taken, remaining, next in, missed.
    void progress(const QString& text);
    // The time-lapse is over (its movie written or failed): summary says how it went;
    // complete is false when pictures were missed or a picture or the movie failed.
    void finished(bool complete, const QString& summary);

private:
    void poll();
    void takePicture();
    void finish(const QString& failure);
    void report(const QString& summary);
    QString progressText() const;

    CaptureWindow& window_;
    std::function<std::string()> videoFolder_;
    Now now_ = TimeLapseSchedule::Clock::now;
    TimeLapseSettings plan_;
    std::optional<TimeLapseSchedule> schedule_;
    bool started_ = false;     // the first picture's time is set
    bool freshFrame_ = false;  // a camera picture came since the last snapshot
    bool taking_ = false;      // a snapshot of the time-lapse is being written
    std::vector<std::string> pictures_;
    QString failure_;   // why the time-lapse ended early
    QTimer due_;        // the next picture's time, or the end of its window
    QTimer countdown_;  // the progress line's "next in"
    std::thread movie_;
};

}  // namespace lumetra
