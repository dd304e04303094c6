#pragma once
// Decodes small thumbnails of JPEG files on worker threads. Requests are served
// newest first (the cells the user scrolled to last), the queue is bounded (the
// oldest requests fall off), and each result is handed to the main thread
// through the "post to main thread" function given at construction.
//
// Contract of post: callable from any thread, it queues the task to run later
// on the main thread and returns without waiting for it. request(), cancel(),
// cancelAll() and the destructor are called on the main thread.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "image/Frame.h"
#include "image/PostToMain.h"

namespace lumetra {

// Largest side of a thumbnail: a 1920 x 1080 snapshot decodes at 1/8 scale to
// 240 x 135, enough for an 80 x 80 cell on a dense screen.
inline constexpr int kThumbnailMaxSide = 240;

// Decoding workers by default: one per core, at most four. Decoding a thumbnail
// is mostly entropy decoding of the whole file, which no scaling shortens, so
// a first screenful comes in only as fast as workers run side by side.
int defaultThumbnailWorkers();

class ThumbnailLoader {
public:
    // Called on the main thread with the decoded thumbnail, or nullopt when the
    // file cannot be read or decoded.
    using Delivery = std::function<void(const std::string& path, std::optional<Frame> thumbnail)>;

    struct Options {
        int maxSide = kThumbnailMaxSide;
        size_t maxPending = 256;
        int workers = defaultThumbnailWorkers();
    };

    ThumbnailLoader(PostToMain post, Delivery deliver, Options options);
    ThumbnailLoader(PostToMain post, Delivery deliver)
        : ThumbnailLoader(std::move(post), std::move(deliver), Options{}) {}
    // Stops and joins the workers; results not yet delivered are dropped.
    ~ThumbnailLoader();

    ThumbnailLoader(const ThumbnailLoader&) = delete;
    ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;

    // Queues a decode. A path already queued moves to the front; a path being
    // decoded or awaiting delivery is not queued twice.
    void request(const std::string& path);

    // Drops the path's queued request and any result of it not yet delivered.
    void cancel(const std::string& path);

    // Drops every queued request and every result not yet delivered.
    void cancelAll();

    // Requests queued and not yet taken by a worker.
    size_t queuedCount() const;

private:
    struct State;
    static void work(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;
    std::vector<std::thread> workers_;
};

}  // namespace lumetra
