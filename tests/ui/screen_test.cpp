// The whole screen driven by canvas coordinates and keys, with a real controller and
// engine: every button and arrow reaches its command (seen through the published state),
// the pattern well maps clicks to rows and fields, help takes the keys while it is open,
// and dialogs and alerts go through the window.
#include "key_codes.h"
#include "screen/default_file_names.h"
#include "screen_fixture.h"
#include "test_canvas.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace uitest;
using vexa::VexaMidWellMode;
using Titles = std::vector<std::string>;

namespace {

// What a click can reach, in a few words: the transport, edit mode, the filter, the
// middle well's panel, mutes, help, the question asked and the dialogs run.
std::string reached(ScreenTest &t)
{
    const vexa::PlayerEngine &e = *t.engine;
    static const char *const panels[] = {"", "disk op ", "transpose ", "smp-ed "};
    std::string s = e.isPlaying() ? (e.playModeSong() ? "song " : "pattern ") : "";
    s += std::string(e.isPlaying() && e.isRecording() ? "rec " : "") +
         (e.editMode() ? "edit " : "") + (e.filterOn() ? "filter " : "") +
         panels[static_cast<int>(e.midWellOverlay())];
    for (size_t c = 0; c < e.chanMute().size(); ++c)
        s += e.chanMute()[c] ? "mute" + std::to_string(c + 1) + " " : "";
    s += t.screen->helpOpen() ? "help " : "";
    s += e.confirm() ? e.confirm()->title + ": " + e.confirm()->message + " " : "";
    for (const FakeScreenHost::Dialog &dialog : t.host.dialogs)
        s += "dialog" + std::to_string(static_cast<int>(dialog.kind)) + " ";
    return s;
}

// Buttons whose sunken look follows the published state, by a pixel just inside their
// top-left corner: colFace2 when pressed, colFace when not.
const std::pair<const char *, QPoint> toggleCorners[] = {
    {"PLAY SNG", {222, 4}}, {"PLAY PTN", {222, 22}}, {"REC SNG", {222, 40}},
    {"REC PTN", {222, 58}}, {"EDIT", {346, 22}},     {"TRANSPOSE", {346, 40}},
    {"FILTER", {346, 58}},  {"DISK OP.", {499, 4}},  {"SMP-ED", {499, 22}},
    {"1", {611, 4}},        {"2", {611, 22}},        {"3", {611, 40}},
    {"4", {611, 58}},
};

Titles pressedButtons(const QImage &canvas)
{
    Titles titles;
    for (const auto &[title, corner] : toggleCorners)
        if (canvas.pixelColor(corner) == face2)
            titles.emplace_back(title);
    return titles;
}

} // namespace

TEST_F(ScreenTest, everyButtonReachesItsCommand_andLooksPressedExactlyWhileItsStateHolds)
{
    const struct {
        QPoint centre;
        const char *reaches; // from playing the song
        Titles pressed;
    } buttons[] = {
        {{283, 11}, "song ", {"PLAY SNG"}},
        {{283, 29}, "pattern ", {"PLAY PTN"}},
        {{283, 47}, "song rec edit ", {"REC SNG", "EDIT"}},
        {{283, 65}, "pattern rec edit ", {"REC PTN", "EDIT"}},
        {{421, 11}, "", {}},            // STOP
        {{421, 29}, "edit ", {"EDIT"}}, // which stops first
        {{421, 47}, "song transpose ", {"PLAY SNG", "TRANSPOSE"}},
        {{421, 65}, "song filter ", {"PLAY SNG", "FILTER"}},
        {{554, 11}, "song disk op ", {"PLAY SNG", "DISK OP."}},
        {{554, 29}, "song smp-ed ", {"PLAY SNG", "SMP-ED"}},
        {{554, 47}, "song ", {"PLAY SNG"}}, // NOP
        {{554, 65}, "song CLEAR: Clear current pattern? ", {"PLAY SNG"}},
        {{623, 11}, "song mute1 ", {"PLAY SNG", "1"}},
        {{623, 29}, "song mute2 ", {"PLAY SNG", "2"}},
        {{623, 47}, "song mute3 ", {"PLAY SNG", "3"}},
        {{623, 65}, "song mute4 ", {"PLAY SNG", "4"}},
        {{598, 197}, "song help ", {}}, // the overlay dims every button
        {{524, 220}, "song CLEAR: Clear current sample? ", {"PLAY SNG"}},
        {{600, 220}, "song dialog0 ", {"PLAY SNG"}}, // LOAD: the load-module dialog
    };
    EXPECT_EQ(pressedButtons(screen->canvas()), Titles{});
    for (const auto &button : buttons) {
        SCOPED_TRACE(testing::Message() << button.centre.x() << "," << button.centre.y());
        start();
        click(283, 11);
        click(button.centre.x(), button.centre.y());
        EXPECT_EQ(reached(*this), button.reaches);
        if (!screen->helpOpen()) {
            EXPECT_EQ(pressedButtons(screen->canvas()), button.pressed);
        }
    }
}

