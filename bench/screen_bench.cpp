// The whole screen with the demo module playing, as the window shows it 30 times a
// second. Targets on this machine: a full repaint (every layer, as on the first paint)
// under 4 ms median, with the quadrascope and with help open; one display frame (the
// display tick, the publication, the repaint of what changed, the compositing) under
// 2 ms median.
#include "bench_platform.h"
#include "player_engine.h"
#include "screen/vexatron_screen.h"
#include "shipped_font.h"
#include "toolkit/vexa_font.h"
#include "views/splash_view.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <memory>
#include <vector>

using namespace vxbench;

namespace {

constexpr uint32_t framesPerDisplayTick = vexa::kOutputRate / 30;
constexpr QPoint midWellPixel{428, 129};
constexpr QPoint playSongPixel{283, 11};
constexpr QPoint helpPixel{598, 197};

class QuietHost : public VexaScreenHost {
public:
    void runFileDialog(VexaFileDialog, const std::string &, FileChosen) override {}
    void showNotice(const std::string &, const std::string &, std::function<void()>) override {}
    void askConfirmation(const std::string &, const std::string &,
                         std::function<void(bool)>) override
    {
    }
    void canvasChanged() override {}
};

QString resource(const char *name)
{
    return qEnvironmentVariable("VXA_SOURCE_DIR", ".") + "/resources/" + name;
}

// The demo module playing with the quadrascope shown, a second into the song.
struct PlayingScreen {
    PlayingScreen()
    {
        engine->ensureEngineRunning();
        engine->load(resource("SPACE_DEBRIS.MOD").toStdString());
        queue->drain();
        screen = makeScreen();
        click(midWellPixel);
        click(playSongPixel);
        for (int i = 0; i < 30; ++i)
            displayFrame();
    }

    std::unique_ptr<VexatronScreen> makeScreen()
    {
        auto made =
            std::make_unique<VexatronScreen>(engine, host, VexaFont::glyphs(), splash, [] {});
        made->shown();
        return made;
    }
    void click(QPoint pixel)
    {
        screen->pointerPressed(VexatronScreen::pixelCentre(pixel));
        screen->pointerReleased(VexatronScreen::pixelCentre(pixel));
        queue->drain();
    }
    void renderAudio() { audio->render(framesPerDisplayTick, left.data(), right.data()); }
    void displayFrame()
    {
        renderAudio();
        engine->tickDisplay();
        queue->drain();
        screen->canvas();
    }

    QuietHost host;
    QImage splash = readSplashPicture(resource("Splash.png"));
    std::shared_ptr<DirectAudioDevice> audio = std::make_shared<DirectAudioDevice>();
    std::shared_ptr<ManualMainQueue> queue = std::make_shared<ManualMainQueue>();
    std::shared_ptr<vexa::PlayerEngine> engine = vexa::PlayerEngine::create(
        {audio, queue, std::make_shared<SilentTimers>(), nullptr, nullptr});
    std::unique_ptr<VexatronScreen> screen;
    std::vector<float> left = std::vector<float>(framesPerDisplayTick);
    std::vector<float> right = std::vector<float>(framesPerDisplayTick);
};

// A new screen paints every layer on its first canvas; only that paint is timed.
void fullRepaints(benchmark::State &state, bool helpOpen)
{
    if (!installShippedFont()) {
        state.SkipWithError("resources/ST20.FNT not found: run from the repository root");
        return;
    }
    PlayingScreen playing;
    for (auto _ : state) {
        state.PauseTiming();
        playing.renderAudio();
        playing.screen = playing.makeScreen();
        if (helpOpen)
            playing.click(helpPixel);
        state.ResumeTiming();
        benchmark::DoNotOptimize(playing.screen->canvas().constBits());
    }
}

void BM_ScreenFullRepaintPlayingQuadrascope(benchmark::State &state)
{
    fullRepaints(state, false);
}
BENCHMARK(BM_ScreenFullRepaintPlayingQuadrascope)->Unit(benchmark::kMillisecond);

void BM_ScreenFullRepaintHelpOpen(benchmark::State &state)
{
    fullRepaints(state, true);
}
BENCHMARK(BM_ScreenFullRepaintHelpOpen)->Unit(benchmark::kMillisecond);

// One display frame while playing; the audio the device renders in between is untimed.
void BM_ScreenDisplayFramePlaying(benchmark::State &state)
{
    if (!installShippedFont()) {
        state.SkipWithError("resources/ST20.FNT not found: run from the repository root");
        return;
    }
    PlayingScreen playing;
    for (auto _ : state) {
        state.PauseTiming();
        playing.renderAudio();
        state.ResumeTiming();
        playing.engine->tickDisplay();
        playing.queue->drain();
        benchmark::DoNotOptimize(playing.screen->canvas().constBits());
    }
}
BENCHMARK(BM_ScreenDisplayFramePlaying)->Unit(benchmark::kMillisecond);

} // namespace
