#pragma once
// A folder in memory (/dev/shm) for targets that read and write files, made on
// first use and removed with everything in it when the fuzzer exits.

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "FuzzCheck.h"

class ScratchFolder {
public:
    static const std::string& path() {
        static const ScratchFolder folder;
        return folder.path_;
    }

private:
    ScratchFolder() {
        char templ[] = "/dev/shm/lumetra-fuzz-XXXXXX";
        const char* made = ::mkdtemp(templ);
        FUZZ_CHECK(made);
        path_ = made;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string path_;
};
