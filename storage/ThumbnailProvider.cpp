#include "storage/ThumbnailProvider.h"

namespace lumetra {

ThumbnailProvider::ThumbnailProvider(PostToMain post,
                                     std::function<void(const std::string&)> onReady,
                                     Options options)
    : onReady_(std::move(onReady)),
      cache_(options.cacheBytes),
      loader_(
          std::move(post),
          [this](const std::string& path, std::optional<Frame> thumbnail) {
              deliver(path, std::move(thumbnail));
          },
          ThumbnailLoader::Options{options.maxSide, options.maxPending, options.workers}) {}

ThumbnailProvider::Thumbnail ThumbnailProvider::thumbnail(const std::string& path) {
    if (const Frame* frame = cache_.find(path))
        return frame->isNull() ? Thumbnail{Status::Failed, {}} : Thumbnail{Status::Ready, *frame};
    loader_.request(path);
    return Thumbnail{Status::Pending, {}};
}

void ThumbnailProvider::cancelPending() { loader_.cancelAll(); }

void ThumbnailProvider::forget(const std::string& path) {
    loader_.cancel(path);
    cache_.erase(path);
}

void ThumbnailProvider::clear() {
    loader_.cancelAll();
    cache_.clear();
}

void ThumbnailProvider::deliver(const std::string& path, std::optional<Frame> thumbnail) {
    cache_.insert(path, thumbnail ? std::move(*thumbnail) : Frame{});
    if (onReady_) onReady_(path);
}

}  // namespace lumetra
