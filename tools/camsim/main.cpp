// lumetra-camsim: runs the simulated WiFi microscope on 127.0.0.1 until it is
// interrupted or told "quit" on standard input.

#include <signal.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "tools/camsim/CamSim.h"
#include "tools/camsim/CommandLine.h"

using namespace lumetra::camsim;

namespace {

void readCommands(CamSim& sim) {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line == "quit") break;
        if (line == "press") {
            sim.pressShutter();
            std::cout << "photo counter " << sim.photoCount() << std::endl;
        } else if (const auto fault = faultFromName(line); fault && *fault != Fault::None) {
            sim.injectFault(*fault);
            std::cout << "next part: " << faultName(*fault) << std::endl;
        } else if (!line.empty()) {
            std::cout << "commands: press, drop, stall, garbage, oversized, split, quit"
                      << std::endl;
        }
    }
    if (line == "quit") kill(getpid(), SIGTERM);
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine cl = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (cl.help) {
        std::cout << usage();
        return 0;
    }
    if (!cl.error.empty()) {
        std::cerr << "lumetra-camsim: " << cl.error << "\n" << usage();
        return 2;
    }

    // Termination signals are taken by sigwait below, in every thread blocked.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    signal(SIGPIPE, SIG_IGN);
    // Started in the background of a terminal ("lumetra-camsim &"), reading commands would
    // stop the whole simulator; ignored, the read fails instead and only the commands end.
    signal(SIGTTIN, SIG_IGN);

    CamSim sim(cl.options);
    std::string error;
    if (!sim.start(&error)) {
        std::cerr << "lumetra-camsim: " << error << "\n";
        return 1;
    }
    std::cout << "lumetra-camsim: " << kindName(cl.options.kind) << " camera, control http://"
              << kListenAddress << ":" << sim.controlPort() << "/, stream http://" << kListenAddress
              << ":" << sim.streamPort() << "/" << std::endl;

    std::thread(readCommands, std::ref(sim)).detach();
    int received = 0;
    sigwait(&signals, &received);
    sim.stop();
    return 0;
}
