#include "app/TimeLapseCapture.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <chrono>

#include "app/RQVideoView.h"
#include "app/WindowSides.h"
#include "capture/StampedName.h"
#include "capture/recording/RecordingName.h"
#include "capture/recording/TimeLapseMovie.h"

namespace lumetra {
namespace {

using Clock = TimeLapseSchedule::Clock;

QString pictureCount(int n) {
    return n == 1 ? QCoreApplication::translate("lumetra::TimeLapseCapture", "1 picture")
                  : QCoreApplication::translate("lumetra::TimeLapseCapture", "%1 pictures").arg(n);
}

}  // namespace

TimeLapseCapture::TimeLapseCapture(CaptureWindow& window, std::function<std::string()> videoFolder,
                                   QObject* parent)
    : QObject(parent), window_(window), videoFolder_(std::move(videoFolder)) {
    due_.setSingleShot(true);
    due_.setTimerType(Qt::PreciseTimer);
    connect(&due_, &QTimer::timeout, this, &TimeLapseCapture::poll);
    countdown_.setInterval(1000);
    connect(&countdown_, &QTimer::timeout, this, [this] { emit progress(progressText()); });
}

TimeLapseCapture::~TimeLapseCapture() {
    if (movie_.joinable()) movie_.join();
}

void TimeLapseCapture::start(const TimeLapseSettings& settings) {
    if (running()) return;
    if (movie_.joinable()) {
        window_.showFailure(
            tr("The last time-lapse's movie is still being made; start the next one "
               "when it is saved."));
        return;
    }
    plan_ = settings;
    schedule_.emplace(plan_.plan, now_());
    started_ = false;
    freshFrame_ = false;
    pictures_.clear();
    failure_.clear();
    countdown_.start();
    emit progress(progressText());
}

void TimeLapseCapture::stop() {
    if (!running()) return;
    schedule_->stop();
    poll();
}

void TimeLapseCapture::frameArrived() {
    // A frozen view shows an older picture: it is no picture of this moment.
    freshFrame_ = !window_.videoView().frozen();
    if (!running()) return;
    // The schedule starts with the first picture the camera delivers.
    if (!started_) {
        started_ = true;
        schedule_.emplace(plan_.plan, now_());
    }
    // A picture waits for a camera picture once it is due.
    if (!due_.isActive() || schedule_->nextDue() <= now_()) poll();
}

void TimeLapseCapture::snapshotWritten(const std::string& path) {
    if (taking_) pictures_.push_back(path);
}

void TimeLapseCapture::poll() {
    if (!running()) return;
    const auto now = now_();
    const auto step = schedule_->poll(now, started_ && freshFrame_);
    if (step == TimeLapseSchedule::Step::Take) takePicture();
    if (!failure_.isEmpty() || schedule_->done()) {
        finish(failure_);
        return;
    }
    emit progress(progressText());
    // Wake at the next picture's time, or, while it waits for the camera, at the end of
    // its window (a camera picture wakes it sooner).
    if (!started_) return;
    auto wake = *schedule_->nextDue();
    if (wake <= now) wake += plan_.plan.interval;
    due_.start(std::chrono::ceil<std::chrono::milliseconds>(wake - now));
}

void TimeLapseCapture::takePicture() {
    freshFrame_ = false;
    const size_t before = pictures_.size();
    taking_ = true;
    window_.videoView().saveImage(window_.frameWidth(), window_.frameHeight(),
                                  plan_.withMeasurements);
    taking_ = false;
    if (pictures_.size() == before)
        failure_ = tr("A picture of the time-lapse could not be saved.");
}

void TimeLapseCapture::finish(const QString& failure) {
    const int missed = schedule_->missed();
    schedule_.reset();
    due_.stop();
    countdown_.stop();
    QString summary = tr("Time-lapse ended: %1 taken").arg(pictureCount(int(pictures_.size())));
    if (missed > 0)
        summary += tr(", %1 missed (no new camera picture in time)").arg(pictureCount(missed));
    summary += QStringLiteral(".");
    if (!failure.isEmpty()) summary += QLatin1Char(' ') + failure;
    failure_ = missed > 0 || !failure.isEmpty() ? summary : QString();
    if (plan_.movieFramesPerSecond <= 0 || pictures_.empty()) {
        report(summary);
        return;
    }
    std::string error;
    const auto path = reserveRecordingPath(videoFolder_(), currentTimestampName(), error);
    if (!path) {
        failure_ = summary + tr(" No movie: ") + QString::fromStdString(error);
        report(failure_);
        return;
    }
    emit progress(summary + tr(" Making the movie..."));
    movie_ = std::thread([this, pictures = pictures_, moviePath = *path, summary,
                          fps = plan_.movieFramesPerSecond] {
        const TimeLapseMovieResult made = assembleTimeLapseMovie(pictures, moviePath, fps);
        QMetaObject::invokeMethod(
            this,
            [this, made, moviePath, summary] {
                movie_.join();
                QString text = summary;
                if (made) {
                    window_.recordingThumbnailAdded(thumbnailPathOf(moviePath));
                    text += tr(" Movie saved to %1").arg(QString::fromStdString(moviePath));
                    if (made.leftOut > 0)
                        text += tr(" (%1 unreadable, left out)").arg(pictureCount(made.leftOut));
                    text += QLatin1Char('.');
                } else {
                    text += tr(" No movie: ") + QString::fromStdString(made.error);
                }
                if (!made || made.leftOut > 0 || !failure_.isEmpty()) failure_ = text;
                report(text);
            },
            Qt::QueuedConnection);
    });
}

void TimeLapseCapture::report(const QString& summary) {
    emit progress(summary);
    emit finished(failure_.isEmpty(), summary);
}

QString TimeLapseCapture::progressText() const {
    if (!running()) return {};
    QString text = tr("Time-lapse: %1 taken").arg(schedule_->taken());
    if (const auto left = schedule_->remaining()) text += tr(", %1 to go").arg(*left);
    const auto next = schedule_->nextDue();
    const auto now = now_();
    if (!started_ || (next && *next <= now))
        text += tr(", waiting for a picture from the camera");
    else if (next)
        text +=
            tr(", next in %1 s").arg(std::chrono::ceil<std::chrono::seconds>(*next - now).count());
    if (const int missed = schedule_->missed(); missed > 0)
        text += tr(", %1 missed (no new camera picture in time)").arg(missed);
    return text;
}

}  // namespace lumetra
