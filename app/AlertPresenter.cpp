#include "app/AlertPresenter.h"

#include <QFileDialog>
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
    box.setDefaultButton(cancel);  // every confirmation guards something destructive
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

// The desktop's save panel; it asks before replacing, and the copy itself never
// replaces a file either.
QString MessageBoxPresenter::chooseSaveFile(const QString& title, const QString& suggestedName,
                                            const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, title, suggestedName, filter);
}

}  // namespace lumetra
