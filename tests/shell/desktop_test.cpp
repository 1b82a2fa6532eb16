// The real program in a real window with real sound, driven as a user drives it: xdotool
// clicks canvas points and types keys into the window on a private Xvfb display, the
// screen is checked by screenshot for the texts the program draws in its own font, and
// the sound is recorded from a private PulseAudio server's null sink and compared with
// what the engine renders. Screenshots and program logs are kept in the build folder.
#include "desktop_environment.h"
#include "engine_handle.h"
#include "mod_builder.h"
#include "screen/screen_layout.h"
#include "screen_text.h"
#include "sound_level.h"
#include "source_path.h"
#include "temp_dir.h"
#include "ui_tables.h"
#include "views/disk_op_view.h"

#include <gtest/gtest.h>

#include <iostream>
#include <thread>

using namespace vxtest;
using namespace VexaScreenLayout;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

constexpr int32_t kRate = 44100;

const QPointF kPlaySong = gridButton(0, 0).center();
const QPointF kStop = gridButton(1, 0).center();
const QPointF kEdit = gridButton(1, 1).center();
const QPointF kDiskOp = gridButton(2, 0).center();
const QPointF kHelp = helpButton.center();

const ScreenText kDemoTitle{"CIRCUIT TIDES", VexaChrome::colInk, 2, 2};
const ScreenText kNoteC3{"C-3", VexaChrome::colPatBlue, VexaPatternMetrics::cellScX,
                         VexaPatternMetrics::rowScY,
                         static_cast<int>(VexaPatternMetrics::cellPitch)};
const ScreenText kHelpLine{"S+1-4 EDIT", VexaChrome::colInk, 1, 1};
const ScreenText kEditing{"EDITING", VexaChrome::colInk, 2, 2};
const ScreenText kAudioError{"AUDIO: ", VexaChrome::colRed, 1, 1};

// The disk op's SAVE (module) button: the middle of its top row.
QPointF saveModuleButton()
{
    const auto grid = VexaDiskOpView{.width = midWell.width(), .height = midWell.height()}.grid();
    return midWell.topLeft() +
           QPointF(grid.columns[0] + VexaPanelMetrics::diskGap + grid.columns[1] / 2,
                   grid.rows[0] / 2);
}

// A channel's column of the pattern well, as the rows are drawn.
QRect channelColumn(int channel)
{
    using namespace VexaPatternMetrics;
    return QRectF(innerLeft + col0 + colW * channel, patY, colW, patH).toRect();
}

// Re-reads the canvas until `holds` is true of it or a few seconds pass; the last look.
template <class Holds> QImage canvasWhen(const ProgramWindow &program, Holds holds)
{
    const auto deadline = Clock::now() + 5s;
    QImage canvas = program.canvas();
    while (!holds(canvas) && Clock::now() < deadline) {
        std::this_thread::sleep_for(50ms);
        canvas = program.canvas();
    }
    return canvas;
}

// The canvas at one pixel a point, from a screenshot at any whole scale.
QImage pointForPoint(const QImage &canvas)
{
    return canvas.scaled(VexaCanvas::width, VexaCanvas::height, Qt::IgnoreAspectRatio,
                         Qt::FastTransformation);
}

bool shows(const QImage &canvas, const ScreenText &text, QRect area = {})
{
    return findText(canvas, text, area).has_value();
}

// What the engine renders of `module` played from its start, for `seconds` of sound.
SoundLevel rendered(const fs::path &module, double seconds)
{
    ModHandle mod = createMod(kRate);
    EXPECT_EQ(vxa_mod_load(mod.get(), module.c_str()), 0);
    vxa_mod_play_mode_at(mod.get(), 0, 0, 0);
    std::vector<float> frames(2 * static_cast<size_t>((seconds + 1) * kRate));
    vxa_mod_render(mod.get(), frames.data(), static_cast<int32_t>(frames.size() / 2));
    return measureSound(frames, static_cast<size_t>(seconds * kRate));
}

class Desktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (desktopFailure())
            GTEST_SKIP() << "Skipped: Xvfb could not start: " << *desktopFailure();
        fs::create_directories(home.path() / "runtime");
        fs::permissions(home.path() / "runtime", fs::perms::owner_all);
    }

    // "Suite.firstWordsOfTheName", for the files the test keeps.
    std::string name() const
    {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string testName = test->name();
        return std::string(test->test_suite_name()) + "." + testName.substr(0, testName.find('_'));
    }

    // The program with this test's home folder, documents folder and log.
    std::unique_ptr<ProgramWindow> start(std::map<std::string, std::string> environment = {},
                                         int scale = 1, const std::string &run = "",
                                         const std::string &program = VXA_PROGRAM)
    {
        environment["HOME"] = home.path().string();
        environment["XDG_CONFIG_HOME"] = (home.path() / ".config").string();
        environment["XDG_RUNTIME_DIR"] = (home.path() / "runtime").string();
        environment["LSAN_OPTIONS"] =
            "suppressions=" + sourcePath("tests/shell/lsan_suppressions.txt");
        log = artifactFolder() / (name() + run + ".log");
        return std::make_unique<ProgramWindow>(program, environment, log, scale);
    }

    // No sound server and no sound device reachable: PulseAudio's socket leads nowhere and
    // ALSA has no configuration, so it knows no device.
    std::map<std::string, std::string> withoutSound() const
    {
        return {{"PULSE_SERVER", "unix:" + home.file("no-server")},
                {"ALSA_CONFIG_PATH", home.write("alsa.conf", {})}};
    }

    void keep(const QImage &image, const std::string &what) const
    {
        const fs::path file = artifactFolder() / (name() + "-" + what + ".png");
        EXPECT_TRUE(image.save(QString::fromStdString(file.string()))) << file;
    }

    std::string logText() const
    {
        const std::vector<uint8_t> bytes = readFile(log.string());
        return "program log " + log.string() + ":\n" + std::string(bytes.begin(), bytes.end());
    }

    TempDir home;
    fs::path log;
};

class WithSound : public Desktop {
protected:
    void SetUp() override
    {
        Desktop::SetUp();
        if (IsSkipped())
            return;
        ASSERT_FALSE(server.failure()) << *server.failure();
    }

    PulseServer server;
};

} // namespace

TEST_F(WithSound, playsTheDemoAsTheEngineRendersIt_stopsToSilence_editsHelpsSavesAndQuits)
{
    auto program = start();
    ASSERT_TRUE(program->waitForWindow()) << logText();
    const QImage started = program->canvas();
    keep(started, "1-started");
    EXPECT_TRUE(shows(started, kDemoTitle, songRow.toRect())) << "no demo title on screen";

    server.startRecording();
    program->click(kPlaySong);
    const auto playStart = Clock::now();
    std::this_thread::sleep_for(3s);
    keep(program->canvas(), "2-playing");
    program->click(kStop);
    const double played = std::chrono::duration<double>(Clock::now() - playStart).count();
    std::this_thread::sleep_for(300ms);
    const SoundLevel heard = measureSound(server.stopRecording());
    const SoundLevel expected = rendered(sourcePath("resources/SPACE_DEBRIS.MOD"), heard.seconds);
    std::cout << "heard " << heard.seconds << " s of music in " << played << " s of play, RMS "
              << heard.rms[0] << " / " << heard.rms[1] << " (rendered " << expected.rms[0] << " / "
              << expected.rms[1] << ")\n";
    EXPECT_NEAR(heard.seconds, played, 0.5);
    for (int side = 0; side < 2; ++side) {
        EXPECT_NEAR(heard.rms[side], expected.rms[side], 0.05 * expected.rms[side]) << side;
        EXPECT_NEAR(heard.peak[side], expected.peak[side], 0.05 * expected.peak[side]) << side;
    }
    server.startRecording();
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(measureSound(server.stopRecording()).seconds, 0) << "sound after STOP";

    EXPECT_FALSE(shows(started, kNoteC3, channelColumn(0)));
    program->key("space q");
    QImage canvas =
        canvasWhen(*program, [](const QImage &c) { return shows(c, kNoteC3, channelColumn(0)); });
    keep(canvas, "3-note-entered");
    EXPECT_TRUE(shows(canvas, kNoteC3, channelColumn(0))) << "no C-3 in channel 1";
    EXPECT_TRUE(shows(canvas, kEditing, statusRow.toRect()));
    program->key("shift+3");
    canvas = canvasWhen(*program, [](const QImage &c) {
        return countColour(c, VexaChrome::colRed, channelColumn(2)) > 0;
    });
    keep(canvas, "4-shift-3");
    EXPECT_GT(countColour(canvas, VexaChrome::colRed, channelColumn(2)), 0) << "cursor not in 3";
    EXPECT_EQ(countColour(canvas, VexaChrome::colRed, channelColumn(0)), 0) << "cursor left in 1";

    program->click(kHelp);
    canvas = canvasWhen(*program, [](const QImage &c) { return shows(c, kHelpLine); });
    keep(canvas, "5-help");
    EXPECT_TRUE(shows(canvas, kHelpLine)) << "help not shown";
    program->key("ctrl+o");
    EXPECT_FALSE(windowShown("Load Module", 500ms)) << "a key reached the menu while help was open";
    program->key("Escape");
    canvas = canvasWhen(*program, [](const QImage &c) { return !shows(c, kHelpLine); });
    keep(program->screenshot(), "5b-help-closed");
    EXPECT_FALSE(shows(canvas, kHelpLine)) << "help still shown after Escape";

    program->click(kDiskOp);
    program->click(saveModuleButton());
    ASSERT_TRUE(windowShown("SAVE", 5s)) << "no notice after SAVE";
    keep(program->screenshot(), "6-saved");
    const fs::path folder = home.path() / "Documents" / "Vexatron";
    std::vector<fs::path> saved;
    for (const auto &entry : fs::directory_iterator(folder))
        saved.push_back(entry.path());
    ASSERT_EQ(saved.size(), 1u) << folder;
    EXPECT_TRUE(saved[0].filename().string().ends_with("(VXv1).mod")) << saved[0];
    const std::string wav = home.file("saved.wav");
    EXPECT_TRUE(runCommand(std::string(VXA_RENDER_TOOL) + " --seconds 1 '" + saved[0].string() +
                           "' '" + wav + "'")
                    .ok)
        << "the render tool cannot play the saved module";
    EXPECT_TRUE(pressIn("SAVE", "Return"));

    const ProgramWindow::Ending ending = program->quit();
    std::cout << "quitting the program after playing took " << ending.milliseconds << " ms\n";
    EXPECT_EQ(ending.exitCode, 0) << logText();
    EXPECT_LT(ending.milliseconds, 2000);
}

