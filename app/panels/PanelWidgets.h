#pragma once
// Small widget makers the window's bars and panels share: image buttons, labels
// with a style name, a panel's title and frame.

#include <QString>
#include <string>
#include <string_view>

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

namespace lumetra {

inline constexpr int kToolButtonSize = 42;

// A square button showing an image, which takes no keyboard focus.
QToolButton* iconButton(QWidget* parent, const char* objectName, std::string_view image,
                        const QString& toolTip, int size = kToolButtonSize);

// Shows an image on a button and remembers its name in the "image" property.
void setButtonImage(QToolButton* button, const std::string& name);

// A label whose object name picks its style.
QLabel* label(QWidget* parent, const QString& text, const char* objectName);

// A panel's framed background.
QFrame* panelFrame(QWidget* parent);

}  // namespace lumetra
