#pragma once
// Command-line options of the lumetra-camsim program.

#include <string>
#include <vector>

#include "tools/camsim/CamSim.h"

namespace lumetra::camsim {

struct CommandLine {
    CamSimOptions options;
    bool help = false;
    std::string error;  // non-empty when the arguments are unusable
};

// Parses the arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

std::string usage();

}  // namespace lumetra::camsim
