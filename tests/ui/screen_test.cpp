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
using vexa::VexaMidWellOverlay;
using Titles = std::vector<std::string>;

namespace {

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

bool asksToClear(ScreenTest &t, const char *message)
{
    return t.engine->confirm() && t.engine->confirm()->title == "CLEAR" &&
           t.engine->confirm()->message == message && t.host.confirmations.size() == 1 &&
           t.host.confirmations[0].message == message;
}

bool muted(ScreenTest &t, size_t channel)
{
    std::array<bool, 4> expected{};
    expected[channel] = true;
    return t.engine->chanMute() == expected;
}

struct ButtonCase {
    const char *title;
    QPoint centre;
    std::function<bool(ScreenTest &)> reached;
    Titles pressedAfter;
    std::function<void(ScreenTest &)> before = [](ScreenTest &) {};
};

const ButtonCase buttonCases[] = {
    {"PLAY SNG",
     {283, 11},
     [](ScreenTest &t) {
         const auto &e = *t.engine;
         return e.isPlaying() && e.playModeSong() && !e.isRecording() && !e.editMode();
     },
     {"PLAY SNG"}},
    {"PLAY PTN",
     {283, 29},
     [](ScreenTest &t) {
         const auto &e = *t.engine;
         return e.isPlaying() && !e.playModeSong() && !e.isRecording() && !e.editMode();
     },
     {"PLAY PTN"}},
    {"REC SNG",
     {283, 47},
     [](ScreenTest &t) {
         const auto &e = *t.engine;
         return e.isPlaying() && e.playModeSong() && e.isRecording() && e.editMode();
     },
     {"REC SNG", "EDIT"}},
    {"REC PTN",
     {283, 65},
     [](ScreenTest &t) {
         const auto &e = *t.engine;
         return e.isPlaying() && !e.playModeSong() && e.isRecording() && e.editMode();
     },
     {"REC PTN", "EDIT"}},
    {"STOP",
     {421, 11},
     [](ScreenTest &t) { return !t.engine->isPlaying(); },
     {},
     [](ScreenTest &t) { t.click(283, 11); }},
    {"EDIT", {421, 29}, [](ScreenTest &t) { return t.engine->editMode(); }, {"EDIT"}},
    {"TRANSPOSE",
     {421, 47},
     [](ScreenTest &t) { return t.engine->midWellOverlay() == VexaMidWellOverlay::transpose; },
     {"TRANSPOSE"}},
    {"FILTER", {421, 65}, [](ScreenTest &t) { return t.engine->filterOn(); }, {"FILTER"}},
    {"DISK OP.",
     {554, 11},
     [](ScreenTest &t) { return t.engine->midWellOverlay() == VexaMidWellOverlay::diskOp; },
     {"DISK OP."}},
    {"SMP-ED",
     {554, 29},
     [](ScreenTest &t) { return t.engine->midWellOverlay() == VexaMidWellOverlay::smpEd; },
     {"SMP-ED"}},
    {"NOP", {554, 47}, [](ScreenTest &t) { return t.host.repaintsAsked == 0; }, {}},
    {"CLEAR",
     {554, 65},
     [](ScreenTest &t) { return asksToClear(t, "Clear current pattern?"); },
     {}},
    {"1", {623, 11}, [](ScreenTest &t) { return muted(t, 0); }, {"1"}},
    {"2", {623, 29}, [](ScreenTest &t) { return muted(t, 1); }, {"2"}},
    {"3", {623, 47}, [](ScreenTest &t) { return muted(t, 2); }, {"3"}},
    {"4", {623, 65}, [](ScreenTest &t) { return muted(t, 3); }, {"4"}},
    {"HELP",
     {598, 197},
     [](ScreenTest &t) { return t.screen->helpOpen() && t.screen->helpPage() == 0; },
     {}},
    {"<-CLR",
     {524, 220},
     [](ScreenTest &t) { return asksToClear(t, "Clear current sample?"); },
     {}},
    {"LOAD",
     {600, 220},
     [](ScreenTest &t) {
         return t.host.dialogs.size() == 1 && t.host.dialogs[0].kind == VexaFileDialog::loadModule;
     },
     {}},
};

} // namespace

