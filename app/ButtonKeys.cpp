#include "app/ButtonKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace lumetra {

namespace {

class ButtonKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool override = event->type() == QEvent::ShortcutOverride;
        if (!override && event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        if (override) {
            // Accepted, Space comes to the button as a key press and presses it.
            if (key->key() != Qt::Key_Space) return false;
            event->accept();
            return true;
        }
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        static_cast<QAbstractButton*>(watched)->click();
        return true;
    }
};

}  // namespace

void pressButtonsFromKeyboard(QWidget* root) {
    auto* filter = new ButtonKeys(root);
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (button->focusPolicy() == Qt::NoFocus) continue;  // a part of a Qt widget
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(filter);
    }
}

}  // namespace lumetra
