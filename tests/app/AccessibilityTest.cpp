#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QToolButton>
#include <map>
#include <memory>
#include <set>

#include "AppTestSupport.h"
#include "app/panels/MeasureBar.h"

namespace lumetra {
namespace {

using test::WindowHarness;

// Controls that Qt makes inside its own widgets (a table's scroll bars and headers, a
// list's popup and its editable text, a tab bar's scroll buttons) are named by Qt's
// accessibility for that widget.
bool partOfAQtWidget(const QWidget* widget) {
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (qobject_cast<const QComboBox*>(up) || qobject_cast<const QTabBar*>(up)) return true;
    return qobject_cast<const QScrollBar*>(widget) || qobject_cast<const QHeaderView*>(widget) ||
           (widget->objectName().isEmpty() && widget->parentWidget() &&
            widget->parentWidget()->inherits("QAbstractScrollArea"));
}

QString nameOf(const QWidget* widget) {
    return QStringLiteral("%1 (%2)").arg(widget->objectName(), widget->metaObject()->className());
}

TEST(Accessibility, EveryControlOfTheWindowHasANameAndADescription) {
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
        // A tab bar describes each of its tabs.
        std::vector<QAccessibleInterface*> described{face};
        if (const auto* tabs = qobject_cast<QTabBar*>(widget); face && tabs) {
            described.clear();
            for (int t = 0; t < tabs->count(); ++t) described.push_back(face->child(t));
        }
        const QString name = nameOf(widget);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty()) unnamed << name;
        for (QAccessibleInterface* part : described)
            if (!part || part->text(QAccessible::Description).trimmed().isEmpty())
                unnamed << name + QStringLiteral(" without a description");
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral("\n")).toStdString();
}

// Where a control sits, in reading order: the tool bar, the left panel, the picture,
// the right panel.
int regionOf(const QWidget* widget, const WindowHarness& h) {
    const QWidget* toolbar = h.window->findChild<QWidget*>(QStringLiteral("toolbar"));
    if (toolbar->isAncestorOf(widget)) return 0;
    const int x = widget->mapTo(h.window.get(), widget->rect().center()).x();
    const QRect view(h.view()->mapTo(h.window.get(), QPoint()), h.view()->size());
    return x < view.left() ? 1 : x <= view.right() ? 2 : 3;
}

QRect placeOf(const QWidget* widget) {
    return {widget->mapTo(widget->window(), QPoint()), widget->size()};
}

// b follows a when it lies on a later line, or on the same line further right.
bool readsAfter(const QRect& a, const QRect& b) {
    const int middle = b.center().y();
    return middle > a.bottom() || (middle >= a.top() && b.left() > a.left());
}

TEST(Accessibility, TabReachesEveryControlOnceInReadingOrder) {
    WindowHarness h;
    ASSERT_TRUE(h.activate());
    std::vector<QWidget*> stops;
    for (QWidget* widget : h.window->findChildren<QWidget*>())
        if (widget->isVisible() && widget->isEnabled() && !widget->focusProxy() &&
            (widget->focusPolicy() & Qt::TabFocus))
            stops.push_back(widget);
    QWidget* first = h.ui().measure.toolButtons.begin()->second;
    first->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited{first};
    while (visited.size() <= stops.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first) break;
        visited.push_back(QApplication::focusWidget());
    }
    QStringList order;
    for (const QWidget* widget : visited) order << nameOf(widget);
    const std::string walk = order.join(QStringLiteral("\n")).toStdString();
    EXPECT_EQ(std::set<QWidget*>(visited.begin(), visited.end()),
              std::set<QWidget*>(stops.begin(), stops.end()))
        << walk;
    EXPECT_EQ(visited.size(), stops.size()) << walk;
    for (size_t i = 1; i < visited.size(); ++i) {
        const int before = regionOf(visited[i - 1], h), after = regionOf(visited[i], h);
        EXPECT_LE(before, after) << walk;
        if (before != after) continue;
        EXPECT_TRUE(readsAfter(placeOf(visited[i - 1]), placeOf(visited[i])))
            << nameOf(visited[i - 1]).toStdString() << " then " << nameOf(visited[i]).toStdString();
    }
}

