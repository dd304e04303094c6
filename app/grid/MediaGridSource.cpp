#include "app/grid/MediaGridSource.h"

#include <QImage>

#include "app/Images.h"
#include "app/grid/CNGridView.h"
#include "app/grid/CNGridViewItem.h"
#include "storage/MediaList.h"
#include "storage/ThumbnailProvider.h"

namespace lumetra {

MediaGridSource::MediaGridSource(CNGridView& grid, const MediaList& list,
                                 ThumbnailProvider& thumbnails,
                                 const CNGridViewItemLayouts& layouts)
    : grid_(grid), list_(list), thumbnails_(thumbnails), layouts_(layouts) {}

int MediaGridSource::numberOfItemsInSection(CNGridView& gridView, int) {
    return &gridView == &grid_ ? static_cast<int>(list_.size()) : 0;
}

CNGridViewItem* MediaGridSource::itemAtIndex(CNGridView& gridView, int index, int) {
    const MediaItem* item = list_.item(static_cast<size_t>(index));
    if (&gridView != &grid_ || !item) return nullptr;
    CNGridViewItem* cell =
        gridView.dequeueReusableItemWithIdentifier(CNGridViewItem::kDefaultReuseIdentifier);
    if (!cell) cell = new CNGridViewItem(layouts_.defaultLayout);
    cell->setHoverLayout(layouts_.hoverLayout);
    cell->setSelectionLayout(layouts_.selectionLayout);
    cell->setItemTitle(QString());
    showThumbnail(*cell, item->itemTitle);
    return cell;
}

void MediaGridSource::showVisibleThumbnails(const std::string* onlyPath) {
    const GridRange range = grid_.visibleRange();
    for (int index = range.first; index < range.first + range.length; ++index) {
        const MediaItem* item = list_.item(static_cast<size_t>(index));
        CNGridViewItem* cell = grid_.visibleItem(index);
        if (item && cell && (!onlyPath || item->itemTitle == *onlyPath))
            showThumbnail(*cell, item->itemTitle);
    }
}

void MediaGridSource::showThumbnail(CNGridViewItem& cell, const std::string& path) {
    // Pending: an empty cell for now. Failed: a recording (its thumbnail missing or
    // broken) shows the recording placeholder, a picture an empty cell.
    const ThumbnailProvider::Thumbnail thumbnail = thumbnails_.thumbnail(path);
    switch (thumbnail.status) {
        case ThumbnailProvider::Status::Ready:
            cell.setItemImage(frameImage(thumbnail.frame));
            break;
        case ThumbnailProvider::Status::Failed:
            cell.setItemImage(list_.kind() == MediaKind::Video ? recordingPlaceholder() : QImage());
            break;
        case ThumbnailProvider::Status::Pending:
            cell.setItemImage(QImage());
            break;
    }
}

QImage MediaGridSource::recordingPlaceholder() {
    static const QImage placeholder =
        imageIcon(kRecordingPlaceholder).pixmap(kPlaceholderSize).toImage();
    return placeholder;
}

}  // namespace lumetra
