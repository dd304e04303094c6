#pragma once
// Small widget makers the window's bars and panels share: image buttons, labels
// with a style name, a panel's frame, the tool bar's button groups.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QFrame;
class QKeySequence;
class QLabel;
class QPoint;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace lumetra {

inline constexpr int kToolButtonSize = 42;

// A square button showing an image, which takes the keyboard from Tab only.
QToolButton* iconButton(QWidget* parent, const char* objectName, std::string_view image,
                        const QString& toolTip, int size = kToolButtonSize);

// The key that presses the button anywhere in its window, also shown in its tip.
void setButtonKey(QToolButton* button, const QKeySequence& key);

// Shows an image on a button and remembers its name in the "image" property.
void setButtonImage(QToolButton* button, const std::string& name);

// A label whose object name picks its style.
QLabel* label(QWidget* parent, const QString& text, const char* objectName);

// A panel's title, then its list beside the button that opens its menu, at the end
// of column.
struct TitledList {
    QComboBox* list;
    QToolButton* menuButton;
};
TitledList titledList(QWidget* parent, QVBoxLayout* column, const QString& title,
                      const char* listName, const char* buttonName, std::string_view image,
                      const QString& toolTip);

// Where a list's menu opens: at the pointer when the mouse pressed the button, below
// the button when the keyboard did.
QPoint menuPosition(const QToolButton* menuButton);

// A panel's framed background.
QFrame* panelFrame(QWidget* parent);

// A captioned group of buttons in the tool bar, and the line between two groups.
QWidget* buttonGroup(QWidget* parent, const QString& caption,
                     const std::vector<QToolButton*>& buttons);
QWidget* separator(QWidget* parent);

}  // namespace lumetra
