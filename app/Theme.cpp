#include "app/Theme.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace lumetra {
namespace {

// Every colour is a slot, filled from the palette by themeStyleSheet.
const char* const kStyleSheet = R"css(
QMainWindow, #stage { background: @window@; }
QWidget { color: @text@; font-size: 13px; }
QToolTip { background: @button@; color: @text@; border: 1px solid @mid@; padding: 4px 6px; }

#panel { background: @panel@; border: 1px solid @border@; border-radius: 12px; }
#toolbar { background: @panel@; border: 1px solid @border@; border-radius: 14px; }
#panelTitle { color: @secondary@; font-size: 11px; font-weight: 600; letter-spacing: 1px; }
#groupCaption { color: @caption@; font-size: 10px; font-weight: 600; letter-spacing: 1px; }
#secondaryText { color: @secondary@; }
#appTitle { color: @bright@; font-size: 19px; font-weight: 600; }
#appSubtitle { color: @caption@; font-size: 11px; }
#cameraStatus, #calibrationStatus { color: @secondary@; font-size: 12px; }
#txt_recording { color: @hint@; font-size: 14px; font-weight: 600; }
#keycap { background: @button@; border: 1px solid @mid@; border-bottom: 2px solid @mid@; border-radius: 5px;
    padding: 1px 5px; font-size: 10px; color: @text@; }
QTabWidget::pane { border: none; border-top: 1px solid @border@; top: -1px; }
QTabBar { qproperty-drawBase: 0; }
QTabBar::tab { background: transparent; color: @secondary@; padding: 6px 4px; border: none;
    border-bottom: 2px solid transparent; }
QTabBar::tab:selected { color: @text@; border-bottom: 2px solid @accent@; }
QTabBar::tab:hover { color: @text@; }
QTabBar::tab:selected:focus { border: 2px solid @text@; border-radius: 6px; padding: 4px 6px; }
#separator { background: @border@; }

QToolButton { background: transparent; border: none; border-radius: 10px; padding: 3px; }
QToolButton:hover { background: @hover@; }
QToolButton:pressed { background: @pressed@; }
QToolButton:focus { border: 2px solid @text@; padding: 1px; }
QToolButton[role="camera"] { background: @button@; border: 1px solid @border@; border-radius: 10px;
    padding: 6px 8px; font-weight: 600; }
QToolButton[role="camera"]:hover { background: @hover@; }
QToolButton[role="camera"]:focus { border: 2px solid @text@; padding: 5px 7px; }
QToolButton[role="menu"] { background: @button@; border: 1px solid @border@; border-radius: 8px; padding: 4px; }
QToolButton[role="menu"]:hover { background: @hover@; }
QToolButton[role="menu"]:focus { border: 2px solid @text@; padding: 3px; }

QPushButton { background: @button@; border: 1px solid @mid@; border-radius: 7px; padding: 6px 16px; }
QPushButton:hover { background: @hover@; }
QPushButton:pressed { background: @mid@; }
QPushButton:focus { border: 2px solid @text@; padding: 5px 15px; }
QPushButton#accentButton { background: @accent@; border: 1px solid @accentHover@; color: @accentText@; font-weight: 600; }
QPushButton#accentButton:hover { background: @accentHover@; }

QCheckBox { border: 2px solid transparent; border-radius: 6px; padding: 2px 4px; }
QCheckBox:focus { border-color: @text@; }
QCheckBox::indicator { width: 14px; height: 14px; border: 1px solid @secondary@; border-radius: 4px;
    background: @base@; }
QCheckBox::indicator:checked { background: @accent@; border-color: @accent@; image: url(:/images/check.svg); }

QLineEdit, QComboBox { background: @base@; border: 1px solid @hover@; border-radius: 7px;
    padding: 5px 8px; selection-background-color: @accent@; }
QLineEdit:focus, QComboBox:focus { border: 2px solid @accent@; padding: 4px 7px; }
QLineEdit#valueField { padding: 3px 4px; }
QLineEdit#valueField:focus { padding: 2px 3px; }
QComboBox::drop-down { border: none; width: 20px; }
QComboBox QAbstractItemView { background: @popup@; border: 1px solid @mid@; selection-background-color: @accent@; }

QSlider::groove:horizontal { height: 4px; background: @hover@; border-radius: 2px; }
QSlider::sub-page:horizontal { background: @accent@; border-radius: 2px; }
QSlider::handle:horizontal { background: @accentText@; border: 2px solid @accent@; width: 12px; height: 12px;
    margin: -6px 0; border-radius: 8px; }
