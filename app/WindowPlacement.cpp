#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "app/KeptSettings.h"

namespace lumetra {

bool restoreWindowPlacement(QWidget& window) {
    const QSettings kept = keptSettings();
    if (!window.restoreGeometry(kept.value(kept::kWindowGeometry).toByteArray())) return false;
    // The geometry places the inside of the window; window managers that put
    // their frame there instead would show it a title bar lower on every start.
    // Moving the frame itself to where it was keeps it in place.
    const QVariant framePosition = kept.value(kept::kWindowFramePosition);
    if (!framePosition.canConvert<QPoint>()) return true;
    const QPoint at = framePosition.toPoint();
    const QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) screen = window.screen();
    if (!screen) return true;
    const QRect area = screen->availableGeometry();
    window.move(
        std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - window.width())),
        std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - window.height())));
    return true;
}

void keepWindowPlacement(const QWidget& window) {
    QSettings kept = keptSettings();
    kept.setValue(kept::kWindowGeometry, window.saveGeometry());
    kept.setValue(kept::kWindowFramePosition, window.pos());
}

}  // namespace lumetra
