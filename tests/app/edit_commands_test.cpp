// Editing from the keyboard, driven as the screen drives it: key presses by code and
// characters through the key gate, then the published state after the main queue ran.
#include "controller_fixture.h"
#include "key_codes.h"
#include "keyboard_map.h"
#include "vexa_key_gate.h"

using namespace vxtest;
namespace keys = vexa::keys;
using Cursor = std::pair<int64_t, int64_t>; // edit channel, field

namespace {

class EditCommands : public ControllerTest {
protected:
    void SetUp() override
    {
        loadModule(ModBuilder()
                       .sample(1, {.name = "ONE", .lengthWords = 100, .volume = 40})
                       .sample(2, {.name = "TWO", .lengthWords = 100, .volume = 64})
                       .sampleData(1, std::vector<uint8_t>(200, 0x60))
                       .song(2, 0, {0, 1})
                       .note(0, 0, 1, 428, 1, 0x0C, 0x20));
        gate.player = engine;
    }
    // Presses a key through the gate as the shell does; true when consumed.
    bool press(uint16_t code, std::optional<std::string> text = {}, bool shift = false,
               bool command = false)
    {
        const bool consumed = gate.consume({code, std::move(text), shift, command});
        drain();
        return consumed;
    }
    bool type(const std::string &text, bool shift = false)
    {
        return press(keys::other, text, shift);
    }
    std::string cell(int row, int channel)
    {
        for (const auto &r : engine->patternRows())
            if (r.rowNumber == row)
                return r.cells[channel];
        return "?";
    }
    Cursor cursor() { return {engine->editCh(), engine->cursorPos()}; }
    void run(const std::function<void()> &command)
    {
        command();
        drain();
    }

    vexa::VexaKeyGate gate;
};

} // namespace

TEST(KeyboardMap, pianoRowsOctavesAndHexDigits)
{
    // The upper row in octave 2, "A" and hex "A" are pressed through the gate below.
    EXPECT_EQ(vexa::keyToNote('z', 0), 1);
    EXPECT_EQ(vexa::keyToNote('M', 0), 12);
    EXPECT_EQ(vexa::keyToNote('M', 2), 36);
    EXPECT_EQ(vexa::keyToHex('F'), 15);
    EXPECT_EQ(vexa::keyToHex('G'), std::nullopt);
    EXPECT_EQ(vexa::keyToHex('a'), std::nullopt); // callers upper-case first
}

TEST_F(EditCommands, cursorWrapsThroughAllTwentyFourFields_octaveStaysInItsRange)
{
    EXPECT_TRUE(press(keys::left));
    EXPECT_EQ(cursor(), Cursor(3, 5));
    EXPECT_TRUE(press(keys::right));
    EXPECT_EQ(cursor(), Cursor(0, 0));
    press(keys::right);
    press(keys::right);
    EXPECT_TRUE(press(keys::tab, {}, true));
    EXPECT_EQ(cursor(), Cursor(3, 0));
    EXPECT_TRUE(press(keys::tab));
    EXPECT_EQ(cursor(), Cursor(0, 0));
    EXPECT_TRUE(type("3", true)); // shift + channel key: edit channel 3
    EXPECT_EQ(cursor(), Cursor(2, 0));
    for (int i = 0; i < 3; ++i)
        press(keys::f2);
    EXPECT_EQ(engine->octave(), 2);
    EXPECT_FALSE(type("q")); // upper row in octave 2: nothing, passed on
    for (int i = 0; i < 4; ++i)
        press(keys::f1);
    EXPECT_EQ(engine->octave(), 0);
}

TEST_F(EditCommands, channelKeys_alwaysToggleMutes_andAMutedChannelShowsNoMeterOrScope)
{
    engine->playMode(VXA_PLAY_SONG, false);
    audio->renderOnDeviceThread(512); // the 200-byte sample still sounds
    run([&] { engine->tickDisplay(); });
    EXPECT_GT(engine->chanMuzak()[1], 0);
    EXPECT_NE(engine->scopeBuffers()[1], vexa::flatScopes()[1]);
    EXPECT_EQ(engine->scopeBuffers()[0], vexa::flatScopes()[0]);
    press(keys::space); // stop
    press(keys::space); // edit mode
    press(keys::right);
    EXPECT_TRUE(type("2"));
    EXPECT_TRUE(engine->chanMute()[1]);
    EXPECT_EQ(cell(0, 0), "---00000"); // not a hex digit
    engine->playMode(VXA_PLAY_SONG, false);
    audio->renderOnDeviceThread(512);
    run([&] { engine->tickDisplay(); });
    EXPECT_EQ(engine->chanMuzak()[1], 0);
    EXPECT_EQ(engine->scopeBuffers()[1], vexa::flatScopes()[1]);
    EXPECT_TRUE(type("2"));
    EXPECT_FALSE(engine->chanMute()[1]);
}

TEST_F(EditCommands, hexEntry_movesTheCursorOn_fromTheLastFieldIntoTheNextChannel)
{
    press(keys::space);
    run([&] { engine->patternWellClick(0, 0, 2); }); // the sample's low digit
    for (const char *digit : {"a", "c", "8", "0"})
        EXPECT_TRUE(type(digit));
    EXPECT_EQ(cell(0, 0), "---0AC80");
    EXPECT_EQ(cursor(), Cursor(1, 0));
}

