// The snapshot sidecar reader takes any file: a sidecar it reads writes back as text
// that reads again to the same record, so written once more it is the same text.

#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "capture/SnapshotSidecar.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto record = parseSidecar(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!record) return 0;
    const std::string written = sidecarJson(*record);
    const auto reread = parseSidecar(written);
    FUZZ_CHECK(reread);
    FUZZ_CHECK(reread->shapes.size() == record->shapes.size());
    FUZZ_CHECK(sidecarJson(*reread) == written);
    snapshotComment(*reread);
    return 0;
}
