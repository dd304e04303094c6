#include "app/ColorWell.h"

#include <QColorDialog>
#include <QPainter>
#include <QPainterPath>

namespace lumetra {

ColorWell::ColorWell(QWidget* parent) : QToolButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFixedSize(44, 28);
    connect(this, &QToolButton::clicked, this, &ColorWell::openChooser);
}

void ColorWell::setColor(const QColor& color) {
    color_ = color;
    update();
}

void ColorWell::choose(const QColor& color) {
    if (!color.isValid()) return;
    setColor(color);
    emit colorChosen(color_);
}

void ColorWell::openChooser() {
    auto* dialog = new QColorDialog(color_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(toolTip());
    connect(dialog, &QColorDialog::colorSelected, this, &ColorWell::choose);
    dialog->open();
}

void ColorWell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath frame;
    frame.addRoundedRect(outer, 7, 7);
    painter.fillPath(frame, palette().color(underMouse() ? QPalette::Midlight : QPalette::Button));
    if (hasFocus()) painter.strokePath(frame, QPen(palette().color(QPalette::WindowText), 2));
    QPainterPath swatch;
    swatch.addRoundedRect(outer.adjusted(4, 4, -4, -4), 4, 4);
    painter.fillPath(swatch, color_);
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.drawPath(swatch);
}

}  // namespace lumetra