TEST_F(EditCommands, recordingWhilePlaying_writesWithoutAdvancing)
{
    run([&] { engine->playMode(VXA_PLAY_PATTERN, true); });
    EXPECT_TRUE(engine->editMode());
    type("z");
    EXPECT_EQ(engine->patternRows()[5].cells[0], "C-201000");
    EXPECT_EQ(engine->currentRow(), 0);
    EXPECT_TRUE(press(keys::down)); // consumed, but no row step while playing
    EXPECT_EQ(engine->currentRow(), 0);
}

TEST_F(EditCommands, keysOnTheCell_writeAndClearOnlyInEditMode_eachOnlyItsOwnField)
{
    const struct {
        const char *key;
        bool editMode;
        int64_t field;
        uint16_t code;
        std::optional<std::string> text;
        bool consumed;
        const char *cell; // channel 1, row 0: "C-201C20" before
        int64_t row;      // afterwards
    } cases[] = {
        {"Delete, not editing", false, 0, keys::deleteBackward, {}, true, "C-201C20", 0},
        {"Forward Delete, not editing", false, 0, keys::deleteForward, {}, true, "C-201C20", 0},
        {"Z, not editing: sounds only", false, 0, keys::other, "z", true, "C-201C20", 0},
        {"H, not editing: the screen's", false, 0, keys::other, "h", false, "C-201C20", 0},
        {"Delete on the note", true, 0, keys::deleteBackward, {}, true, "---00C20", 1},
        {"Delete on the sample low digit", true, 2, keys::deleteBackward, {}, true, "C-200C20", 1},
        {"Forward Delete on the effect", true, 3, keys::deleteForward, {}, true, "C-201020", 1},
        {"Q: the upper row, an octave up", true, 0, keys::other, "q", true, "C-301C20", 1},
        {"H, editing: G sharp", true, 0, keys::other, "h", true, "G#201C20", 1},
        {"U in octave 1: the highest note", true, 0, keys::other, "u", true, "B-301C20", 1},
        {"A: no piano key", true, 0, keys::other, "a", false, "C-201C20", 0},
        {"5 on the sample high digit: 31", true, 1, keys::other, "5", true, "C-21FC20", 0},
    };
    for (const auto &c : cases) {
        SetUp();
        if (engine->editMode() != c.editMode)
            press(keys::space);
        run([&] { engine->patternWellClick(0, 1, c.field); });
        EXPECT_EQ(press(c.code, c.text), c.consumed) << c.key;
        EXPECT_EQ(cell(0, 1), c.cell) << c.key;
        EXPECT_EQ(engine->currentRow(), c.row) << c.key;
    }
    EXPECT_TRUE(audio->isRunning()); // the live notes started the output
}

TEST_F(EditCommands, transpose_movesTheNoteUnderTheCursor_orSaysThereIsNone)
{
    run([&] { engine->patternWellClick(0, 1, 0); });
    run([&] { engine->transpose(true, 12); });
    EXPECT_EQ(cell(0, 1), "C-301C20");
    press(keys::down);
    run([&] { engine->transpose(false, 1); });
    ASSERT_TRUE(engine->notice());
    EXPECT_EQ(engine->notice()->title, "TRANSPOSE");
    EXPECT_EQ(engine->notice()->message, "No note under cursor.");
}

TEST_F(EditCommands, spaceAndEscapeStop_unhandledKeysPass)
{
    run([&] { engine->playMode(VXA_PLAY_SONG, false); });
    EXPECT_FALSE(press(keys::space, {}, false, true)); // with command: passed on
    EXPECT_TRUE(engine->isPlaying());
    EXPECT_TRUE(press(keys::space));
    EXPECT_FALSE(engine->isPlaying());
    EXPECT_FALSE(engine->editMode());
    run([&] { engine->playMode(VXA_PLAY_SONG, true); });
    EXPECT_TRUE(press(keys::escape));
    EXPECT_FALSE(engine->isPlaying());
    EXPECT_FALSE(engine->editMode());
    EXPECT_EQ(engine->statusPhrase(), "ALL RIGHT");
    for (const char *text : {"p", "+", "-", "o"})
        EXPECT_FALSE(type(text)) << text;
    EXPECT_FALSE(press(keys::other, std::string("s"), false, true)); // with command
    EXPECT_FALSE(press(keys::other));
    engine.reset();
    EXPECT_FALSE(type("z"));
}

TEST_F(EditCommands, stepSampleClampsAndPublishesTheSlot_wellClicksMoveTheRowOnlyWhileStopped)
{
    run([&] { engine->stepSample(1); });
    EXPECT_EQ(engine->currentSample(), 2);
    EXPECT_EQ(engine->sampleName(), "TWO");
    run([&] { engine->stepSample(100); });
    EXPECT_EQ(engine->currentSample(), 31);
    run([&] { engine->stepSample(-100); });
    EXPECT_EQ(engine->currentSample(), 1);
    run([&] { engine->stepSampleVolume(5); });
    EXPECT_EQ(engine->sampleVolume(), 45);

    run([&] { engine->patternWellClick(12, 7, -2); });
    EXPECT_EQ(cursor(), Cursor(3, 0));
    EXPECT_EQ(engine->currentRow(), 12);
    engine->playMode(VXA_PLAY_SONG, false);
    run([&] { engine->patternWellClick(30, std::nullopt, 4); });
    EXPECT_EQ(engine->currentRow(), 0);
    EXPECT_EQ(cursor(), Cursor(3, 0));
}
