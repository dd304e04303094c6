#pragma once
// Sliders and lists take the mouse wheel only while they have the keyboard:
// otherwise the wheel goes on to what holds them, so a scrolled panel scrolls
// instead of changing every value the pointer passes over.

class QWidget;

namespace lumetra {

// Applies to every slider and list inside root; they take the keyboard by a
// click or the Tab key.
void takeWheelOnlyWithFocus(QWidget* root);

}  // namespace lumetra