TEST_F(Desktop, withoutSound_startsWithTheAudioErrorShown_editsAndLoadsChosenAndDroppedModules)
{
    auto program = start(withoutSound());
    ASSERT_TRUE(program->waitForWindow()) << logText();
    const QRect menuBar(program->windowRect().topLeft(),
                        QPoint(program->windowRect().right(), program->canvasRect().top() - 1));
    const QImage shot = program->screenshot();
    keep(shot, "1-started");
    EXPECT_TRUE(shows(shot, kAudioError, menuBar)) << "no audio error on the error line";
    EXPECT_TRUE(shows(program->canvas(), kDemoTitle, songRow.toRect()));

    program->key("space q");
    const QImage edited =
        canvasWhen(*program, [](const QImage &c) { return shows(c, kNoteC3, channelColumn(0)); });
    keep(edited, "2-note-entered");
    EXPECT_TRUE(shows(edited, kNoteC3, channelColumn(0))) << "no C-3 in channel 1";

    const std::string chosen = home.write("MOD.CHOSEN", ModBuilder().title("chosen tune").build());
    program->key("ctrl+o");
    ASSERT_TRUE(windowShown("Load Module", 5s)) << "Ctrl+O did not open the module dialog";
    EXPECT_TRUE(typeInto("Load Module", chosen));
    keep(program->screenshot(), "3-open-dialog");
    EXPECT_TRUE(pressIn("Load Module", "Return"));
    const ScreenText chosenTitle{"CHOSEN TUNE", VexaChrome::colInk, 2, 2};
    const QImage loaded = canvasWhen(
        *program, [&](const QImage &c) { return shows(c, chosenTitle, songRow.toRect()); });
    keep(loaded, "4-module-loaded");
    EXPECT_TRUE(shows(loaded, chosenTitle, songRow.toRect())) << "the chosen module is not shown";

    const std::string dragged = home.write("dragged.mod", ModBuilder().title("dragged in").build());
    EXPECT_TRUE(dragFileTo(dragged, program->canvasRect().center(), artifactFolder() / "drag.log"))
        << "the window did not take the drop";
    const ScreenText draggedTitle{"DRAGGED IN", VexaChrome::colInk, 2, 2};
    const QImage dropped = canvasWhen(
        *program, [&](const QImage &c) { return shows(c, draggedTitle, songRow.toRect()); });
    keep(dropped, "5-module-dropped");
    EXPECT_TRUE(shows(dropped, draggedTitle, songRow.toRect()))
        << "the dropped module is not shown";

    const ProgramWindow::Ending ending = program->quit();
    EXPECT_EQ(ending.exitCode, 0) << logText();
}

