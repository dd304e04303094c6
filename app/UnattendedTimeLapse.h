#pragma once
// The command line's time-lapse run without anyone at the window: messages go to
// standard error instead of dialogs, and the program quits when the time-lapse is over
// (status 0 when every snapshot was taken, else 1 with the reason), or with status 1
// when the camera fails before the first snapshot.

#include <QObject>
#include <QString>
#include <functional>

#include "app/AlertPresenter.h"

namespace lumetra {

class TimeLapseCapture;

// Writes each message to standard error and tells onAlert.
class StderrAlerts : public AlertPresenter {
public:
    void alert(const QString& text) override;
    bool confirm(const QString& message, const QString& informativeText) override;
    QString chooseSaveFile(const SaveFileRequest&) override { return {}; }

    std::function<void(const QString&)> onAlert;
};

// Quits the application as the time-lapse ends; a message before its first
// snapshot (no camera, a camera that does not answer) quits with status 1.
void quitWithTimeLapse(TimeLapseCapture& timeLapse, StderrAlerts& alerts);

}  // namespace lumetra
