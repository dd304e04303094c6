#include "app/PictureCameraSide.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMetaObject>
#include <QThreadPool>
#include <mutex>

#include "app/PictureFile.h"
#include "capture/SnapshotReopening.h"

namespace lumetra {

// What a read on the pool reaches: the side, or nothing once it is gone.
struct PictureCameraSide::Link {
    std::mutex mutex;
    PictureCameraSide* owner = nullptr;
};

struct PictureCameraSide::Loaded {
    QString path;  // as asked for
    QString file;  // the file read: the snapshot's clean copy or the file itself
    PictureRead read;
    ReopenPlan plan;
};

PictureCameraSide::PictureCameraSide(CameraWindow& window)
    : window_(window), link_(std::make_shared<Link>()) {
    link_->owner = this;
    repeat_.setInterval(kRepeat);
    connect(&repeat_, &QTimer::timeout, this, &PictureCameraSide::repeat);
    chooser_ = [] {
        QStringList patterns;
        for (const QByteArray& suffix : QImageReader::supportedImageFormats())
            patterns << QStringLiteral("*.") + QString::fromLatin1(suffix);
        return QFileDialog::getOpenFileName(
            nullptr, tr("Open Picture"), QString(),
            tr("Pictures (%1);;All files (*)").arg(patterns.join(u' ')));
    };
    window_.setCameraSide(CameraKind::Picture, this);
}

PictureCameraSide::~PictureCameraSide() {
    window_.setCameraSide(CameraKind::Picture, nullptr);
    std::lock_guard lock(link_->mutex);
    link_->owner = nullptr;
}

void PictureCameraSide::connectCamera() {
    const QString path = chooser_ ? chooser_() : QString();
    if (!path.isEmpty()) openPicture(path);
}

void PictureCameraSide::openPicture(const QString& path) {
    window_.setBusy(true);
    QThreadPool::globalInstance()->start([link = link_, request = ++request_, path] {
        Loaded picture{path, {}, {}, planReopening(path.toStdString())};
        picture.file = QString::fromStdString(picture.plan.picture);
        picture.read = readPictureFile(picture.file);
        std::lock_guard lock(link->mutex);
        if (PictureCameraSide* owner = link->owner) {
            QMetaObject::invokeMethod(
                owner, [owner, request, picture] { owner->loaded(request, picture); },
                Qt::QueuedConnection);
        }
    });
}

void PictureCameraSide::loaded(uint64_t request, const Loaded& picture) {
    if (request != request_) return;  // another file was asked for since
    window_.setBusy(false);
    const QString name = QFileInfo(picture.path).fileName();
    if (picture.read.frame.isNull()) {
        const QString problem = picture.read.problem.isEmpty()
                                    ? tr("the picture could not be decoded")
                                    : picture.read.problem;
        window_.showFailure(
            tr("Cannot open \"%1\": %2.").arg(QFileInfo(picture.file).fileName(), problem));
        emit pictureRefused(picture.path);
        return;
    }
    frame_ = picture.read.frame;
    shown_ = picture.file;
    const QString status = picture.plan.shapesBurntIn
                               ? tr("Picture: %1 (no clean copy: its measurements are burnt in "
                                    "and not restored as shapes)")
                                     .arg(name)
                               : tr("Picture: %1").arg(name);
    window_.cameraConnected(CameraMode::Picture, frame_.width, frame_.height, status);
    window_.restoreMeasurements(picture.plan.record);
    if (!picture.plan.sidecarProblem.empty())
        window_.showFailure(QString::fromStdString(picture.plan.sidecarProblem));
    window_.onFrame(frame_, FrameMarks{});
    repeat_.start();
    emit pictureShown(picture.path);
}

void PictureCameraSide::repeat() {
    if (!frame_.isNull()) window_.onFrame(frame_, FrameMarks{.changed = false, .repeated = true});
}

void PictureCameraSide::stopCamera() {
    repeat_.stop();
    frame_ = {};
    shown_.clear();
}

}  // namespace lumetra
