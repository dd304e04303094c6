#include "app/panels/PanelWidgets.h"

#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

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
    // Screen readers name the button by its tool tip's first line and read all of it
    // as the description.
    button->setAccessibleName(toolTip.section(QLatin1Char('\n'), 0, 0));
    button->setAccessibleDescription(toolTip);
    button->setCursor(Qt::PointingHandCursor);
    // Tab reaches it; a click leaves the keyboard where it was (on the picture, for Space).
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void setButtonKey(QToolButton* button, const QKeySequence& key) {
    button->setShortcut(key);
    // The key follows the tip's first line, as in "Line (L)".
    const QString tip = button->toolTip();
    const qsizetype lineEnd = tip.indexOf(QLatin1Char('\n'));
    const qsizetype at = lineEnd < 0 ? tip.size() : lineEnd;
    QString withKey = tip;
    withKey.insert(at, QStringLiteral(" (%1)").arg(key.toString(QKeySequence::NativeText)));
    button->setToolTip(withKey);
    button->setAccessibleDescription(withKey);
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

TitledList titledList(QWidget* parent, QVBoxLayout* column, const QString& title,
                      const char* listName, const char* buttonName, std::string_view image,
                      const QString& toolTip) {
    column->addWidget(label(parent, title, "panelTitle"));
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(listName));
    list->setAccessibleName(title.left(1) + title.mid(1).toLower());
    list->setMinimumWidth(10);
    QToolButton* button = iconButton(parent, buttonName, image, toolTip, 32);
    button->setProperty("role", QStringLiteral("menu"));
    row->addWidget(list, 1);
    row->addWidget(button);
    column->addLayout(row);
    return {list, button};
}

QPoint menuPosition(const QToolButton* menuButton) {
    const QPoint pointer = QCursor::pos();
    if (menuButton->rect().contains(menuButton->mapFromGlobal(pointer))) return pointer;
    return menuButton->mapToGlobal(QPoint(0, menuButton->height()));
}

QFrame* panelFrame(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("panel"));
    return frame;
}

QWidget* buttonGroup(QWidget* parent, const QString& caption,
                     const std::vector<QToolButton*>& buttons) {
    auto* group = new QWidget(parent);
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    for (QToolButton* b : buttons) {
        b->setParent(group);
        row->addWidget(b);
    }
    column->addLayout(row);
    auto* title = label(group, caption, "groupCaption");
    title->setAlignment(Qt::AlignCenter);
    column->addWidget(title);
    return group;
}

QWidget* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("separator"));
    line->setFixedSize(1, 52);
    return line;
}

}  // namespace lumetra
