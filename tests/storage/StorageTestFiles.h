#pragma once
// What the storage tests share: temporary folders, file and property-list
// helpers, a write limit and a stand-in for the main thread.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "support/FileSizeLimit.h"
#include "support/JpegSamples.h"
#include "support/MainQueue.h"
#include "support/TempDir.h"

namespace lumetra::test {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

inline void spit(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// An XML property list whose root dictionary holds the key/string pairs in order.
inline std::string plistXml(std::initializer_list<std::pair<std::string, std::string>> entries) {
    std::string xml = "<?xml version=\"1.0\"?>\n<plist version=\"1.0\"><dict>\n";
    for (const auto& [k, v] : entries) xml += "<key>" + k + "</key><string>" + v + "</string>\n";
    return xml + "</dict></plist>\n";
}

// The test's main thread with a gate in front: a worker posting a result waits
// at the gate until it opens (so requests pile up meanwhile), then its work is
// queued for the main thread.
struct GatedMain {
    MainQueue main;
    std::promise<void> gate;
    std::shared_future<void> opened = gate.get_future().share();
    std::atomic<int> entered{0}, passed{0};

    std::function<void(std::function<void()>)> poster() {
        return [this](std::function<void()> work) {
            ++entered;
            opened.wait_for(std::chrono::seconds(10));  // bounded, should a test fail early
            main.post(std::move(work));
            ++passed;
        };
    }
    // Idles until a worker waits at the gate.
    bool waitEntered() {
        return main.runUntil([this] { return entered > 0; });
    }
};

}  // namespace lumetra::test
