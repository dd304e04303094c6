#include "tools/camsim/StreamParts.h"

#include <algorithm>

namespace lumetra::camsim {

std::string streamContentType() {
    return std::string("multipart/x-mixed-replace;boundary=") + kBoundary;
}

std::string partHead(const std::string& contentType, size_t contentLength,
                     std::optional<int64_t> photoCount) {
    std::string head = std::string("--") + kBoundary + "\r\n";
    head += "Content-Type: " + contentType + "\r\n";
    head += "Content-Length: " + std::to_string(contentLength) + "\r\n";
    if (photoCount) head += "photo_cnt: " + std::to_string(*photoCount) + "\r\n";
    head += "\r\n";
    return head;
}

ScriptedPart ScriptedPart::make(const std::string& contentType, const std::string& body,
                                const std::vector<std::string>& extraHeaders,
                                const std::vector<size_t>& splitAt, int pauseMs) {
    std::string head = std::string("--") + kBoundary + "\r\n";
    head += "Content-Type: " + contentType + "\r\n";
    head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    for (const std::string& line : extraHeaders) head += line + "\r\n";
    head += "\r\n";

    ScriptedPart part;
    part.pauseMs = pauseMs;
    std::vector<size_t> cuts = splitAt;
    std::sort(cuts.begin(), cuts.end());
    size_t from = 0;
    for (const size_t cut : cuts) {
        if (cut <= from || cut >= body.size()) continue;
        part.pieces.push_back(body.substr(from, cut - from));
        from = cut;
    }
    part.pieces.push_back(body.substr(from));
    part.pieces.front().insert(0, head);
    part.pieces.back() += "\r\n";
    return part;
}

ScriptedPart ScriptedPart::raw(const std::string& bytes) {
    ScriptedPart part;
    part.pieces.push_back(bytes);
    return part;
}

const char* faultName(Fault fault) {
    switch (fault) {
        case Fault::None:
            return "none";
        case Fault::Drop:
            return "drop";
        case Fault::Stall:
            return "stall";
        case Fault::Garbage:
            return "garbage";
        case Fault::Oversized:
            return "oversized";
        case Fault::SplitMarker:
            return "split";
    }
    return "none";
}

std::optional<Fault> faultFromName(const std::string& name) {
    for (Fault f : {Fault::None, Fault::Drop, Fault::Stall, Fault::Garbage, Fault::Oversized,
                    Fault::SplitMarker})
        if (name == faultName(f)) return f;
    return std::nullopt;
}

}  // namespace lumetra::camsim
