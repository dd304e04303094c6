#pragma once
// The application's look: a dark, neutral theme on the Fusion style.

class QApplication;

namespace lumetra {

void applyTheme(QApplication& app);

}  // namespace lumetra