// The program's export and the render tool share one renderer, so their files are the
// same byte for byte, header and frames.
TEST_F(Desktop, exportWav_writesTheSongAsTheRenderToolDoes)
{
    auto program = start(withoutSound());
    ASSERT_TRUE(program->waitForWindow()) << logText();
    program->key("ctrl+e");
    ASSERT_TRUE(windowShown("Export WAV", 5s)) << "Ctrl+E did not open the export dialog";
    const fs::path exported = home.path() / "exported.wav";
    EXPECT_TRUE(pressIn("Export WAV", "ctrl+a"));
    EXPECT_TRUE(typeInto("Export WAV", exported.string()));
    keep(program->screenshot(), "1-export-dialog");
    EXPECT_TRUE(pressIn("Export WAV", "Return"));
    const auto deadline = Clock::now() + 60s;
    while (!fs::exists(exported) && Clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(fs::exists(exported)) << "no WAV file after a minute";
    EXPECT_TRUE(windowShown("EXPORT WAV", 5s)) << "no notice after the export";
    keep(program->screenshot(), "2-exported");

    const fs::path rendered = home.path() / "rendered.wav";
    ASSERT_TRUE(runCommand(std::string(VXA_RENDER_TOOL) + " '" +
                           sourcePath("resources/SPACE_DEBRIS.MOD") + "' '" + rendered.string() +
                           "'")
                    .ok);
    const std::vector<uint8_t> fromProgram = readFile(exported.string());
    const std::vector<uint8_t> fromTool = readFile(rendered.string());
    std::cout << "exported " << fromProgram.size() << " bytes, the render tool wrote "
              << fromTool.size() << "\n";
    EXPECT_EQ(fromProgram.size(), fromTool.size());
    EXPECT_TRUE(fromProgram == fromTool) << "the exported frames differ from the render tool's";
    EXPECT_TRUE(pressIn("EXPORT WAV", "Return"));
    EXPECT_EQ(program->quit().exitCode, 0) << logText();
}

TEST_F(Desktop, atDeviceScale2_showsTheSamePictureTwiceAsLarge_andClicksLand)
{
    std::array<QImage, 2> idle, editing;
    for (const int scale : {1, 2}) {
        auto program = start(withoutSound(), scale, "-scale" + std::to_string(scale));
        ASSERT_TRUE(program->waitForWindow()) << logText();
        idle[scale - 1] = program->canvas();
        program->click(kEdit);
        editing[scale - 1] = canvasWhen(*program, [](const QImage &c) {
            return shows(pointForPoint(c), kEditing, statusRow.toRect());
        });
        program->quit();
    }
    keep(idle[1], "1-idle-at-2x");
    keep(editing[1], "2-edit-clicked-at-2x");
    EXPECT_TRUE(shows(editing[0], kEditing, statusRow.toRect())) << "EDIT missed at 1x";
    EXPECT_TRUE(idle[1] == scaledUp(idle[0], 2)) << "the 2x screen is not the 1x one doubled";
    EXPECT_TRUE(editing[1] == scaledUp(editing[0], 2)) << "the click at 2x did not do the same";
}

// The package check unpacks the Debian package into a scratch root and names the program
// there: it must find its resources beside it, not in this source tree.
TEST_F(Desktop, installedProgram_showsTheDemoFromItsInstalledFolder_andQuits)
{
    const char *installed = std::getenv("VXA_INSTALLED_PROGRAM");
    if (!installed)
        GTEST_SKIP() << "Skipped: VXA_INSTALLED_PROGRAM names no installed program "
                        "(scripts/check-package sets it)";
    auto program = start(withoutSound(), 1, "", installed);
    ASSERT_TRUE(program->waitForWindow()) << logText();
    const QImage started = program->canvas();
    keep(started, "1-started");
    EXPECT_TRUE(shows(started, kDemoTitle, songRow.toRect())) << "no demo title on screen";
    EXPECT_EQ(program->quit().exitCode, 0) << logText();
}
