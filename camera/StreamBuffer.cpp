#include "camera/StreamBuffer.h"

#include <cstring>

#include "camera/RQJPEGMarker.h"

namespace lumetra {

std::optional<size_t> findEndMarker(const uint8_t* data, size_t size, size_t from) {
    const auto& marker = RQJPEGMarker::JPEGEndMarker();
    while (from + 1 < size) {
        const auto* hit =
            static_cast<const uint8_t*>(std::memchr(data + from, marker[0], size - from - 1));
        if (!hit) return std::nullopt;
        const size_t at = static_cast<size_t>(hit - data);
        if (data[at + 1] == marker[1]) return at + 2;
        from = at + 1;
    }
    return std::nullopt;
}

StreamBuffer::StreamBuffer(size_t partLimit) : partLimit_(partLimit) {}

bool StreamBuffer::startsPicture(const std::string& mediaType) { return mediaType == "image/jpeg"; }

void StreamBuffer::partStarted(const std::string& mediaType) {
    if (!startsPicture(mediaType)) return;
    if (!oMutDataBuffer_.empty() && firstEnd_ == 0) ++unfinishedParts_;
    oMutDataBuffer_.clear();
    iDataTotalLength_ = 0;
    firstEnd_ = 0;
    dropping_ = false;
}

std::optional<std::span<const uint8_t>> StreamBuffer::append(const uint8_t* data, size_t size) {
    if (dropping_ || size == 0) return std::nullopt;
    if (oMutDataBuffer_.size() + size > partLimit_) {
        dropPart();
        return std::nullopt;
    }
    const size_t oldSize = oMutDataBuffer_.size();
    oMutDataBuffer_.insert(oMutDataBuffer_.end(), data, data + size);
    iDataTotalLength_ += static_cast<int64_t>(size);

    // Does this chunk complete a marker? Starting one byte early also finds a marker whose
    // FF ended the previous chunk. The first marker of the part is remembered, so the
    // bytes before this chunk are never searched again.
    const size_t from = oldSize > 0 ? oldSize - 1 : 0;
    const auto end = findEndMarker(oMutDataBuffer_.data(), oMutDataBuffer_.size(), from);
    if (!end) return std::nullopt;
    if (firstEnd_ == 0) firstEnd_ = *end;
    return std::span<const uint8_t>(oMutDataBuffer_.data(), firstEnd_);
}

bool StreamBuffer::takePicture() {
    const int64_t difference = iDataTotalLength_ - iNextDataLength_;
    const bool changed = difference >= kChangeThreshold || -difference >= kChangeThreshold;
    iNextDataLength_ = iDataTotalLength_;
    return changed;
}

void StreamBuffer::reset() {
    oMutDataBuffer_.clear();
    iDataTotalLength_ = 0;
    firstEnd_ = 0;
    iNextDataLength_ = 0;
    dropping_ = false;
}

void StreamBuffer::dropPart() {
    // Release the memory: a hostile stream must not keep the peak allocated.
    std::vector<uint8_t>().swap(oMutDataBuffer_);
    iDataTotalLength_ = 0;
    firstEnd_ = 0;
    dropping_ = true;
    ++droppedParts_;
}

}  // namespace lumetra
