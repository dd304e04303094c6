#include "app/Theme.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace lumetra {
namespace {

const char* const kStyleSheet = R"css(
QMainWindow, #stage { background: #15181d; }
QWidget { color: #e4e8ee; font-size: 13px; }
QToolTip { background: #2a2f37; color: #e4e8ee; border: 1px solid #3a414c; padding: 4px 6px; }

#panel { background: #1c2026; border: 1px solid #282d35; border-radius: 12px; }
#toolbar { background: #1c2026; border: 1px solid #282d35; border-radius: 14px; }
#panelTitle { color: #8d96a3; font-size: 11px; font-weight: 600; letter-spacing: 1px; }
#groupCaption { color: #6f7885; font-size: 10px; font-weight: 600; letter-spacing: 1px; }
#secondaryText { color: #9aa3af; }
#appTitle { color: #f2f4f7; font-size: 19px; font-weight: 600; }
#appSubtitle { color: #7d8693; font-size: 11px; }
#cameraStatus, #calibrationStatus { color: #9aa3af; font-size: 12px; }
#txt_recording { color: #ffd166; font-size: 14px; font-weight: 600; }
#keycap { background: #262b33; border: 1px solid #363d48; border-bottom: 2px solid #3d4451; border-radius: 5px;
    padding: 1px 5px; font-size: 10px; color: #d5dae1; }
QTabWidget::pane { border: none; border-top: 1px solid #2c323b; top: -1px; }
QTabBar { qproperty-drawBase: 0; }
QTabBar::tab { background: transparent; color: #8d96a3; padding: 6px 8px; border: none;
    border-bottom: 2px solid transparent; }
QTabBar::tab:selected { color: #e4e8ee; border-bottom: 2px solid #2f7fe0; }
QTabBar::tab:hover { color: #e4e8ee; }
#separator { background: #2c323b; }

QToolButton { background: transparent; border: none; border-radius: 10px; padding: 3px; }
QToolButton:hover { background: #2a3038; }
QToolButton:pressed { background: #343b45; }
QToolButton[role="camera"] { background: #252a32; border: 1px solid #2f3640; border-radius: 10px;
    padding: 6px 8px; font-weight: 600; }
QToolButton[role="camera"]:hover { background: #2d333d; }
QToolButton[role="menu"] { background: #252a32; border: 1px solid #2f3640; border-radius: 8px; padding: 4px; }
QToolButton[role="menu"]:hover { background: #2d333d; }

QPushButton { background: #2a2f37; border: 1px solid #363d48; border-radius: 7px; padding: 6px 16px; }
QPushButton:hover { background: #323843; }
QPushButton:pressed { background: #3a414c; }
QPushButton#accentButton { background: #2f7fe0; border: 1px solid #3a8cf0; color: #ffffff; font-weight: 600; }
QPushButton#accentButton:hover { background: #3a8cf0; }

QLineEdit, QComboBox { background: #12151a; border: 1px solid #323843; border-radius: 7px;
    padding: 5px 8px; selection-background-color: #2f7fe0; }
QLineEdit:focus, QComboBox:focus { border: 1px solid #2f7fe0; }
QLineEdit#valueField { padding: 3px 4px; }
QComboBox::drop-down { border: none; width: 20px; }
QComboBox QAbstractItemView { background: #1f242b; border: 1px solid #363d48; selection-background-color: #2f7fe0; }

QSlider::groove:horizontal { height: 4px; background: #323843; border-radius: 2px; }
QSlider::sub-page:horizontal { background: #2f7fe0; border-radius: 2px; }
QSlider::handle:horizontal { background: #e8ecf1; border: 2px solid #2f7fe0; width: 12px; height: 12px;
    margin: -6px 0; border-radius: 8px; }

QMenu { background: #1f242b; border: 1px solid #363d48; padding: 6px; border-radius: 8px; }
QMenu::item { padding: 6px 22px; border-radius: 5px; }
QMenu::item:selected { background: #2f7fe0; color: #ffffff; }
QMenu::separator { height: 1px; background: #363d48; margin: 4px 8px; }

QDialog { background: #1f242b; }
QMessageBox { background: #1f242b; }
)css";

}  // namespace

void applyTheme(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x15, 0x18, 0x1d));
    palette.setColor(QPalette::WindowText, QColor(0xe4, 0xe8, 0xee));
    palette.setColor(QPalette::Base, QColor(0x12, 0x15, 0x1a));
    palette.setColor(QPalette::AlternateBase, QColor(0x1c, 0x20, 0x26));
    palette.setColor(QPalette::Text, QColor(0xe4, 0xe8, 0xee));
    palette.setColor(QPalette::PlaceholderText, QColor(0x6f, 0x78, 0x85));
    palette.setColor(QPalette::Button, QColor(0x2a, 0x2f, 0x37));
    palette.setColor(QPalette::ButtonText, QColor(0xe4, 0xe8, 0xee));
    palette.setColor(QPalette::Highlight, QColor(0x2f, 0x7f, 0xe0));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(0x2a, 0x2f, 0x37));
    palette.setColor(QPalette::ToolTipText, QColor(0xe4, 0xe8, 0xee));
    app.setPalette(palette);
    app.setStyleSheet(QString::fromLatin1(kStyleSheet));
}

}  // namespace lumetra
