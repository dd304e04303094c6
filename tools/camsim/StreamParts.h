#pragma once
// The simulated camera's picture stream, part by part: one multipart/x-mixed-replace
// response whose parts each carry a JPEG picture, its "Content-Type" and
// "Content-Length" and, for the CGI camera, the photo counter as "photo_cnt".
// Also the building blocks tests use to script exact streams, and the faults the
// stream can inject.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::camsim {

inline constexpr const char* kBoundary = "frameboundary";

// "multipart/x-mixed-replace;boundary=frameboundary"
std::string streamContentType();

// Delimiter line and header block of one part, up to and including the empty line.
std::string partHead(const std::string& contentType, size_t contentLength,
                     std::optional<int64_t> photoCount);

// One part of a scripted stream: the bytes go out in the given pieces, each written
// separately, with a pause between them (so they tend to arrive as separate reads).
struct ScriptedPart {
    std::vector<std::string> pieces;
    int pauseMs = 0;

    // A complete part (delimiter, header fields, body, line end). The body is split at the
    // given offsets; each extra header line is written as given ("photo_cnt: 3").
    static ScriptedPart make(const std::string& contentType, const std::string& body,
                             const std::vector<std::string>& extraHeaders = {},
                             const std::vector<size_t>& splitAt = {}, int pauseMs = 0);
    // Bytes written as they are, without any framing.
    static ScriptedPart raw(const std::string& bytes);
};

enum class Fault {
    None,
    Drop,         // send half of a picture, then close the connection
    Stall,        // send half of a picture, pause, then the rest
    Garbage,      // a part of random bytes with an end marker that does not decode
    Oversized,    // a part of many bytes without any end marker
    SplitMarker,  // a picture whose end marker's two bytes go out in two writes
};

const char* faultName(Fault fault);
std::optional<Fault> faultFromName(const std::string& name);

struct FaultOptions {
    int stallMs = 2000;
    size_t oversizedBytes = size_t{100} * 1024 * 1024;
};

}  // namespace lumetra::camsim
