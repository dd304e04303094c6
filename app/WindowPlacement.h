#pragma once
// Where the main window was, kept between runs: its geometry, frame and all,
// brought back on the screen.

class QWidget;

namespace lumetra {

// Puts the window where it was last kept, within a screen; false when nothing
// usable was kept (the first run).
bool restoreWindowPlacement(QWidget& window);

// Keeps the window's geometry and the place of its frame.
void keepWindowPlacement(const QWidget& window);

}  // namespace lumetra