TEST_F(ScreenTest, edgePixelsBetweenButtonsReachTheButtonTheyArePaintedFor)
{
    const struct {
        QPoint pixel;
        QColor painted; // a button's left edge is light, its right edge dark
        const char *reaches;
    } edges[] = {
        {{344, 29}, shadow, "pattern "}, {{345, 29}, hi, "edit "},
        {{497, 65}, shadow, "filter "},  {{498, 65}, hi, "CLEAR: Clear current pattern? "},
        {{609, 11}, shadow, "disk op "}, {{610, 11}, hi, "mute1 "},
    };
    for (const auto &edge : edges) {
        SCOPED_TRACE(edge.pixel.x());
        start();
        EXPECT_EQ(screen->canvas().pixelColor(edge.pixel), edge.painted);
        click(edge.pixel.x(), edge.pixel.y());
        EXPECT_EQ(reached(*this), edge.reaches);
    }
}

TEST_F(ScreenTest, arrowPairsStepTheirValuesUpAndDown_butTheSampleLengthsDoNothing)
{
    const struct {
        const char *label;
        const vexa::Published<int64_t> &value;
        int64_t step; // in the value's unit: the loop arrows step 2 words, 4 bytes
    } rows[] = {
        {"POSITION", engine->orderPos, 1},       {"PATTERN", engine->currentPattern, 1},
        {"LENGTH", engine->orderLen, 1},         {"RESTART", engine->restartPos, 1},
        {"SAMPLE", engine->currentSample, 1},    {"VOLUME", engine->sampleVolume, 1},
        {"LENGTH", engine->sampleLength, 0},     {"REPEAT", engine->sampleLoopStart, 4},
        {"REPLEN", engine->sampleLoopLength, 4},
    };
    engine->stepSample(8); // a looped sample whose volume and loop can move both ways
    drain();
    for (int row = 0; row < 9; ++row) {
        SCOPED_TRACE(rows[row].label);
        const int y = 13 + 18 * row + (row >= 4 ? 1 : 0);
        const int64_t before = rows[row].value();
        screen->canvas();
        host.repaintsAsked = 0;
        click(193, y);
        EXPECT_EQ(rows[row].value(), before + rows[row].step);
        click(211, y);
        EXPECT_EQ(rows[row].value(), before);
        EXPECT_EQ(host.repaintsAsked, rows[row].step == 0 ? 0 : 1);
    }
}

TEST_F(ScreenTest, patternWellClicksPickTheRowAndTheFieldUnderThePointer)
{
    const struct {
        QPoint pixel;
        int64_t row, editCh, cursorPos; // from row 16 with the cursor on channel 2, field 3
    } cases[] = {
        {{77, 355}, 16, 0, 0},  // the 15th point right of the text start: the note
        {{110, 354}, 15, 0, 1}, // point 48: the sample's high digit; the row above
        {{125, 394}, 16, 0, 1}, // point 63, still the high digit; the playhead row's last line
        {{127, 395}, 17, 0, 2}, // point 64: the low digit; the row below
        {{173, 274}, 11, 0, 4}, // point 111: the parameter's high digit; the top row
        {{174, 474}, 21, 0, 5}, // beyond 112: its low digit; the bottom row
        {{197, 300}, 12, 0, 5}, // the last point of channel 1
        {{198, 300}, 12, 1, 0}, // the first of channel 2
        {{53, 380}, 16, 2, 3},  // the row numbers: the cursor stays
        {{54, 380}, 16, 0, 0},  // the first point right of them
        {{633, 380}, 16, 3, 5}, // beyond channel 4's text
        {{300, 273}, 16, 2, 3}, // between the well's border and the top row: nothing
        {{300, 475}, 16, 2, 3}, // below the bottom row: nothing
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.pixel.x() << "," << c.pixel.y());
        engine->patternWellClick(16, 2, 3);
        drain();
        click(c.pixel.x(), c.pixel.y());
        EXPECT_EQ(engine->currentRow(), c.row);
        EXPECT_EQ(engine->editCh(), c.editCh);
        EXPECT_EQ(engine->cursorPos(), c.cursorPos);
    }
}

