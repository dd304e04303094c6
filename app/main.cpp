// Lumetra: live measurement on USB and WiFi digital microscopes.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

#include "app/AppDelegate.h"
#include "app/SnapshotCapture.h"
#include "app/Theme.h"
#include "app/ViewController.h"
#include "storage/RQGlobalVariables.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumetra"));
    lumetra::applyTheme(app);
    lumetra::AppDelegate::install(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Live measurement on digital microscopes"));
    parser.addHelpOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the window to <file> and quit."), QStringLiteral("file"));
    parser.addOption(screenshot);
    // Options of other parts of the program are not refused here.
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
    }
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp();

    lumetra::ViewController window(lumetra::RQGlobalVariables::shared());
    lumetra::SnapshotCapture capture(window, lumetra::RQGlobalVariables::shared());
    window.setCaptureSide(&capture);
    window.show();

    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        QTimer::singleShot(800, &window, [&window, path] {
            const bool saved = window.grab().save(path);
            if (!saved) std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
