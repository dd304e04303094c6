// Reading WiFi camera settings answers: the simulated camera's pages of both kinds, and
// answers at the size limit of a camera request (1 MiB) built to be expensive: every
// statement a picture control (CGI) or every item a control of the bracketed list
// (wizard). The large answers must stay linear in their size.
//
// Reported: time per answer; bytes_per_second.

#include <benchmark/benchmark.h>

#include <string>

#include "camera/wifi/CameraGet.h"
#include "camera/wifi/WiFiLists.h"
#include "camera/wifi/WiFiSettings.h"
#include "tools/camsim/SettingsPage.h"

using namespace lumetra;

namespace {

std::string repeatedTo(const std::string& head, const std::string& unit, size_t size) {
    std::string text = head;
    while (text.size() + unit.size() <= size) text += unit;
    return text;
}

void parse(benchmark::State& state, CameraMode kind, const std::string& page) {
    for (auto _ : state) {
        WiFiSettings settings;
        parseWiFiSettings(kind, page, 640, 480, settings);
        benchmark::DoNotOptimize(wifiLists(kind, settings));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

void BM_SimulatedPage(benchmark::State& state) {
    const bool cgi = state.range(0) == 1;
    const camsim::CameraState camera(cgi ? camsim::CameraKind::Cgi : camsim::CameraKind::Wizard);
    parse(state, cgi ? CameraMode::WiFiCgi : CameraMode::WiFiWizard,
          cgi ? camsim::cgiSettingsPage(camera) : camsim::wizardSettingsPage(camera));
}
BENCHMARK(BM_SimulatedPage)->ArgName("cgi")->Arg(0)->Arg(1);

void BM_LargestAnswer(benchmark::State& state) {
    const bool cgi = state.range(0) == 1;
    const std::string page =
        cgi ? repeatedTo("var resolution[0]=\"640x480\";\r\n", "var vbright_def=128;\r\n",
                         CameraGet::kBodyLimit)
            : repeatedTo("var cameraControls = [",
                         "{\"name\":\"Brightness\",\"id\":\"1\",\"type\":\"1\",\"min\":\"0\","
                         "\"max\":\"9\",\"step\":\"1\",\"default\":\"5\",\"value\":\"5\"},",
                         CameraGet::kBodyLimit - 2) +
                  "];";
    parse(state, cgi ? CameraMode::WiFiCgi : CameraMode::WiFiWizard, page);
}
BENCHMARK(BM_LargestAnswer)->ArgName("cgi")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