TEST_F(ScreenTest, everyButtonReachesItsCommand_andLooksPressedExactlyWhileItsStateHolds)
{
    EXPECT_EQ(pressedButtons(screen->canvas()), Titles{});
    for (const ButtonCase &button : buttonCases) {
        SCOPED_TRACE(button.title);
        start();
        button.before(*this);
        screen->canvas();
        host.repaintsAsked = 0;
        click(button.centre.x(), button.centre.y());
        EXPECT_TRUE(button.reached(*this));
        if (!screen->helpOpen()) { // which dims every button
            EXPECT_EQ(pressedButtons(screen->canvas()), button.pressedAfter);
        }
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

TEST_F(ScreenTest, edgePixelsBetweenButtonsReachTheButtonTheyArePaintedFor)
{
    const struct {
        QPoint pixel;
        QColor painted; // a button's left edge is light, its right edge dark
        std::function<bool(ScreenTest &)> reached;
    } cases[] = {
        {{344, 29},
         shadow,
         [](ScreenTest &t) { return t.engine->isPlaying() && !t.engine->playModeSong(); }},
        {{345, 29}, hi, [](ScreenTest &t) { return t.engine->editMode(); }},
        {{497, 65}, shadow, [](ScreenTest &t) { return t.engine->filterOn(); }},
        {{498, 65}, hi, [](ScreenTest &t) { return t.engine->confirm().has_value(); }},
        {{609, 11},
         shadow,
         [](ScreenTest &t) { return t.engine->midWellOverlay() == VexaMidWellOverlay::diskOp; }},
        {{610, 11}, hi, [](ScreenTest &t) { return t.engine->chanMute()[0]; }},
    };
    for (const auto &edge : cases) {
        SCOPED_TRACE(edge.pixel.x());
        start();
        EXPECT_EQ(screen->canvas().pixelColor(edge.pixel), edge.painted);
        click(edge.pixel.x(), edge.pixel.y());
        EXPECT_TRUE(edge.reached(*this));
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
        {{54, 380}, 16, 0, 0},  {{633, 380}, 16, 3, 5}, // beyond channel 4's text
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

TEST_F(ScreenTest, diskOpActionsRunTheirDialogsAndSaves)
{
    const vxtest::TempDir chosen;
    engine->toggleDiskOp();
    drain();
    click(567, 102); // SAVE AS
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].kind, VexaFileDialog::saveModuleAs);
    EXPECT_EQ(host.dialogs[0].defaultName, "Circuit Tides.mod");
    host.dialogs[0].chosen(chosen.path() / "tides.mod");
    drain();
    EXPECT_EQ(host.notices.back().title, "SAVE AS");

    click(289, 102); // LOAD MODULE
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].kind, VexaFileDialog::loadModule);
    loadModule(vxtest::ModBuilder().title("other"));
    host.dialogs[1].chosen(chosen.path() / "tides.mod");
    drain();
    EXPECT_EQ(engine->title(), "Circuit Tides");

    click(567, 156); // SAVE SAMPLE AS
    ASSERT_EQ(host.dialogs.size(), 3u);
    EXPECT_EQ(host.dialogs[2].kind, VexaFileDialog::saveSampleAs);
    EXPECT_EQ(host.dialogs[2].defaultName, engine->sampleName() + ".smp");
    host.dialogs[2].chosen(chosen.path() / "kick.smp");
    drain();
    EXPECT_EQ(host.notices.back().title, "SAVE AS SAMPLE");

    engine->stepSample(1);
    drain();
    click(289, 156); // LOAD SAMPLE
    ASSERT_EQ(host.dialogs.size(), 4u);
    EXPECT_EQ(host.dialogs[3].kind, VexaFileDialog::loadSample);
    host.dialogs[3].chosen(chosen.path() / "kick.smp");
    drain();
    EXPECT_EQ(engine->sampleLength(), 4640);

    click(428, 102); // SAVE
    EXPECT_EQ(host.notices.back().title, "SAVE");
    click(428, 156); // SAVE SAMPLE
    EXPECT_EQ(host.notices.back().title, "SAVE SAMPLE");
    EXPECT_EQ(host.notices.back().message.rfind("Saved:\n", 0), 0u);
    EXPECT_EQ(host.dialogs.size(), 4u);
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
    EXPECT_EQ(engine->smpEdMarkNext(), 1);
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
