#include "app/WheelNeedsFocus.h"

#include <QComboBox>
#include <QEvent>
#include <QSlider>

namespace lumetra {

namespace {

class WheelNeedsFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus())
            return false;
        // Ignored and filtered: the toolkit hands the wheel to the parent.
        event->ignore();
        return true;
    }
};

}  // namespace

void takeWheelOnlyWithFocus(QWidget* root) {
    auto* filter = new WheelNeedsFocus(root);
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!qobject_cast<QSlider*>(widget) && !qobject_cast<QComboBox*>(widget)) continue;
        widget->setFocusPolicy(Qt::StrongFocus);
        widget->installEventFilter(filter);
    }
}

}  // namespace lumetra
