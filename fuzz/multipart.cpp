// The multipart parser gives the same parts (header fields, media type, body)
// whether a response arrives whole or cut into pieces at any points.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "camera/MultipartParser.h"

using namespace lumetra;

namespace {

struct Part {
    std::vector<std::pair<std::string, std::string>> fields;
    std::string mediaType;
    std::string body;
    bool operator==(const Part&) const = default;
};

class Collector : public MultipartParser::Listener {
public:
    std::vector<Part> parts;
    void partBegin(const PartHeaders& headers, const std::string& mediaType) override {
        parts.push_back(Part{headers.fields(), mediaType, {}});
    }
    void partData(const uint8_t* data, size_t size) override {
        FUZZ_CHECK(!parts.empty() && size > 0);
        parts.back().body.append(reinterpret_cast<const char*>(data), size);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    PartHeaders response;
    response.add("Content-Type", in.ConsumeBool() ? in.ConsumeRandomLengthString(64)
                                                  : "multipart/x-mixed-replace;boundary=frame");
    std::vector<size_t> cuts(in.ConsumeIntegralInRange<size_t>(0, 16));
    for (size_t& cut : cuts) cut = in.ConsumeIntegral<uint16_t>();
    const std::string body = in.ConsumeRemainingBytesAsString();
    const auto* bytes = reinterpret_cast<const uint8_t*>(body.data());

    Collector whole, pieces;
    MultipartParser(whole, response).feed(bytes, body.size());
    MultipartParser parser(pieces, response);
    size_t at = 0;
    for (size_t cut : cuts) {
        const size_t length = std::min(cut, body.size() - at);
        parser.feed(bytes + at, length);
        at += length;
    }
    parser.feed(bytes + at, body.size() - at);
    FUZZ_CHECK(whole.parts == pieces.parts);
    return 0;
}
