#include "app/panels/PanelWidgets.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

#include "app/Images.h"

namespace lumetra {

QToolButton* iconButton(QWidget* parent, const char* objectName, std::string_view image,
                        const QString& toolTip, int size) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setIcon(imageIcon(image));
    button->setIconSize(QSize(size - 12, size - 12));
    button->setFixedSize(size, size);
    button->setToolTip(toolTip);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void setButtonImage(QToolButton* button, const std::string& name) {
    button->setIcon(imageIcon(name));
    button->setProperty("image", QString::fromStdString(name));
}

QLabel* label(QWidget* parent, const QString& text, const char* objectName) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(objectName));
    return l;
}

QFrame* panelFrame(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("panel"));
    return frame;
}

}  // namespace lumetra