TEST_F(ScreenTest, helpCyclesItsPagesOnEachClick_closesOnEscape_andSwallowsEveryOtherKey)
{
    const auto helpState = [&] { return std::pair{screen->helpOpen(), screen->helpPage()}; };
    click(598, 197);
    EXPECT_EQ(helpState(), std::pair(true, 0));
    EXPECT_TRUE(type("1"));
    EXPECT_TRUE(key(vexa::keys::space));
    EXPECT_TRUE(type("q"));
    EXPECT_EQ(engine->chanMute(), (std::array<bool, 4>{}));
    EXPECT_FALSE(engine->editMode());
    click(598, 197);
    EXPECT_EQ(helpState(), std::pair(true, 1));
    click(598, 197);
    EXPECT_EQ(helpState(), std::pair(false, 0));

    click(598, 197);
    click(598, 197);
    EXPECT_TRUE(key(vexa::keys::escape));
    EXPECT_EQ(helpState(), std::pair(false, 0));
    click(598, 197);
    click(4, 4); // beside the panel
    EXPECT_EQ(helpState(), std::pair(false, 0));

    EXPECT_TRUE(type("1"));
    EXPECT_TRUE(engine->chanMute()[0]);
    screen->hidden();
    EXPECT_FALSE(type("2"));
    EXPECT_FALSE(engine->chanMute()[1]);
    screen->shown();
    EXPECT_TRUE(type("2"));
    EXPECT_TRUE(engine->chanMute()[1]);
}

TEST_F(ScreenTest, confirmationsClearOnlyOnYes_andAnswersToReplacedAlertsAreDropped)
{
    const auto patternBefore = engine->patternRows();
    click(554, 65); // CLEAR
    ASSERT_EQ(host.confirmations.size(), 1u);
    host.confirmations[0].answer(false);
    drain();
    EXPECT_FALSE(engine->confirm());
    EXPECT_EQ(engine->patternRows(), patternBefore);

    click(554, 65);
    click(524, 220); // <-CLR replaces the pattern's question with the sample's
    ASSERT_EQ(host.confirmations.size(), 3u);
    host.confirmations[1].answer(true);
    drain();
    EXPECT_EQ(engine->patternRows(), patternBefore);
    EXPECT_GT(engine->sampleLength(), 0);
    host.confirmations[2].answer(true);
    drain();
    EXPECT_EQ(engine->sampleLength(), 0);
    EXPECT_EQ(engine->patternRows(), patternBefore);

    engine->postNotice("SAVE", "Could not save module.");
    engine->postNotice("SAVE AS", "No module loaded.");
    drain();
    ASSERT_EQ(host.notices.size(), 2u);
    EXPECT_EQ(host.notices[1].title, "SAVE AS");
    EXPECT_EQ(host.notices[1].message, "No module loaded.");
    host.notices[0].answer(true);
    EXPECT_TRUE(engine->notice());
    host.notices[1].answer(true);
    EXPECT_FALSE(engine->notice());
}

