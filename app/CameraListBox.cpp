#include "app/CameraListBox.h"

#include <QEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace lumetra {

bool CameraListBox::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) setToolTip(currentText());
    return QComboBox::event(event);
}

void CameraListBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText =
        fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace lumetra
