#pragma once
// Thumbnails for the media grids: answers at once from a bounded cache and
// decodes what is missing on the loader's worker, telling the window through
// onReady (on the main thread) when a path's thumbnail has arrived.
// Used on the main thread.

#include <functional>
#include <string>

#include "image/Frame.h"
#include "storage/ThumbnailCache.h"
#include "storage/ThumbnailLoader.h"

namespace lumetra {

class ThumbnailProvider {
public:
    enum class Status {
        Pending,  // being decoded; onReady follows
        Ready,    // frame holds the thumbnail
        Failed,   // the file cannot be decoded: show an empty cell
    };
    struct Thumbnail {
        Status status = Status::Pending;
        Frame frame;
    };
    struct Options {
        int maxSide = kThumbnailMaxSide;
        size_t cacheBytes = 64u << 20;
        size_t maxPending = 256;
        int workers = defaultThumbnailWorkers();
    };

    ThumbnailProvider(PostToMain post, std::function<void(const std::string& path)> onReady,
                      Options options);
    ThumbnailProvider(PostToMain post, std::function<void(const std::string& path)> onReady)
        : ThumbnailProvider(std::move(post), std::move(onReady), Options{}) {}

    // The thumbnail of a JPEG file; when it is not at hand, a decode is queued
    // (ahead of earlier ones) and Pending is returned.
    Thumbnail thumbnail(const std::string& path);

    // Drops the queued decodes (the album changed); what is cached stays.
    void cancelPending();

    // The file was deleted or replaced: forgets its thumbnail and pending decode.
    void forget(const std::string& path);

    // Forgets everything.
    void clear();

    const ThumbnailCache& cache() const { return cache_; }

private:
    void deliver(const std::string& path, std::optional<Frame> thumbnail);

    std::function<void(const std::string&)> onReady_;
    ThumbnailCache cache_;
    ThumbnailLoader loader_;  // last: its workers stop before the cache goes
};

}  // namespace lumetra
