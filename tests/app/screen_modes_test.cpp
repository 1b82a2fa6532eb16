// Confirmations, the middle well's modes and panels, and the sample editor's commands.
#include "controller_fixture.h"

using namespace vxtest;
using vexa::VexaConfirmAction;
using vexa::VexaMidWellMode;
using vexa::VexaMidWellOverlay;
using vexa::VexaSmpEdAction;

namespace {

class ScreenModes : public ControllerTest {
protected:
    void SetUp() override
    {
        loadModule(ModBuilder()
                       .sample(1, {.name = "LOOPED",
                                   .lengthWords = 50,
                                   .volume = 40,
                                   .loopStartWords = 5,
                                   .loopLengthWords = 40})
                       .note(0, 0, 0, 428, 1)
                       .note(0, 4, 3, 214, 1)
                       .note(0, 63, 2, 428, 1));
    }
    void smpEd(VexaSmpEdAction action)
    {
        engine->performSmpEdAction(action);
        drain();
    }
};

} // namespace

TEST_F(ScreenModes, overlaysReplaceEachOther_andTheMidWellCyclesOnlyWithoutOne)
{
    EXPECT_EQ(vexa::midWellModeFromRaw(2), VexaMidWellMode::spectrum);
    EXPECT_EQ(vexa::midWellModeFromRaw(3), std::nullopt);
    EXPECT_EQ(vexa::midWellModeFromRaw(-1), std::nullopt);
    engine->toggleTranspose();
    engine->toggleDiskOp();
    EXPECT_EQ(engine->midWellOverlay(), VexaMidWellOverlay::diskOp);
    engine->cycleMidWell();
    EXPECT_EQ(engine->midWellMode(), VexaMidWellMode::splash);
    engine->toggleDiskOp();
    EXPECT_EQ(engine->midWellOverlay(), VexaMidWellOverlay::none);
    engine->toggleSmpEd();
    engine->toggleSmpEd();
    for (const auto mode :
         {VexaMidWellMode::quadrascope, VexaMidWellMode::spectrum, VexaMidWellMode::splash}) {
        engine->cycleMidWell();
        EXPECT_EQ(engine->midWellMode(), mode);
    }
}

TEST_F(ScreenModes, confirmations_askThenClear)
{
    engine->requestConfirm(VexaConfirmAction::clearPattern);
    ASSERT_TRUE(engine->confirm());
    EXPECT_EQ(engine->confirm()->title, "CLEAR");
    EXPECT_EQ(engine->confirm()->message, "Clear current pattern?");
    engine->answerConfirm(false);
    EXPECT_FALSE(engine->confirm());
    engine->performConfirm(); // nothing pending any more
    drain();
    EXPECT_EQ(engine->patternRows()[5].cells[0], "C-201000");
    EXPECT_EQ(engine->patternRows()[9].cells[3], "C-301000");

    engine->requestConfirm(VexaConfirmAction::clearPattern);
    engine->dismissConfirm(); // the screen closed it alone
    engine->performConfirm();
    drain();
    EXPECT_EQ(engine->patternRows()[5].cells[0], "---00000");
    EXPECT_EQ(engine->patternRows()[9].cells[3], "---00000"); // row 4
    engine->patternWellClick(63, std::nullopt, std::nullopt);
    drain();
    EXPECT_EQ(engine->patternRows()[5].cells[2], "---00000"); // the last row too

    engine->requestConfirm(VexaConfirmAction::clearSample);
    EXPECT_EQ(engine->confirm()->message, "Clear current sample?");
    engine->answerConfirm(true);
    drain();
    EXPECT_EQ(engine->sampleLength(), 0);
    EXPECT_EQ(engine->sampleName(), "");
    EXPECT_FALSE(engine->confirm());
}

TEST_F(ScreenModes, sampleEditorButtons)
{
    smpEd(VexaSmpEdAction::play); // the octave's first note, sounded, not written
    EXPECT_EQ(engine->patternRows()[5].cells[0], "C-201000");
    EXPECT_NE(audio->renderOnDeviceThread(256)[0], std::vector<float>(256, 0.0f));
    smpEd(VexaSmpEdAction::volUp);
    EXPECT_EQ(engine->sampleVolume(), 41);
    smpEd(VexaSmpEdAction::cutTail); // loop [10, 90) of 100 bytes
    EXPECT_EQ(engine->sampleLength(), 90);
    smpEd(VexaSmpEdAction::cutHead);
    EXPECT_EQ(engine->sampleLength(), 80);
    EXPECT_EQ(engine->sampleLoopStart(), 0);
    smpEd(VexaSmpEdAction::cutTail); // loop ends at the end now
    ASSERT_TRUE(engine->notice());
    EXPECT_EQ(engine->notice()->title, "SMP-ED");
    EXPECT_EQ(engine->notice()->message, "Click the waveform to set markers A then B (or use "
                                         "REPEAT/REPLEN), then trim.");
    engine->smpEdSetLoopMark(VXA_LOOP_MARKER_A, 20);
    engine->smpEdSetLoopMark(VXA_LOOP_MARKER_B, 60);
    drain();
    EXPECT_EQ(engine->sampleLoopStart(), 20);
    EXPECT_EQ(engine->sampleLoopLength(), 40);
    smpEd(VexaSmpEdAction::trim);
    EXPECT_EQ(engine->sampleLength(), 40);
    smpEd(VexaSmpEdAction::clear); // no confirmation
    EXPECT_EQ(engine->sampleLength(), 0);
    EXPECT_FALSE(engine->confirm());
}
