#pragma once
// Splits the body of a multipart HTTP response (multipart/x-mixed-replace) into
// parts: for each part it reports the header fields and the media type first,
// then the body bytes as they arrive, possibly in several pieces. Input may be
// split at any byte. A response that is not multipart is reported as one part
// that carries the response's own header fields.
//
// Parts are delimited by "--" + boundary; the line break before the delimiter
// belongs to the delimiter (a missing one is tolerated). Body bytes are passed on
// as soon as they cannot be the start of a delimiter, so the end of a picture is
// never held back waiting for the next part. Header blocks larger than
// kMaxHeaderBlock are treated as garbage: the parser skips to the next delimiter.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumetra {

// Header fields of a part or response, in arrival order; names compare case-insensitively.
class PartHeaders {
public:
    void add(std::string name, std::string value);
    void clear() { fields_.clear(); }
    std::optional<std::string_view> value(std::string_view name) const;
    const std::vector<std::pair<std::string, std::string>>& fields() const { return fields_; }

private:
    std::vector<std::pair<std::string, std::string>> fields_;
};

// "Image/JPEG; q=1" -> "image/jpeg": the media type without parameters, lower case.
std::string mediaTypeOf(std::string_view contentType);

// The boundary parameter of a multipart Content-Type (quotes removed); nullopt when the
// type is not multipart or has no boundary.
std::optional<std::string> boundaryOf(std::string_view contentType);

class MultipartParser {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void partBegin(const PartHeaders& headers, const std::string& mediaType) = 0;
        virtual void partData(const uint8_t* data, size_t size) = 0;
    };

    static constexpr size_t kMaxHeaderBlock = 16 * 1024;
    static constexpr size_t kMaxBoundaryLine = 1024;

    MultipartParser(Listener& listener, PartHeaders responseHeaders);

    void feed(const uint8_t* data, size_t size);
    bool isMultipart() const { return !needle_.empty(); }

private:
    enum class State { Preamble, BoundaryLine, Headers, Body, Epilogue, Single };

    // Each handler consumes a prefix of the input and returns how many bytes it used.
    size_t scanForDelimiter(const uint8_t* data, size_t size, bool emit);
    // Scans held bytes (the first heldCount of work) joined with new input.
    size_t scanJoined(const uint8_t* work, size_t workSize, size_t heldCount, bool emit);
    size_t readBoundaryLine(const uint8_t* data, size_t size);
    size_t readHeaders(const uint8_t* data, size_t size);
    void finishHeaderLine(std::string_view line);
    size_t heldSuffixLength(const uint8_t* data, size_t size) const;

    Listener& listener_;
    PartHeaders responseHeaders_;
    std::string needle_;  // "--" + boundary
    State state_;
    bool singleStarted_ = false;

    std::vector<uint8_t> held_;     // bytes that may start a delimiter
    std::vector<uint8_t> scratch_;  // held_ joined with the start of new input
    std::string line_;              // boundary line or header line being read
    size_t headerBytes_ = 0;
    PartHeaders partHeaders_;
};

}  // namespace lumetra
