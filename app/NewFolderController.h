#pragma once
// The new-album sheet: one field for the album's name. OK creates the album's
// folders and reports the name to the delegate (kTransferAlbumCreated); a missing name or
// an existing one is refused with an alert and the sheet stays open.

#include <QDialog>

#include "measure/Types.h"

class QLineEdit;
class QPushButton;

namespace lumetra {

class AlbumLibrary;
class AlertPresenter;

class NewFolderController : public QDialog {
    Q_OBJECT
public:
    NewFolderController(QWidget* parent, AlertPresenter& alerts, AlbumLibrary& albums);

    RQTransferDelegate* delegate = nullptr;  // not owned

    QLineEdit* mFolderName() const { return name_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

public slots:
    void onOKFolderName();
    void onCancelFolderName();

private:
    AlertPresenter& alerts_;
    AlbumLibrary& albums_;
    QLineEdit* name_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace lumetra
