#pragma once
// The stream's part buffer and the rules that cut pictures out of it.
//
// Each "image/jpeg" part start empties the buffer; parts of any other type leave it
// as it is. Every chunk of body bytes is appended, and when a chunk completes an
// end-of-image marker (FF D9, also when its two bytes arrive in two chunks), the
// picture is the buffer from its start to just after the first FF D9 in it.
//
// iDataTotalLength counts the bytes appended since the current part began,
// iNextDataLength holds that count as it was when the previous picture was taken;
// a picture whose count differs by 81 bytes or more is "changed".
//
// The buffer is bounded: a part that grows past the limit without an end marker is
// dropped and its remaining bytes are ignored until the next "image/jpeg" part. A part
// whose bytes end without an end marker gives no picture and is counted as unfinished.
// Not thread-safe: the receiver uses it from one serial worker.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumetra {

class StreamBuffer {
public:
    static constexpr size_t kDefaultPartLimit = 32u * 1024u * 1024u;
    static constexpr int64_t kChangeThreshold = 81;

    explicit StreamBuffer(size_t partLimit = kDefaultPartLimit);

    // True for the media type whose parts start afresh ("image/jpeg").
    static bool startsPicture(const std::string& mediaType);

    // A part starts with the given (lower-case) media type.
    void partStarted(const std::string& mediaType);

    // Appends a chunk of body bytes. Returns the picture (valid until the next call) when
    // this chunk completes an end marker.
    std::optional<std::span<const uint8_t>> append(const uint8_t* data, size_t size);

    // Records that a picture was taken at the current iDataTotalLength; true when it
    // counts as changed against the previous picture.
    bool takePicture();

    // Empties the buffer and zeroes both counts (stream start and stop).
    void reset();

    int64_t iDataTotalLength() const { return iDataTotalLength_; }
    int64_t iNextDataLength() const { return iNextDataLength_; }
    size_t size() const { return oMutDataBuffer_.size(); }
    size_t capacity() const { return oMutDataBuffer_.capacity(); }
    size_t partLimit() const { return partLimit_; }
    bool droppingPart() const { return dropping_; }
    uint64_t droppedParts() const { return droppedParts_; }
    // Parts whose bytes ended without an end marker (a picture cut short): no picture.
    uint64_t unfinishedParts() const { return unfinishedParts_; }

private:
    void dropPart();

    std::vector<uint8_t> oMutDataBuffer_;
    int64_t iDataTotalLength_ = 0;
    int64_t iNextDataLength_ = 0;
    size_t firstEnd_ = 0;  // offset just after the part's first FF D9; 0 before one arrived
    size_t partLimit_;
    bool dropping_ = false;
    uint64_t droppedParts_ = 0;
    uint64_t unfinishedParts_ = 0;
};

// Offset just after the first FF D9 in data[from, size), or nullopt.
std::optional<size_t> findEndMarker(const uint8_t* data, size_t size, size_t from = 0);

}  // namespace lumetra
