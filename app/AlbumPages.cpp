#include "app/AlbumPages.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QMetaObject>
#include <QVBoxLayout>

#include "app/AlertPresenter.h"
#include "app/Images.h"

namespace lumetra {
namespace {

constexpr int kCellSize = 80;

QList<int> indexesOf(const QAction* action) { return action->data().value<QList<int>>(); }

}  // namespace

AlbumPages::AlbumPages(QWidget* photoPage, QWidget* videoPage, MediaList& pictures,
                       MediaList& videos, AlertPresenter& alerts)
    : pictures_(pictures),
      videos_(videos),
      alerts_(alerts),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      photoGrid_(photoPage),
      videoGrid_(videoPage),
      thumbnails_(
          [this](std::function<void()> work) {
              QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
          },
          [this](const std::string& path) {
              photoSource_.thumbnailReady(path);
              videoSource_.thumbnailReady(path);
          }),
      photoSource_(photoGrid_, pictures_, thumbnails_, albumItemLayouts()),
      videoSource_(videoGrid_, videos_, thumbnails_, albumItemLayouts()) {
    for (QWidget* page : {photoPage, videoPage}) {
        if (!page->layout()) new QVBoxLayout(page);
    }
    photoPage->layout()->addWidget(&photoGrid_);
    videoPage->layout()->addWidget(&videoGrid_);
    setUpGrid(photoGrid_, MediaKind::Picture);
    setUpGrid(videoGrid_, MediaKind::Video);
    connect(&photoGrid_, &CNGridView::previewRequested, this, &AlbumPages::previewPicture);
    connect(&photoGrid_, &CNGridView::measureRequested, this,
            [this](int index) { measureItem(MediaKind::Picture, index); });
}

AlbumPages::~AlbumPages() = default;

void AlbumPages::setUpGrid(CNGridView& grid, MediaKind kind) {
    grid.setObjectName(kind == MediaKind::Picture ? QStringLiteral("PhotoGridView")
                                                  : QStringLiteral("VideoGridView"));
    grid.setItemSize(QSize(kCellSize, kCellSize));
    grid.setBackgroundColor(QBrush(bitmapImage("BackgroundNoisy")));
    grid.setScrollElasticity(true);
    grid.setDataSource(kind == MediaKind::Picture
                           ? static_cast<CNGridViewDataSource*>(&photoSource_)
                           : &videoSource_);

    auto* menu = new QMenu(&grid);
    const bool pictures = kind == MediaKind::Picture;
    const auto on = [&](const QString& title, void (AlbumPages::*act)(MediaKind, int)) {
        QAction* action = menu->addAction(title);
        connect(action, &QAction::triggered, this, [this, action, kind, act] {
            const QList<int> indexes = indexesOf(action);
            (this->*act)(kind, indexes.isEmpty() ? -1 : indexes.front());
        });
    };
    on(tr("Open"), &AlbumPages::openItem);
    if (pictures) on(tr("Measure"), &AlbumPages::measureItem);
    on(pictures ? tr("Save Image…") : tr("Save Video…"), &AlbumPages::saveItem);
    on(tr("Delete"), &AlbumPages::deleteItem);
    QAction* all = menu->addAction(tr("Delete All"));
    connect(all, &QAction::triggered, this, [this, kind] { deleteAll(kind); });
    grid.setItemContextMenu(menu);
    (pictures ? photoMenu_ : videoMenu_) = menu;

    connect(&grid, &CNGridView::didDoubleClickItemAtIndex, this,
            [this, kind](int index, int) { openItem(kind, index); });
    connect(&grid, &CNGridView::deleteRequested, this, [this, kind](const QList<int>& indexes) {
        if (!indexes.isEmpty()) deleteItem(kind, indexes.front());
    });
}

void AlbumPages::reload(MediaKind kind) {
    if (kind == MediaKind::Picture && preview_) preview_->closePreview();
    // Dropping the queued decodes drops the other grid's too: it asks again.
    thumbnails_.cancelPending();
    grid(kind).reloadData();
    (kind == MediaKind::Picture ? videoSource_ : photoSource_).showVisibleThumbnails();
}

void AlbumPages::inserted(MediaKind kind, size_t index) {
    CNGridView& g = grid(kind);
    g.insertItemAtIndex(static_cast<int>(index), true);
    g.scrollToItem(static_cast<int>(index));
}

void AlbumPages::openItem(MediaKind kind, int index) {
    if (index < 0) return;
    const auto path = list(kind).filePath(static_cast<size_t>(index));
    if (!path || !openUrl_) return;
    const QFileInfo file(QString::fromStdString(*path));
    if (openUrl_(QUrl::fromLocalFile(file.filePath()))) return;
    // Nothing on the desktop takes the file: its folder is the way to it.
    if (!alerts_.confirm(tr("No application on this computer opens \"%1\".").arg(file.fileName()),
                         tr("Show it in its folder?")))
        return;
    if (!openUrl_(QUrl::fromLocalFile(file.absolutePath())))
        alerts_.alert(tr("No file manager opened the folder. It is %1").arg(file.absolutePath()));
}

void AlbumPages::measureItem(MediaKind kind, int index) {
    if (kind != MediaKind::Picture || index < 0) return;
    if (const auto path = pictures_.filePath(static_cast<size_t>(index)))
        emit measureWanted(QString::fromStdString(*path));
}

void AlbumPages::previewPicture(int index) {
    if (index < 0) return;
    const auto path = pictures_.filePath(static_cast<size_t>(index));
    if (!path) return;
    if (!preview_) {
        preview_ = new PhotoPreview(photoGrid_.window());
        connect(preview_, &PhotoPreview::stepRequested, this,
                [this](int step) { previewPicture(previewIndex_ + step); });
    }
    previewIndex_ = index;
    photoGrid_.selectItem(index);
    preview_->showPicture(QString::fromStdString(*path));
}

// The panel opens in the folder of the last copy, else in the list's own folder. A name
// that is taken is refused and the panel asks again, so no copy fails for it.
void AlbumPages::saveItem(MediaKind kind, int index) {
    if (index < 0) return;
    const auto path = list(kind).filePath(static_cast<size_t>(index));
    if (!path) return;
    const bool pictures = kind == MediaKind::Picture;
    SaveFileRequest request{
        pictures ? tr("Save Image") : tr("Save Video"),
        lastSaveFolder_.isEmpty() ? QString::fromStdString(list(kind).folder()) : lastSaveFolder_,
        QFileInfo(QString::fromStdString(*path)).fileName(),
        pictures ? tr("JPEG picture (*.jpg)") : tr("MP4 movie (*.mp4)"),
        pictures ? QStringLiteral("jpg") : QStringLiteral("mp4")};
    QString chosen;
    for (;;) {
        chosen = alerts_.chooseSaveFile(request);
        if (chosen.isEmpty()) return;
        const QFileInfo target(chosen);
        request.folder = lastSaveFolder_ = target.absolutePath();
        if (!target.exists()) break;
        alerts_.alert(tr("\"%1\" already exists. Choose another name.").arg(target.fileName()));
        request.suggestedName = target.fileName();
    }
    if (const WriteResult saved =
            list(kind).saveCopy(static_cast<size_t>(index), chosen.toStdString());
        !saved)
        alerts_.alert(QString::fromStdString(saved.message()));
}

void AlbumPages::deleteItem(MediaKind kind, int index) {
    if (!alerts_.confirm(tr("Delete"), tr("Are you sure delete the file?"))) return;
    if (index < 0) return;
    MediaList& items = list(kind);
    const MediaItem* item = items.item(static_cast<size_t>(index));
    if (!item) return;
    thumbnails_.forget(item->itemTitle);
    const auto removed = items.removeAt(static_cast<size_t>(index));
    grid(kind).reloadData();
    emit listChanged(kind);
    if (removed && !*removed) alerts_.alert(QString::fromStdString(removed->message()));
}

void AlbumPages::deleteAll(MediaKind kind) {
    if (!alerts_.confirm(tr("Delete"), tr("Are you sure delete all files?"))) return;
    MediaList& items = list(kind);
    for (const MediaItem& item : items.items()) thumbnails_.forget(item.itemTitle);
    const auto removed = items.removeAll();
    if (!removed) return;
    grid(kind).reloadData();
    emit listChanged(kind);
    if (!*removed) alerts_.alert(QString::fromStdString(removed->message()));
}

}  // namespace lumetra
