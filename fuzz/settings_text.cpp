// The one-name text files (default.txt, calibration.txt) and the text checks
// built on them: a name read is well-formed text without NUL, an album name
// accepted as a plain folder name stays inside the storage root, and the XML
// form of any text is well-formed, stable and unchanged for printable text.

#include <fstream>
#include <string>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "image/Utf8Text.h"
#include "storage/StorageLayout.h"
#include "storage/TextFiles.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = ScratchFolder::path() + "/name.txt";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const auto name = readNameFile(path);
    FUZZ_CHECK(name.has_value() == (isValidUtf8(bytes) && bytes.find('\0') == std::string::npos));
    if (name) FUZZ_CHECK(*name == bytes);

    if (isPlainFolderName(bytes)) {
        const std::string folder = StorageLayout::forHome("/home/u").albumFolder(bytes);
        FUZZ_CHECK(folder.rfind("/home/u/Lumetra/", 0) == 0);
        FUZZ_CHECK(folder.find('/', 16) == std::string::npos && bytes != "..");
    }

    const std::string safe = xmlSafeText(bytes);
    FUZZ_CHECK(isValidUtf8(safe) && xmlSafeText(safe) == safe);
    if (isPrintableText(bytes)) FUZZ_CHECK(safe == bytes);
    return 0;
}