QSlider::handle:horizontal:focus { background: @accent@; border: 2px solid @text@; }

QMenu { background: @popup@; border: 1px solid @mid@; padding: 6px; border-radius: 8px; }
QMenu::item { padding: 6px 22px; border-radius: 5px; }
QMenu::item:selected { background: @accent@; color: @accentText@; }
QMenu::separator { height: 1px; background: @mid@; margin: 4px 8px; }

QDialog { background: @popup@; }
QMessageBox { background: @popup@; }
)css";

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

struct Scheme {
    QColor window, text, panel, base, button, mid, hover, pressed, border, caption, bright, hint,
        accent;
};

const Scheme kDark{"#15181d", "#e4e8ee", "#1c2026", "#12151a", "#2a2f37", "#363d48", "#2d333d",
                   "#343b45", "#282d35", "#6f7885", "#f2f4f7", "#ffd166", "#2f7fe0"};
const Scheme kLight{"#eef0f3", "#1d2330", "#ffffff", "#ffffff", "#e4e7ec", "#c5cad3", "#dde1e7",
                    "#cfd4db", "#d9dde3", "#7a8290", "#0b0f16", "#9a6400", "#2f7fe0"};

}  // namespace

bool isDarkPalette(const QPalette& desktop) {
    return desktop.color(QPalette::Window).lightness() < 128;
}

QPalette themePalette(bool dark) {
    const Scheme& c = dark ? kDark : kLight;
    QPalette palette;
    palette.setColor(QPalette::Window, c.window);
    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        palette.setColor(role, c.text);
    palette.setColor(QPalette::AlternateBase, c.panel);
    palette.setColor(QPalette::Base, c.base);
    palette.setColor(QPalette::Button, c.button);
    palette.setColor(QPalette::ToolTipBase, c.button);
    palette.setColor(QPalette::Mid, c.mid);
    palette.setColor(QPalette::Midlight, c.hover);
    palette.setColor(QPalette::Dark, c.pressed);
    palette.setColor(QPalette::Shadow, c.border);
    palette.setColor(QPalette::PlaceholderText, c.caption);
    palette.setColor(QPalette::BrightText, c.bright);
    palette.setColor(QPalette::Link, c.hint);
    palette.setColor(QPalette::Highlight, c.accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

QString themeStyleSheet(const QPalette& p) {
    const QColor text = p.color(QPalette::WindowText);
    const QColor window = p.color(QPalette::Window);
    const std::pair<const char*, QColor> fills[] = {
        {"@window@", window},
        {"@text@", text},
        {"@secondary@", mix(text, window, 0.35)},
        {"@caption@", p.color(QPalette::PlaceholderText)},
        {"@bright@", p.color(QPalette::BrightText)},
        {"@hint@", p.color(QPalette::Link)},
        {"@panel@", p.color(QPalette::AlternateBase)},
        {"@popup@", mix(p.color(QPalette::AlternateBase), p.color(QPalette::Button), 0.5)},
        {"@base@", p.color(QPalette::Base)},
        {"@button@", p.color(QPalette::Button)},
        {"@hover@", p.color(QPalette::Midlight)},
        {"@pressed@", p.color(QPalette::Dark)},
        {"@mid@", p.color(QPalette::Mid)},
        {"@border@", p.color(QPalette::Shadow)},
        {"@accent@", p.color(QPalette::Highlight)},
        {"@accentHover@", p.color(QPalette::Highlight).lighter(115)},
        {"@accentText@", p.color(QPalette::HighlightedText)},
    };
    QString sheet = QString::fromLatin1(kStyleSheet);
    for (const auto& [slot, colour] : fills) sheet.replace(QLatin1String(slot), colour.name());
    return sheet;
}

void applyTheme(QApplication& app) {
    // LUMETRA_THEME=dark|light chooses where the desktop's scheme does not reach Qt.
    const QByteArray chosen = qgetenv("LUMETRA_THEME");
    const bool dark = chosen == "dark"    ? true
                      : chosen == "light" ? false
                                          : isDarkPalette(QApplication::palette());
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette palette = themePalette(dark);
    app.setPalette(palette);
    app.setStyleSheet(themeStyleSheet(palette));
}

}  // namespace lumetra
