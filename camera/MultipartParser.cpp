#include "camera/MultipartParser.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace lumetra {
namespace {

constexpr size_t kMaxBoundaryLength = 200;

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trim(std::string_view s) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool isPrefixOf(const uint8_t* data, size_t size, std::string_view pattern) {
    return size <= pattern.size() && std::memcmp(data, pattern.data(), size) == 0;
}

}  // namespace

void PartHeaders::add(std::string name, std::string value) {
    fields_.emplace_back(std::move(name), std::move(value));
}

std::optional<std::string_view> PartHeaders::value(std::string_view name) const {
    for (const auto& [key, val] : fields_)
        if (equalsIgnoreCase(key, name)) return std::string_view(val);
    return std::nullopt;
}

std::string mediaTypeOf(std::string_view contentType) {
    return lower(trim(contentType.substr(0, contentType.find(';'))));
}

std::optional<std::string> boundaryOf(std::string_view contentType) {
    if (mediaTypeOf(contentType).rfind("multipart/", 0) != 0) return std::nullopt;
    std::string_view params = contentType;
    while (true) {
        const size_t semi = params.find(';');
        if (semi == std::string_view::npos) return std::nullopt;
        params.remove_prefix(semi + 1);
        const std::string_view param = trim(params.substr(0, params.find(';')));
        const size_t eq = param.find('=');
        if (eq == std::string_view::npos ||
            !equalsIgnoreCase(trim(param.substr(0, eq)), "boundary"))
            continue;
        std::string_view value = trim(param.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.empty() || value.size() > kMaxBoundaryLength) return std::nullopt;
        return std::string(value);
    }
}

MultipartParser::MultipartParser(Listener& listener, PartHeaders responseHeaders)
    : listener_(listener), responseHeaders_(std::move(responseHeaders)), state_(State::Single) {
    const auto contentType = responseHeaders_.value("Content-Type");
    if (const auto boundary = boundaryOf(contentType.value_or(""))) {
        needle_ = "--" + *boundary;
        state_ = State::Preamble;
    }
}

void MultipartParser::feed(const uint8_t* data, size_t size) {
    while (size > 0) {
        size_t used = size;
        switch (state_) {
            case State::Single:
                if (!singleStarted_) {
                    singleStarted_ = true;
                    listener_.partBegin(
                        responseHeaders_,
                        mediaTypeOf(responseHeaders_.value("Content-Type").value_or("")));
                }
                listener_.partData(data, size);
                break;
            case State::Preamble:
                used = scanForDelimiter(data, size, false);
                break;
            case State::Body:
                used = scanForDelimiter(data, size, true);
                break;
            case State::BoundaryLine:
                used = readBoundaryLine(data, size);
                break;
            case State::Headers:
                used = readHeaders(data, size);
                break;
            case State::Epilogue:
                break;
        }
        data += used;
        size -= used;
    }
}

size_t MultipartParser::scanForDelimiter(const uint8_t* data, size_t size, bool emit) {
    const size_t heldCount = held_.size();
    if (heldCount > 0) {
        // Bytes held back from the previous input are joined with just enough new bytes
        // to hold a delimiter that starts among them, or right after them with its line
        // break; the rest of the input is scanned where it lies, not copied.
        const size_t joined = std::min(size, needle_.size() + 2);
        scratch_.assign(held_.begin(), held_.end());
        scratch_.insert(scratch_.end(), data, data + joined);
        held_.clear();
        const std::string_view view(reinterpret_cast<const char*>(scratch_.data()),
                                    scratch_.size());
        if (joined == size || view.find(needle_) != std::string_view::npos)
            return scanJoined(scratch_.data(), scratch_.size(), heldCount, emit);
        // No delimiter starts among the held bytes or just after them: they are body.
        if (emit) listener_.partData(scratch_.data(), heldCount);
    }
    return scanJoined(data, size, 0, emit);
}

size_t MultipartParser::scanJoined(const uint8_t* work, size_t workSize, size_t heldCount,
                                   bool emit) {
    const std::string_view view(reinterpret_cast<const char*>(work), workSize);
    const size_t pos = view.find(needle_);
    if (pos == std::string_view::npos) {
        const size_t keep = heldSuffixLength(work, workSize);
        if (emit && workSize > keep) listener_.partData(work, workSize - keep);
        held_.assign(work + workSize - keep, work + workSize);
        return workSize - heldCount;
    }

    size_t end = pos;  // the line break before the delimiter is not body
    if (end >= 1 && work[end - 1] == '\n') {
        --end;
        if (end >= 1 && work[end - 1] == '\r') --end;
    }
    if (emit && end > 0) listener_.partData(work, end);
    state_ = State::BoundaryLine;
    line_.clear();
    // The held bytes never contain a whole delimiter, so it ends inside the new input.
    return pos + needle_.size() - heldCount;
}

size_t MultipartParser::heldSuffixLength(const uint8_t* data, size_t size) const {
    const std::string crlfNeedle = "\r\n" + needle_;
    const std::string lfNeedle = "\n" + needle_;
    for (size_t k = std::min(size, crlfNeedle.size() - 1); k > 0; --k) {
        const uint8_t* suffix = data + size - k;
        if (isPrefixOf(suffix, k, crlfNeedle) || isPrefixOf(suffix, k, lfNeedle) ||
            isPrefixOf(suffix, k, needle_))
            return k;
    }
    return 0;
}

size_t MultipartParser::readBoundaryLine(const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\n') {
            state_ = State::Headers;
            line_.clear();
            headerBytes_ = 0;
            partHeaders_.clear();
            return i + 1;
        }
        line_.push_back(c);
        if (line_ == "--") {  // close delimiter: the stream has no further parts
            state_ = State::Epilogue;
            return i + 1;
        }
        if (line_.size() > kMaxBoundaryLine) {
            state_ = State::Preamble;
            line_.clear();
            return i + 1;
        }
    }
    return size;
}

size_t MultipartParser::readHeaders(const uint8_t* data, size_t size) {
    size_t used = 0;
    while (used < size) {
        const auto* lf = static_cast<const uint8_t*>(std::memchr(data + used, '\n', size - used));
        const size_t take = lf ? static_cast<size_t>(lf - (data + used)) + 1 : size - used;
        headerBytes_ += take;
        if (headerBytes_ > kMaxHeaderBlock) {  // not a header block: look for the next part
            state_ = State::Preamble;
            line_.clear();
            held_.clear();
            return used + take;
        }
        line_.append(reinterpret_cast<const char*>(data + used), lf ? take - 1 : take);
        used += take;
        if (!lf) break;
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        if (line_.empty()) {
            state_ = State::Body;
            held_.clear();
            const std::string mediaType =
                mediaTypeOf(partHeaders_.value("Content-Type").value_or(""));
            listener_.partBegin(partHeaders_, mediaType);
            return used;
        }
        finishHeaderLine(line_);
        line_.clear();
    }
    return used;
}

void MultipartParser::finishHeaderLine(std::string_view line) {
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return;  // not a field: skipped
    partHeaders_.add(std::string(trim(line.substr(0, colon))),
                     std::string(trim(line.substr(colon + 1))));
}

}  // namespace lumetra
