// Published state: idle values, status line texts, the pattern rows around the
// playhead, errors and notices.
#include "controller_fixture.h"
#include "status_lines.h"

using namespace vxtest;
using vexa::PatternRowDisplay;

TEST_F(ControllerTest, idle_publishesFixedValuesEvenInEditMode_andEditsChangeNothing)
{
    engine->toggleEditMode();
    engine->writeHexAtCursor(3);
    engine->stepRow(1);
    engine->tickDisplay();
    drain();
    EXPECT_EQ(engine->currentRow(), 0);
    EXPECT_EQ(engine->statusLine(), "Idle");
    EXPECT_EQ(engine->orderLine(), "\u2014");
    EXPECT_EQ(engine->patternRowLine(), "\u2014");
    EXPECT_EQ(engine->tempoLine(), "\u2014");
    EXPECT_EQ(engine->timerLine(), "00:00");
    EXPECT_EQ(engine->pathLabel(), "No file loaded");
    EXPECT_EQ(engine->sampleVolume(), 64);
    EXPECT_EQ(engine->sampleLength(), 0);
    EXPECT_EQ(engine->sampleLoopLength(), 2);
    EXPECT_EQ(engine->patternRows(), PatternRowDisplay::blankWell(0));
    EXPECT_EQ(engine->sampleWave()[100], 0x80);
    EXPECT_EQ(engine->statusPhrase(), "ALL RIGHT");
}

TEST(StatusLines, transportTextsForEveryState_andNumberFormats)
{
    const struct {
        uint32_t playing, recording, playMode;
        bool editMode;
        const char *line, *phrase;
    } cases[] = {
        {0, 0, 0, false, "Stopped", "ALL RIGHT"}, {0, 1, 1, true, "Stopped", "EDITING"},
        {1, 0, 0, false, "Play SNG", "PLAYING"},  {1, 0, 1, true, "Play PTN", "PLAY PTN"},
        {1, 1, 0, false, "Recording", "REC SNG"}, {1, 1, 1, false, "Recording", "REC PTN"},
    };
    for (const auto &c : cases) {
        vxa_status status{};
        status.playing = c.playing;
        status.recording = c.recording;
        status.play_mode = c.playMode;
        EXPECT_EQ(vexa::statusLineText(status), c.line);
        EXPECT_EQ(vexa::statusPhraseText(status, c.editMode), c.phrase);
    }
    vxa_status status{};
    status.order_pos = 3;
    status.song_length = 12;
    status.pattern = 5;
    status.row = 31;
    status.speed = 6;
    status.tempo = 125;
    status.minutes = 61;
    status.seconds = 5;
    EXPECT_EQ(vexa::orderLineText(status), "0003 / 0012");
    EXPECT_EQ(vexa::patternRowLineText(status), "P05  row 1F");
    EXPECT_EQ(vexa::tempoLineText(status), "spd 6  125 BPM");
    EXPECT_EQ(vexa::timerLineText(status), "61:05");
    status.minutes = 100;
    status.seconds = 0;
    EXPECT_EQ(vexa::timerLineText(status), "100:00");
}

TEST(PatternRows, cellTextMasksSample_blankWellHasPlaceholdersAtBothEnds)
{
    EXPECT_EQ(vexa::cellText({0, 0, 0, 0}), "---00000");
    EXPECT_EQ(vexa::cellText({17, 1, 0x0C, 0x40}), "E-201C40");
    EXPECT_EQ(vexa::cellText({36, 33, 0x1F, 0xFF}), "B-301FFF");
    const auto top = PatternRowDisplay::blankWell(0), bottom = PatternRowDisplay::blankWell(63);
    ASSERT_EQ(top.size(), 11u);
    for (int k = 0; k < 11; ++k) {
        EXPECT_EQ(top[k].id, k < 5 ? -1000 - k : k - 5);
        EXPECT_EQ(top[k].rowNumber, k - 5);
        EXPECT_EQ(top[k].isPlayhead, k == 5);
        EXPECT_EQ(bottom[k].id, k > 5 ? -1000 - k : 58 + k);
        EXPECT_EQ(bottom[k].rowNumber, 58 + k);
    }
}

TEST_F(ControllerTest, loadedModule_publishesLinesRowsAndTheSample)
{
    loadModule(ModBuilder()
                   .title("TUNE")
                   .song(3, 1, {0, 1, 0})
                   .sample(1, {.name = "ONE", .lengthWords = 8, .volume = 33})
                   .note(0, 0, 0, 339, 1, 0x0C, 0x40));
    EXPECT_EQ(engine->title(), "TUNE");
    EXPECT_EQ(engine->pathLabel(), "song.mod");
    EXPECT_TRUE(engine->hasModule());
    EXPECT_EQ(engine->statusLine(), "Stopped");
    EXPECT_EQ(engine->orderLine(), "0000 / 0003");
    EXPECT_EQ(engine->patternRowLine(), "P00  row 00");
    EXPECT_EQ(engine->tempoLine(), "spd 6  125 BPM");
    EXPECT_EQ(engine->restartPos(), 1);
    EXPECT_EQ(engine->patternRows()[5].cells[0], "E-201C40");
    EXPECT_EQ(engine->sampleName(), "ONE");
    EXPECT_EQ(engine->sampleVolume(), 33);
    EXPECT_EQ(engine->sampleLength(), 16);
    EXPECT_NE(engine->sampleWave()[255], 0x80);
}

TEST_F(ControllerTest, notices_eachGetAFreshIdentity)
{
    engine->postNotice("SAVE", "one");
    engine->postNotice("SAVE", "one");
    std::vector<vexa::Uuid> seen;
    engine->notice.observe([&](const auto &notice) { seen.push_back(notice->id); });
    drain();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_EQ(engine->notice()->message, "one");
    engine->dismissNotice();
    EXPECT_FALSE(engine->notice().has_value());
}

TEST_F(ControllerTest, publishStatus_assignsEveryRefreshedPropertyEveryTime)
{
    int changes = 0;
    engine->changes.observe([&] { ++changes; });
    engine->publishStatus();
    engine->publishStatus();
    EXPECT_EQ(changes, 2 * 25);
}
