#include "app/NewFolderController.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AlertPresenter.h"
#include "app/SheetLayout.h"
#include "storage/AlbumLibrary.h"

namespace lumetra {

NewFolderController::NewFolderController(QWidget* parent, AlertPresenter& alerts,
                                         AlbumLibrary& albums)
    : QDialog(parent),
      alerts_(alerts),
      albums_(albums),
      name_(new QLineEdit(this)),
      ok_(new QPushButton(tr("OK"), this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("Newfolder"));
    setWindowTitle(tr("New Album"));
    name_->setPlaceholderText(tr("Album name"));

    auto* content = new QVBoxLayout;
    content->addWidget(name_);
    layOutSheet(*this, tr("New snapshots and recordings go into the new album."), content, ok_,
                cancel_, 340);

    connect(ok_, &QPushButton::clicked, this, &NewFolderController::onOKFolderName);
    connect(cancel_, &QPushButton::clicked, this, &NewFolderController::onCancelFolderName);
}

void NewFolderController::onOKFolderName() {
    const std::string name = name_->text().toStdString();
    if (const AlbumCreationResult created = albums_.createAlbum(name); !created) {
        alerts_.alert(QString::fromStdString(created.alert()));
        return;
    }
    UserEntity entity;
    entity.Param1 = name;
    if (delegate) delegate->PassValue(entity, kTransferAlbumCreated);
    done(QDialog::Accepted);
}

void NewFolderController::onCancelFolderName() { done(QDialog::Rejected); }

}  // namespace lumetra
