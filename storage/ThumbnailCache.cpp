#include "storage/ThumbnailCache.h"

namespace lumetra {

size_t ThumbnailCache::costOf(const std::string& path, const Frame& frame) {
    // The bookkeeping of an entry counts, so that failures are bounded too.
    constexpr size_t kOverhead = 128;
    return kOverhead + path.size() + (frame.isNull() ? 0 : frame.byteCount());
}

const Frame* ThumbnailCache::find(const std::string& path) {
    const auto it = index_.find(path);
    if (it == index_.end()) return nullptr;
    entries_.splice(entries_.begin(), entries_, it->second);
    return &it->second->frame;
}

void ThumbnailCache::insert(const std::string& path, Frame thumbnail) {
    erase(path);
    const size_t cost = costOf(path, thumbnail);
    entries_.push_front(Entry{path, std::move(thumbnail), cost});
    index_.emplace(path, entries_.begin());
    bytes_ += cost;
    evict();
}

void ThumbnailCache::erase(const std::string& path) {
    const auto it = index_.find(path);
    if (it == index_.end()) return;
    bytes_ -= it->second->cost;
    entries_.erase(it->second);
    index_.erase(it);
}

void ThumbnailCache::clear() {
    entries_.clear();
    index_.clear();
    bytes_ = 0;
}

void ThumbnailCache::evict() {
    while (bytes_ > budget_ && entries_.size() > 1) {
        Entry& last = entries_.back();
        bytes_ -= last.cost;
        index_.erase(last.path);
        entries_.pop_back();
    }
}

}  // namespace lumetra
