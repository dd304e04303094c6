#pragma once
// Pan input of the measuring view: a press of the middle button, or of the left
// with Space held, starts a pan; moves drag the picture; letting go of that button
// ends it. Space is also the window's freeze key: pressed and let go over the
// picture without panning, it asks to freeze. The view owns one, calls it from its
// event handlers and applies the moves to its zoom.

#include <qnamespace.h>

#include <QPointF>
#include <optional>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QWidget;

namespace lumetra {

class ViewPanning {
public:
    // The cursor of `widget` is a closed hand while a pan goes on, a cross otherwise.
    explicit ViewPanning(QWidget& widget) : widget_(widget) {}

    // Each answers whether the event was the pan's.
    bool press(const QMouseEvent& event);
    bool release(const QMouseEvent& event);
    // How far, in widget pixels, a move during a pan drags the picture; none otherwise.
    std::optional<QPointF> move(const QMouseEvent& event);

    // Space without modifiers is taken ahead of the window's shortcut: true when
    // `event` is the ShortcutOverride of that key.
    static bool takesShortcut(const QEvent& event);
    // True when the press was Space's, which holding arms the left button's pan.
    bool keyPressed(const QKeyEvent& event);
    enum class KeyRelease {
        NotSpace,  // not the pan's key: the view passes it on
        Panned,    // Space let go after a pan
        Freeze,    // Space let go without panning: the freeze key
    };
    KeyRelease keyReleased(const QKeyEvent& event);
    // The view lost the keyboard: Space's release goes elsewhere.
    void focusLost() { spaceHeld_ = false; }

    // The zoom factor of a wheel turn: one notch (120) is a factor of the square root
    // of two, eight notches from fit to 16x. None without a vertical turn.
    static std::optional<double> wheelFactor(const QWheelEvent& event);

private:
    QWidget& widget_;
    std::optional<QPointF> from_;  // where the pan's last move was
    Qt::MouseButton button_ = Qt::NoButton;
    bool spaceHeld_ = false;
    bool spacePanned_ = false;  // Space was held for a pan: letting go does not freeze
};

}  // namespace lumetra
