#pragma once
// A fresh temporary folder for one test, removed with everything in it afterwards,
// and the reading of a file whole.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lumetra::test {

// The bytes of a file; empty when it cannot be read.
inline std::string slurp(const std::filesystem::path& p) {
    std::stringstream bytes;
    bytes << std::ifstream(p, std::ios::binary).rdbuf();
    return bytes.str();
}

class TempDir {
public:
    TempDir() {
        std::string templ =
            (std::filesystem::temp_directory_path() / "lumetra-test-XXXXXX").string();
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        if (::mkdtemp(buf.data())) path_ = buf.data();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Points HOME at a folder for the lifetime of the object and restores it after.
class ScopedHome {
public:
    explicit ScopedHome(const std::filesystem::path& home) {
        if (const char* old = std::getenv("HOME")) old_ = old, hadOld_ = true;
        ::setenv("HOME", home.c_str(), 1);
    }
    ~ScopedHome() {
        if (hadOld_)
            ::setenv("HOME", old_.c_str(), 1);
        else
            ::unsetenv("HOME");
    }
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

private:
    std::string old_;
    bool hadOld_ = false;
};

}  // namespace lumetra::test
