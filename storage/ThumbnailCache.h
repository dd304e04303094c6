#pragma once
// A least-recently-used store of decoded thumbnails by file path, bounded by the
// bytes of its pictures. A path whose file could not be decoded is remembered
// too (with a null frame), so it is not decoded again and again.
// Not thread-safe: used on the main thread.

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>

#include "image/Frame.h"

namespace lumetra {

class ThumbnailCache {
public:
    explicit ThumbnailCache(size_t byteBudget) : budget_(byteBudget) {}

    // The stored frame (null for an undecodable file) and marks it recently
    // used; nullptr when the path is not stored.
    const Frame* find(const std::string& path);

    // Stores or replaces the entry, then drops least recently used entries
    // until the total fits the budget (the newest entry always stays).
    void insert(const std::string& path, Frame thumbnail);

    void erase(const std::string& path);
    void clear();

    size_t size() const { return entries_.size(); }
    size_t bytes() const { return bytes_; }
    size_t budget() const { return budget_; }

private:
    struct Entry {
        std::string path;
        Frame frame;
        size_t cost = 0;
    };
    static size_t costOf(const std::string& path, const Frame& frame);
    void evict();

    size_t budget_;
    size_t bytes_ = 0;
    std::list<Entry> entries_;  // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

}  // namespace lumetra