TEST(Accessibility, EachToolAndOverlayKeyPressesItsButtonAndShowsInItsTip) {
    WindowHarness h;
    ASSERT_TRUE(h.activate());
    h.view()->setFocus();
    const MeasureBar::Widgets& bar = h.ui().measure;
    std::vector<QToolButton*> buttons{bar.btSGride, bar.btCGride, bar.btCrosshair, bar.btScale,
                                      bar.btScaleBar};
    for (const auto& [mode, button] : bar.toolButtons) buttons.push_back(button);
    std::map<QToolButton*, std::unique_ptr<QSignalSpy>> clicks;
    for (QToolButton* button : buttons)
        clicks[button] = std::make_unique<QSignalSpy>(button, &QToolButton::clicked);
    for (QToolButton* button : buttons) {
        const QKeySequence key = button->shortcut();
        ASSERT_FALSE(key.isEmpty()) << nameOf(button).toStdString();
        EXPECT_TRUE(
            button->toolTip()
                .section('\n', 0, 0)
                .endsWith(QStringLiteral("(%1)").arg(key.toString(QKeySequence::NativeText))));
        QTest::keySequence(h.window.get(), key);
        EXPECT_TRUE(QTest::qWaitFor([&] { return clicks[button]->size() == 1; }))
            << key.toString().toStdString();
        for (QToolButton* other : buttons)
            EXPECT_EQ(clicks[other]->size(), other == button ? 1 : 0)
                << key.toString().toStdString() << " " << nameOf(other).toStdString();
        clicks[button]->clear();
        EXPECT_EQ(QApplication::focusWidget(), h.view()) << "the keyboard stays on the picture";
    }
}

TEST(Accessibility, AFocusedButtonTakesSpaceAndEnterWhileSpaceFreezesElsewhere) {
    WindowHarness h;
    h.connectCamera();
    h.frame();
    ASSERT_TRUE(h.activate());
    QToolButton* angle = h.ui().measure.toolButton(kModeAngleThreePoints);
    QTest::mouseClick(angle, Qt::LeftButton);
    EXPECT_NE(QApplication::focusWidget(), angle) << "a click leaves the keyboard where it was";
    QTest::mouseClick(angle, Qt::LeftButton);  // the tool again: none chosen
    ASSERT_EQ(h.window->measureBar().iMode(), kModeNone);

    angle->setFocus(Qt::TabFocusReason);
    QTest::keyClick(angle, Qt::Key_Space);
    EXPECT_EQ(h.window->measureBar().iMode(), kModeAngleThreePoints);
    EXPECT_FALSE(h.view()->frozen());
    QToolButton* crosshair = h.ui().measure.btCrosshair;
    crosshair->setFocus(Qt::TabFocusReason);
    QTest::keyClick(crosshair, Qt::Key_Return);
    EXPECT_EQ(h.window->measureBar().iGridMode(), kGridCrosshair);

    QSlider* slider = h.ui().drawing.sliderWidth;
    slider->setFocus(Qt::TabFocusReason);
    QTest::keyClick(slider, Qt::Key_Space);
    EXPECT_TRUE(h.view()->frozen()) << "a slider leaves Space to the picture";
}

TEST(Accessibility, TypingIntoAFieldKeepsItsLettersAndDigits) {
    WindowHarness h;
    ASSERT_TRUE(h.activate());
    QComboBox* classes = h.ui().count.countClassBox;
    classes->setFocus(Qt::TabFocusReason);
    classes->lineEdit()->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("L2x"));
    EXPECT_EQ(classes->lineEdit()->text(), "L2x");
    EXPECT_EQ(classes->currentIndex(), 0) << "the digit chose no class";
    EXPECT_EQ(h.window->measureBar().iMode(), kModeNone) << "the letter chose no tool";
}

}  // namespace
}  // namespace lumetra
