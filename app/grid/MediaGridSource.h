#pragma once
// Backs a thumbnail grid with one of the current album's media lists: the count
// is the list's length, and the cell of an item shows its thumbnail from the
// provider, or stays empty while the thumbnail decodes and takes it when it
// arrives (thumbnailReady). A recording whose thumbnail is missing or cannot be
// decoded shows a placeholder. Only cells in sight ask, so only they decode.
// Used on the main thread.

#include <QImage>
#include <QSize>
#include <string>
#include <string_view>

#include "app/grid/CNGridViewDataSource.h"
#include "app/grid/CNGridViewItemLayout.h"

namespace lumetra {

class MediaList;
class ThumbnailProvider;

class MediaGridSource : public CNGridViewDataSource {
public:
    // The image of a recording without a usable thumbnail, and its size.
    static constexpr std::string_view kRecordingPlaceholder = "movies";
    static constexpr QSize kPlaceholderSize{160, 120};
    static QImage recordingPlaceholder();

    // The grid, list and provider outlive the source.
    MediaGridSource(CNGridView& grid, const MediaList& list, ThumbnailProvider& thumbnails,
                    const CNGridViewItemLayouts& layouts);

    int numberOfItemsInSection(CNGridView& gridView, int section) override;
    CNGridViewItem* itemAtIndex(CNGridView& gridView, int index, int section) override;

    // The provider has the thumbnail of `path`: a cell in sight showing it
    // takes it.
    void thumbnailReady(const std::string& path) { showVisibleThumbnails(&path); }
    // The cells in sight show their thumbnails again, queuing the decodes that
    // are missing (after the queue was dropped); onlyPath: only that file's cells.
    void showVisibleThumbnails(const std::string* onlyPath = nullptr);

private:
    void showThumbnail(CNGridViewItem& cell, const std::string& path);

    CNGridView& grid_;
    const MediaList& list_;
    ThumbnailProvider& thumbnails_;
    CNGridViewItemLayouts layouts_;
};

}  // namespace lumetra
