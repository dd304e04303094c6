#pragma once
// The common frame of the window's sheets: an introductory line, the sheet's own
// content, and Cancel / OK at the bottom (OK accented and the default button).

#include <QString>

class QDialog;
class QLayout;
class QPushButton;

namespace lumetra {

void layOutSheet(QDialog& sheet, const QString& intro, QLayout* content, QPushButton* ok,
                 QPushButton* cancel, int minimumWidth);

}  // namespace lumetra
