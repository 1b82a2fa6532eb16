// The whole program's CPU use while it plays the demo song, as a user runs it: the real
// program on a private Xvfb display and PulseAudio server (as the end-to-end tests run it),
// PLAY SNG clicked, and the process's user and system time, all its threads, over 20 s of
// playing, as a share of one core (counter cpu_percent). Target: under 10 %.
#include "desktop_session.h"
#include "screen/screen_layout.h"
#include "temp_dir.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

using namespace vxtest;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto kPlaying = std::chrono::seconds(20);
constexpr auto kSettle = std::chrono::seconds(1); // playback under way before measuring

// User plus system time of a process so far, in seconds (fields 14 and 15 of its stat).
double cpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2)); // after "pid (name) "
    std::string field;
    for (int i = 3; i < 14; ++i)
        fields >> field;
    double user = 0, system = 0;
    fields >> user >> system;
    return (user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void BM_ProgramPlayingTheDemo(benchmark::State &state)
{
    TempDir home;
    PulseServer server;
    if (server.failure()) {
        state.SkipWithError(("no sound server: " + *server.failure()).c_str());
        return;
    }
    for (auto _ : state) {
        ProgramWindow program(VXA_PROGRAM, {{"HOME", home.path().string()}},
                              home.path() / "program.log");
        if (!program.waitForWindow()) {
            state.SkipWithError("the program's window did not appear");
            return;
        }
        program.click(VexaScreenLayout::gridButton(0, 0).center());
        std::this_thread::sleep_for(kSettle);
        const double cpuBefore = cpuSeconds(program.pid());
        const auto start = Clock::now();
        std::this_thread::sleep_for(kPlaying);
        const double cpu = cpuSeconds(program.pid()) - cpuBefore;
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(wall);
        state.counters["cpu_percent"] = 100 * cpu / wall;
        program.quit();
    }
}
BENCHMARK(BM_ProgramPlayingTheDemo)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

// The display comes first: the screenshots that tell when the window is painted need a GUI
// application object on it.
int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    TempDir logs;
    XvfbDisplay display(1024, 768, logs.path());
    if (display.failure()) {
        std::fprintf(stderr, "Xvfb could not start: %s\n", display.failure()->c_str());
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
