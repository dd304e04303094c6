#include "app/ViewPanning.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <cmath>

namespace lumetra {

bool ViewPanning::press(const QMouseEvent& event) {
    const bool middle = event.button() == Qt::MiddleButton;
    const bool spaceDrag = event.button() == Qt::LeftButton && spaceHeld_;
    if (from_ || (!middle && !spaceDrag)) return false;
    if (spaceDrag) spacePanned_ = true;
    from_ = event.position();
    button_ = event.button();
    widget_.setCursor(Qt::ClosedHandCursor);
    return true;
}

std::optional<QPointF> ViewPanning::move(const QMouseEvent& event) {
    if (!from_) return std::nullopt;
    const QPointF delta = event.position() - *from_;
    from_ = event.position();
    return delta;
}

bool ViewPanning::release(const QMouseEvent& event) {
    if (!from_ || event.button() != button_) return false;
    from_.reset();
    button_ = Qt::NoButton;
    widget_.setCursor(Qt::CrossCursor);
    return true;
}

bool ViewPanning::takesShortcut(const QEvent& event) {
    if (event.type() != QEvent::ShortcutOverride) return false;
    const auto& key = static_cast<const QKeyEvent&>(event);
    return key.key() == Qt::Key_Space && key.modifiers() == Qt::NoModifier;
}

bool ViewPanning::keyPressed(const QKeyEvent& event) {
    if (event.key() != Qt::Key_Space || event.modifiers() != Qt::NoModifier) return false;
    if (!event.isAutoRepeat()) {
        spaceHeld_ = true;
        spacePanned_ = false;
    }
    return true;
}

ViewPanning::KeyRelease ViewPanning::keyReleased(const QKeyEvent& event) {
    if (event.key() != Qt::Key_Space || event.isAutoRepeat() || !spaceHeld_)
        return KeyRelease::NotSpace;
    spaceHeld_ = false;
    return spacePanned_ ? KeyRelease::Panned : KeyRelease::Freeze;
}

std::optional<double> ViewPanning::wheelFactor(const QWheelEvent& event) {
    const double notches = event.angleDelta().y() / 120.0;
    if (notches == 0.0) return std::nullopt;
    return std::exp2(notches * 0.5);
}

}  // namespace lumetra
