#pragma once
// Shared pieces of the window tests: an alert presenter that records instead of
// blocking, frames, mouse input on the real view, pixel checks, and a window
// on a fresh storage root in a temporary home.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <QToolButton>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/AlertPresenter.h"
#include "app/RQVideoView.h"
#include "app/SoundPlayer.h"
#include "app/ViewController.h"
#include "image/Frame.h"
#include "storage/RQGlobalVariables.h"
#include "support/GreyFrame.h"
#include "support/TempDir.h"

// Texts of the window as test messages print them.
inline std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << text.toStdString();
}

namespace lumetra::test {

constexpr int kWait = 10000;  // ms; a bound for the waits, not a timing requirement

// Runs the event loop until `condition` holds, for at most kWait.
template <typename Condition>
bool waitFor(Condition condition) {
    return QTest::qWaitFor(condition, kWait);
}

// Plays nothing: the capture tests need no sound.
struct SilentSounds : SoundPlayer {
    void play(const SoundResource&) override {}
};

class RecordingPresenter : public AlertPresenter {
public:
    void alert(const QString& text) override { alerts.push_back(text); }
    bool confirm(const QString& message, const QString& text) override {
        confirmations.push_back(message + ": " + text);
        return confirmAnswer;
    }
    QString chooseSaveFile(const SaveFileRequest& request) override {
        saveRequests.push_back(request);
        return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
    }
    QStringList alerts;
    QStringList confirmations;
    bool confirmAnswer = false;
    QList<SaveFileRequest> saveRequests;
    QStringList savePaths;  // what the save panel answers, in turn; none left: cancelled
};

// Records every transfer a sheet or the view reports.
struct RecordingDelegate : RQTransferDelegate {
    void PassValue(const UserEntity& entity, int32_t type) override {
        types.push_back(type);
        entities.push_back(entity);
    }
    std::vector<int32_t> types;
    std::vector<UserEntity> entities;
};

// Mouse input on the widget, in the model's y-up coordinates (mapped onto the
// picture as the measuring view shows it).
inline void sendMouse(QWidget* widget, QEvent::Type type, double x, double yUp,
                      Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QPointF local(x, widget->height() - yUp);
    if (const auto* view = qobject_cast<const RQVideoView*>(widget)) {
        const ViewFit fit = view->fit();
        local = QPointF(fit.pixelX(x), fit.pixelY(yUp));
    }
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}
inline void click(QWidget* view, double x, double yUp,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    sendMouse(view, QEvent::MouseButtonPress, x, yUp, Qt::LeftButton, Qt::LeftButton, modifiers);
    sendMouse(view, QEvent::MouseButtonRelease, x, yUp, Qt::LeftButton, Qt::NoButton, modifiers);
}
inline void move(QWidget* view, double x, double yUp) {
    sendMouse(view, QEvent::MouseMove, x, yUp, Qt::NoButton, Qt::NoButton);
}

// Pixels that are clearly red, as the default line colour draws them.
inline int redPixels(const QImage& image) {
    int count = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (qRed(row[x]) > 180 && qGreen(row[x]) < 90 && qBlue(row[x]) < 90) ++count;
        }
    }
    return count;
}

// The name of the image a button shows.
inline QString imageOf(const QToolButton* button) { return button->property("image").toString(); }

// The main window on a storage root in a temporary home, with recorded alerts.
class WindowHarness {
    // Declared first so that the window goes before its settings and home.
    std::shared_ptr<TempDir> home_;
    ScopedHome scopedHome_;
    std::unique_ptr<RQGlobalVariables> settings_;

public:
    WindowHarness() : WindowHarness(std::make_shared<TempDir>()) {}

    // A second window on the same home, as after a restart.
    explicit WindowHarness(std::shared_ptr<TempDir> home)
        : home_(std::move(home)),
          scopedHome_(home_->path()),
          settings_(
              std::make_unique<RQGlobalVariables>(home_->path().string(), LUMETRA_RESOURCE_DIR)) {
        auto presenter = std::make_unique<RecordingPresenter>();
        alerts = presenter.get();
        window = std::make_unique<ViewController>(*settings_, std::move(presenter));
        window->show();
    }

    std::shared_ptr<TempDir> home() const { return home_; }
    RQGlobalVariables& settings() { return *settings_; }
    const MainWindowUi& ui() const { return window->ui(); }
    RQVideoView* view() const { return window->ui().VideoView; }
    const MeasureModel& model() const { return view()->model(); }
    std::string root() const { return settings_->getStrDocuments(); }

    // Makes the window the active one, as window shortcuts need.
    bool activate() {
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }

    // A camera becomes active (a USB camera unless told otherwise).
    void connectCamera(CameraMode mode = CameraMode::Usb) {
        window->cameraConnected(mode, 640, 480, QString());
    }

    // Delivers a 640 x 480 frame and paints the view at once.
    void frame(uint8_t level = 0x80) {
        window->onFrame(greyFrame(640, 480, level));
        view()->grab();
    }

    RecordingPresenter* alerts = nullptr;
    std::unique_ptr<ViewController> window;
};

}  // namespace lumetra::test
