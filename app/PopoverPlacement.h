#pragma once
// Where a popover shown under a toolbar button goes: there, moved as little as needed
// to lie wholly on the button's screen, so that a button at the window's edge does not
// push part of it off the screen.

#include <QPoint>
#include <QSize>

class QWidget;

namespace lumetra {

QPoint keptOnAnchorsScreen(const QWidget& anchor, QPoint topLeft, QSize size);

}  // namespace lumetra
