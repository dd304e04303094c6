#include "app/AlertPresenter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace lumetra {

void MessageBoxPresenter::alert(const QString& text) {
    QMessageBox box(parent_);
    box.setWindowTitle(QStringLiteral("Lumetra"));
    box.setIcon(QMessageBox::Information);
    box.setText(text);
    box.addButton(QCoreApplication::translate("AlertPresenter", "OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool MessageBoxPresenter::confirm(const QString& message, const QString& informativeText) {
    QMessageBox box(parent_);
    box.setWindowTitle(QStringLiteral("Lumetra"));
    box.setIcon(QMessageBox::Warning);
    box.setText(message);
    box.setInformativeText(informativeText);
    QPushButton* ok =
        box.addButton(QCoreApplication::translate("AlertPresenter", "OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QCoreApplication::translate("AlertPresenter", "Cancel"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(cancel);  // every confirmation guards something destructive
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

// The desktop's save panel. It does not offer to replace a file: the caller refuses
// an existing name and asks again.
QString MessageBoxPresenter::chooseSaveFile(const SaveFileRequest& request) {
    QFileDialog dialog(parent_, request.title, QDir(request.folder).filePath(request.suggestedName),
                       request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

}  // namespace lumetra
