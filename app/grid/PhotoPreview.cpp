#include "app/grid/PhotoPreview.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPainter>
#include <QThreadPool>
#include <algorithm>
#include <mutex>

#include "app/Images.h"
#include "storage/ThumbnailDecode.h"

namespace lumetra {
namespace {

constexpr int kMargin = 16;
constexpr int kCaptionHeight = 28;
const QColor kBackdrop(20, 20, 20);

}  // namespace

// What a decode on the pool reaches: the preview, or nothing once it is gone.
struct PhotoPreview::Link {
    std::mutex mutex;
    PhotoPreview* owner = nullptr;
};

PhotoPreview::PhotoPreview(QWidget* window) : QWidget(window), link_(std::make_shared<Link>()) {
    link_->owner = this;
    setObjectName(QStringLiteral("PhotoPreview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    hide();
    window->installEventFilter(this);
}

PhotoPreview::~PhotoPreview() {
    std::lock_guard lock(link_->mutex);
    link_->owner = nullptr;
}

void PhotoPreview::showPicture(const QString& path) {
    if (isHidden()) {
        focusBefore_ = QApplication::focusWidget();
        setGeometry(parentWidget()->rect());
        show();
        raise();
        setFocus(Qt::OtherFocusReason);
    }
    path_ = path;
    picture_ = {};
    scaled_ = {};
    failed_ = false;
    update();

    // Up to twice the window's longer side: the scale libjpeg-turbo picks below that
    // is never much smaller than the window, and a large picture is not decoded whole.
    const qreal ratio = devicePixelRatioF();
    const int maxSide = static_cast<int>(2 * ratio * std::max(width(), height()));
    QThreadPool::globalInstance()->start(
        [link = link_, request = ++request_, file = path.toStdString(), maxSide] {
            const std::optional<Frame> frame = decodePictureFile(file, maxSide);
            QImage image = frame ? frameImage(*frame) : QImage();
            std::lock_guard lock(link->mutex);
            if (PhotoPreview* owner = link->owner) {
                QMetaObject::invokeMethod(
                    owner, [owner, request, image] { owner->decoded(request, image); },
                    Qt::QueuedConnection);
            }
        });
}

void PhotoPreview::decoded(uint64_t request, QImage picture) {
    if (request != request_) return;  // another snapshot was asked for since
    picture_ = std::move(picture);
    failed_ = picture_.isNull();
    update();
    emit pictureShown();
}

void PhotoPreview::closePreview() {
    if (isHidden()) return;
    hide();
    ++request_;  // a decode still running is not wanted any more
    picture_ = {};
    scaled_ = {};
    if (focusBefore_) focusBefore_->setFocus(Qt::OtherFocusReason);
    emit closed();
}

QRect PhotoPreview::pictureArea() const {
    return rect().adjusted(kMargin, kMargin, -kMargin, -(kMargin + kCaptionHeight));
}

void PhotoPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackdrop);
    const QRect area = pictureArea();
    painter.setPen(Qt::white);
    if (!picture_.isNull() && !area.isEmpty()) {
        const QSize size = picture_.size().scaled(area.size(), Qt::KeepAspectRatio);
        if (scaled_.size() != size)
            scaled_ = picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QRect target(QPoint(), size);
        target.moveCenter(area.center());
        painter.drawImage(target.topLeft(), scaled_);
    } else {
        painter.drawText(area, Qt::AlignCenter,
                         failed_ ? tr("This picture cannot be shown.") : tr("Loading…"));
    }
    painter.drawText(
        rect().adjusted(kMargin, 0, -kMargin, -kMargin / 2), Qt::AlignHCenter | Qt::AlignBottom,
        tr("%1    (Esc or space closes, arrows browse)").arg(QFileInfo(path_).fileName()));
}

// The preview's keys come to it even where the window has a shortcut for them
// (Esc abandons a shape there).
bool PhotoPreview::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Escape:
            case Qt::Key_Space:
            case Qt::Key_Left:
            case Qt::Key_Up:
            case Qt::Key_Right:
            case Qt::Key_Down:
                event->accept();
                return true;
            default:
                break;
        }
    }
    return QWidget::event(event);
}

void PhotoPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Space:
            closePreview();
            return;
        case Qt::Key_Left:
        case Qt::Key_Up:
            emit stepRequested(-1);
            return;
        case Qt::Key_Right:
        case Qt::Key_Down:
            emit stepRequested(+1);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void PhotoPreview::mousePressEvent(QMouseEvent*) { closePreview(); }

// The window was resized: the preview keeps covering it.
bool PhotoPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize && !isHidden())
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

}  // namespace lumetra
