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

void MediaGridSource::thumbnailReady(const std::string& path) {
    const GridRange range = grid_.visibleRange();
    for (int index = range.first; index < range.first + range.length; ++index) {
        const MediaItem* item = list_.item(static_cast<size_t>(index));
        CNGridViewItem* cell = grid_.visibleItem(index);
        if (item && cell && item->itemTitle == path) showThumbnail(*cell, path);
    }
}

void MediaGridSource::showThumbnail(CNGridViewItem& cell, const std::string& path) {
    // Pending: an empty cell for now; Failed: an empty cell for good.
    const ThumbnailProvider::Thumbnail thumbnail = thumbnails_.thumbnail(path);
    cell.setItemImage(thumbnail.status == ThumbnailProvider::Status::Ready
                          ? frameImage(thumbnail.frame)
                          : QImage());
}

}  // namespace lumetra
