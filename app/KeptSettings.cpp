#include "app/KeptSettings.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace lumetra {

QSettings keptSettings() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QSettings(
        folder + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".conf"),
        QSettings::IniFormat);
}

}  // namespace lumetra
