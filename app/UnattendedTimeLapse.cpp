#include "app/UnattendedTimeLapse.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdio>

#include "app/TimeLapseCapture.h"

namespace lumetra {

void StderrAlerts::alert(const QString& text) {
    std::fprintf(stderr, "lumetra: %s\n", qPrintable(text));
    if (onAlert) onAlert(text);
}

bool StderrAlerts::confirm(const QString& message, const QString& informativeText) {
    std::fprintf(stderr, "lumetra: %s\n",
                 qPrintable(QCoreApplication::translate("StderrAlerts", "%1 %2 (not confirmed)")
                                .arg(message, informativeText)));
    return false;
}

namespace {

// Quits once the event loop runs: a camera may fail before it started.
void quitLater(int status) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [status] { QCoreApplication::exit(status); },
        Qt::QueuedConnection);
}

}  // namespace

void quitWithTimeLapse(TimeLapseCapture& timeLapse, StderrAlerts& alerts) {
    alerts.onAlert = [&timeLapse](const QString&) {
        if (timeLapse.running() && timeLapse.picturesTaken() == 0) quitLater(1);
    };
    QObject::connect(&timeLapse, &TimeLapseCapture::finished,
                     [](bool complete, const QString& summary) {
                         if (!complete) std::fprintf(stderr, "lumetra: %s\n", qPrintable(summary));
                         quitLater(complete ? 0 : 1);
                     });
}

}  // namespace lumetra
