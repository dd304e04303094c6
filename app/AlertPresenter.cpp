#include "app/AlertPresenter.h"

#include <QMessageBox>
#include <QPushButton>

namespace lumetra {

void MessageBoxPresenter::alert(const QString& text) {
    QMessageBox box(parent_);
    box.setWindowTitle(QStringLiteral("Lumetra"));
    box.setIcon(QMessageBox::Information);
    box.setText(text);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool MessageBoxPresenter::confirm(const QString& message, const QString& informativeText) {
    QMessageBox box(parent_);
    box.setWindowTitle(QStringLiteral("Lumetra"));
    box.setIcon(QMessageBox::Warning);
    box.setText(message);
    box.setInformativeText(informativeText);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

}  // namespace lumetra
