#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>

#include "AppTestSupport.h"

namespace lumetra {
namespace {

using test::WindowHarness;

// Controls that Qt makes inside its own widgets (a table's scroll bars and headers)
// are named by Qt's accessibility for that widget.
bool partOfAQtWidget(const QWidget* widget) {
    return qobject_cast<const QScrollBar*>(widget) || qobject_cast<const QHeaderView*>(widget) ||
           (widget->objectName().isEmpty() && widget->parentWidget() &&
            widget->parentWidget()->inherits("QAbstractScrollArea"));
}

TEST(Accessibility, EveryControlOfTheWindowHasAName) {
    WindowHarness h;
    QStringList unnamed;
    for (QWidget* widget : h.window->findChildren<QWidget*>()) {
        if (partOfAQtWidget(widget)) continue;
        const bool control =
            qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractSlider*>(widget) ||
            qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
            qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QTabBar*>(widget);
        if (!control) continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 (%2)").arg(widget->objectName(),
                                                     widget->metaObject()->className());
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral("\n")).toStdString();
}

}  // namespace
}  // namespace lumetra