TEST_F(ScreenTest, diskOpActionsRunTheirDialogs_andTheChosenFileReachesTheCommand)
{
    const vxtest::TempDir chosen;
    const struct {
        QPoint cell;
        std::optional<VexaFileDialog> dialog;
        const char *defaultName;
        const char *noticeAfter; // none: the error line reports the missing file
    } actions[] = {
        {{428, 102}, std::nullopt, "", "SAVE"},
        {{567, 102}, VexaFileDialog::saveModuleAs, "Circuit Tides.mod", "SAVE AS"},
        {{428, 156}, std::nullopt, "", "SAVE SAMPLE"},
        {{567, 156}, VexaFileDialog::saveSampleAs, "kick.smp", "SAVE AS SAMPLE"},
        {{289, 156}, VexaFileDialog::loadSample, "", "LOAD SAMPLE"},
        {{289, 102}, VexaFileDialog::loadModule, "", nullptr},
    };
    engine->toggleDiskOp();
    for (const auto &action : actions) {
        SCOPED_TRACE(action.cell.x());
        host.dialogs.clear();
        host.notices.clear();
        click(action.cell.x(), action.cell.y());
        ASSERT_EQ(host.dialogs.size(), action.dialog ? 1u : 0u);
        if (action.dialog) {
            EXPECT_EQ(host.dialogs[0].kind, *action.dialog);
            EXPECT_EQ(host.dialogs[0].defaultName, action.defaultName);
            host.dialogs[0].chosen(chosen.path() / "missing" / "file"); // unreadable
            drain();
        }
        if (action.noticeAfter) {
            ASSERT_EQ(host.notices.size(), 1u);
            EXPECT_EQ(host.notices[0].title, action.noticeAfter);
        } else {
            EXPECT_EQ(engine->errorMessage(), "Failed to load module (-1).");
        }
    }
}

TEST(DefaultFileNames, theTitleWithoutItsVersionTagOrTheSampleName_trimmed_withTheirSuffix)
{
    const struct {
        const char *text;
        const char *module;
        const char *sample;
    } cases[] = {
        {"", "module.mod", "sample.smp"},
        {"   ", "module.mod", "sample.smp"},
        {"my song(VXv12)", "my song.mod", "my song(VXv12).smp"},
        {"Loop (vxV3) \n", "Loop.mod", "Loop (vxV3).smp"},
        {" (VXV7)", "module.mod", "(VXV7).smp"},
        {"a(VXv1)b(VXv2)", "ab(VXv2).mod", "a(VXv1)b(VXv2).smp"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(VexaDefaultFileNames::module(c.text), c.module);
        EXPECT_EQ(VexaDefaultFileNames::sample(c.text), c.sample);
        std::string wav = c.module; // the song as a WAV file is named as the module
        EXPECT_EQ(VexaDefaultFileNames::wav(c.text), wav.replace(wav.size() - 3, 3, "wav"));
    }
}

TEST_F(ScreenTest, middleWellPanelsReachTheirCommands_andAClickOnTheDisplayCyclesIt)
{
    for (VexaMidWellMode mode :
         {VexaMidWellMode::quadrascope, VexaMidWellMode::spectrum, VexaMidWellMode::splash}) {
        click(428, 129);
        EXPECT_EQ(engine->midWellMode(), mode);
    }

    engine->stepSample(8); // a looped sample
    engine->toggleSmpEd();
    drain();
    const int64_t volume = engine->sampleVolume();
    click(377, 148); // VOL-
    EXPECT_EQ(engine->sampleVolume(), volume - 1);
    click(300, 115); // the waveform: sets marker A, then B is next
    EXPECT_LT(engine->sampleLoopStart(), 2816);
    EXPECT_EQ(engine->smpEdMarkNext(), VXA_LOOP_MARKER_B);
    EXPECT_EQ(engine->midWellMode(), VexaMidWellMode::splash);

    engine->patternWellClick(0, 1, 0); // on channel 2's E-3
    engine->toggleTranspose();
    drain();
    click(321, 106); // NOTE UP, the cursor's track
    EXPECT_EQ(engine->patternRows()[5].cells[1].substr(0, 3), "F-3");
}

TEST_F(ScreenTest, aBurstOfPublishedChangesAsksForOneRepaint_andAnUnchangedScreenIsNotRepainted)
{
    click(283, 11); // PLAY SNG
    const qint64 shown = screen->canvas().cacheKey();
    EXPECT_EQ(screen->canvas().cacheKey(), shown);
    host.repaintsAsked = 0;
    frame();
    frame();
    EXPECT_EQ(host.repaintsAsked, 1);
    EXPECT_NE(screen->canvas().cacheKey(), shown);
    frame();
    EXPECT_EQ(host.repaintsAsked, 2);
}
