#include "app/AppDelegate.h"

#include <QGuiApplication>

namespace lumetra {

void AppDelegate::install(QGuiApplication& app) {
    app.setQuitOnLastWindowClosed(applicationShouldTerminateAfterLastWindowClosed());
}

}  // namespace lumetra
