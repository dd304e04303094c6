#pragma once
// Buttons from the keyboard: Tab reaches every button, a click leaves the keyboard
// where it was (on the picture, where Space freezes), and a button that has the
// keyboard takes Space, ahead of the window's freeze key, and Enter as a press.

class QWidget;

namespace lumetra {

// Applies to every button inside root that takes the keyboard at all.
void pressButtonsFromKeyboard(QWidget* root);

}  // namespace lumetra
