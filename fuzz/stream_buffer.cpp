// The stream buffer's cutting rule against a plain model: a chunk that completes
// an FF D9 (also one split over two chunks) gives the part's bytes up to its
// first FF D9; parts beyond the limit are dropped until the next JPEG part.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "camera/StreamBuffer.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    constexpr size_t kLimit = 4096;
    StreamBuffer buffer(kLimit);
    std::string model;
    bool dropping = false;
    while (in.remaining_bytes() > 0) {
        if (in.ConsumeIntegralInRange(0, 7) == 0) {
            const bool jpeg = in.ConsumeBool();
            buffer.partStarted(jpeg ? "image/jpeg" : "text/plain");
            if (jpeg) model.clear(), dropping = false;
            continue;
        }
        const std::string chunk = in.ConsumeRandomLengthString(512);
        const auto picture =
            buffer.append(reinterpret_cast<const uint8_t*>(chunk.data()), chunk.size());
        if (dropping || chunk.empty()) {
            FUZZ_CHECK(!picture);
            continue;
        }
        if (model.size() + chunk.size() > kLimit) {
            FUZZ_CHECK(!picture && buffer.droppingPart());
            model.clear();
            dropping = true;
            continue;
        }
        const size_t oldSize = model.size();
        model += chunk;
        const size_t completed = model.find("\xFF\xD9", oldSize > 0 ? oldSize - 1 : 0);
        FUZZ_CHECK(picture.has_value() == (completed != std::string::npos));
        if (picture) {
            const std::string cut(reinterpret_cast<const char*>(picture->data()), picture->size());
            FUZZ_CHECK(cut == model.substr(0, model.find("\xFF\xD9") + 2));
        }
        FUZZ_CHECK(buffer.size() == model.size() && buffer.size() <= kLimit);
    }
    return 0;
}
