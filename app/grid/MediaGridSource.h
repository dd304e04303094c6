#pragma once
// Backs a thumbnail grid with one of the current album's media lists: the count
// is the list's length, and the cell of an item shows its thumbnail from the
// provider, or stays empty while the thumbnail decodes and takes it when it
// arrives (thumbnailReady). Only cells in sight ask, so only they decode.
// Used on the main thread.

#include <string>

#include "app/grid/CNGridViewDataSource.h"
#include "app/grid/CNGridViewItemLayout.h"

namespace lumetra {

class MediaList;
class ThumbnailProvider;

class MediaGridSource : public CNGridViewDataSource {
public:
    // The grid, list and provider outlive the source.
    MediaGridSource(CNGridView& grid, const MediaList& list, ThumbnailProvider& thumbnails,
                    const CNGridViewItemLayouts& layouts);

    int numberOfItemsInSection(CNGridView& gridView, int section) override;
    CNGridViewItem* itemAtIndex(CNGridView& gridView, int index, int section) override;

    // The provider has the thumbnail of `path`: a cell in sight showing it
    // takes it.
    void thumbnailReady(const std::string& path);

private:
    void showThumbnail(CNGridViewItem& cell, const std::string& path);

    CNGridView& grid_;
    const MediaList& list_;
    ThumbnailProvider& thumbnails_;
    CNGridViewItemLayouts layouts_;
};

}  // namespace lumetra
