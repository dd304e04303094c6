#pragma once
// The application's look on the Fusion style: a neutral dark or light theme,
// following the desktop's palette. The style sheet names no colour: it takes
// every colour from the palette chosen, so the panels follow the scheme.

#include <QPalette>

class QApplication;

namespace lumetra {

// Dark when the desktop's window colour is dark.
bool isDarkPalette(const QPalette& desktop);

// The theme's palette for the desktop's scheme.
QPalette themePalette(bool dark);

// The style sheet with its colours taken from the palette.
QString themeStyleSheet(const QPalette& palette);

// Applies the theme of the desktop's scheme.
void applyTheme(QApplication& app);

}  // namespace lumetra
