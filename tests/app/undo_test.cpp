// Undo and redo through the controller's commands: every kind of edit taken back and done
// again, compared with the whole module as saved; runs of entries merging into one step;
// random edits (some changing nothing, some refused), undos and redos against a model
// that keeps a full copy of every state; the history's bounds.
#include "controller_fixture.h"
#include "engine_handle.h"
#include "undo_history.h"

#include <functional>
#include <random>

using namespace vxtest;

namespace {

// What the user can see of the module: the saved file, the current slot's settings (the
// sample count and a pending loop start are not in the file) and the title shown.
struct ModuleState {
    std::vector<uint8_t> file;
    int64_t length, volume, loopStart, loopLength;
    std::string sampleName, title;

    bool operator==(const ModuleState &) const = default;
};

void PrintTo(const ModuleState &s, std::ostream *out)
{
    *out << "file of " << s.file.size() << " bytes, sample " << s.sampleName << " " << s.length
         << " bytes, volume " << s.volume << ", loop " << s.loopStart << "+" << s.loopLength
         << ", title " << s.title;
}

// Sample 1 has 200 bytes with the loop [10, 90); the song plays patterns 0, 1, 0. A 15-sample
// module, so that loading into slot 20 raises the sample count.
ModBuilder undoModule()
{
    return ModBuilder(15)
        .title("UNDO")
        .sample(1, {.name = "ONE",
                    .lengthWords = 100,
                    .volume = 40,
                    .loopStartWords = 5,
                    .loopLengthWords = 40})
        .sample(2, {.name = "TWO", .lengthWords = 50})
        .song(3, 0, {0, 1, 0})
        .note(0, 0, 1, 428, 1, 0x0C, 0x20)
        .note(0, 5, 1, 428, 2)
        .note(0, 9, 3, 214, 1);
}

class UndoRedo : public ControllerTest {
protected:
    void SetUp() override { loadModule(undoModule()); }

    ModuleState state()
    {
        engine->saveModuleAs(work.path() / "state.mod");
        drain();
        return {readFile(work.file("state.mod")),
                engine->sampleLength(),
                engine->sampleVolume(),
                engine->sampleLoopStart(),
                engine->sampleLoopLength(),
                engine->sampleName(),
                engine->title()};
    }
    void run(const std::function<void()> &command)
    {
        command();
        drain();
    }
    // A command that is not an edit (a mute switched on and off), so the next edit does
    // not merge with the last.
    void separateSteps()
    {
        run([&] { engine->toggleMute(3); });
        run([&] { engine->toggleMute(3); });
    }
    // Edit mode with the cursor on a field of a cell of the current pattern.
    void editAt(int64_t row, int64_t channel, int64_t field)
    {
        if (!engine->editMode())
            engine->toggleEditMode();
        run([&] { engine->patternWellClick(row, channel, field); });
    }
};

struct EditCase {
    const char *name;
    std::function<void()> setUp;
    std::function<void(vexa::PlayerEngine &)> edit;
};

} // namespace

TEST_F(UndoRedo, everyKindOfEdit_isTakenBackAndDoneAgainWhole)
{
    const auto at = [this](int64_t row, int64_t channel, int64_t field) {
        return [=, this] { editAt(row, channel, field); };
    };
    const auto none = [] {};
    const std::string sampleFile = work.write("kick.raw", std::vector<uint8_t>(300, 0x70));
    const EditCase cases[] = {
        {"Note Entry", at(3, 0, 0), [](auto &e) { e.writeNoteAtCursor(13, true); }},
        {"Sample Number Entry", at(0, 1, 2), [](auto &e) { e.writeHexAtCursor(5); }},
        {"Effect Entry", at(0, 1, 3), [](auto &e) { e.writeHexAtCursor(0xA); }},
        {"Parameter Entry", at(0, 1, 4), [](auto &e) { e.writeHexAtCursor(3); }},
        {"Clear Note", at(0, 1, 0), [](auto &e) { e.clearAtCursor(); }},
        {"Clear Parameter", at(0, 1, 5), [](auto &e) { e.clearAtCursor(); }},
        {"Transpose Track", at(0, 1, 0), [](auto &e) { e.transpose(true, 12); }},
        {"Transpose Pattern", at(0, 1, 0), [](auto &e) { e.transpose(false, -1); }},
        {"Clear Pattern", none, [](auto &e) { e.clearCurrentPattern(); }},
        {"Clear Sample", none, [](auto &e) { e.smpEdClearSample(); }},
        {"Cut Sample Head", none, [](auto &e) { e.smpEdTrimOp(VXA_TRIM_CUT_HEAD); }},
        {"Cut Sample Tail", none, [](auto &e) { e.smpEdTrimOp(VXA_TRIM_CUT_TAIL); }},
        {"Trim Sample", none, [](auto &e) { e.smpEdTrimOp(VXA_TRIM_TO_LOOP); }},
        {"Loop Start", none, [](auto &e) { e.stepLoopStart(2); }},
        {"Loop Length", none, [](auto &e) { e.stepLoopLength(-2); }},
        {"Loop Marker A", none, [](auto &e) { e.smpEdSetLoopMark(VXA_LOOP_MARKER_A, 40); }},
        {"Loop Marker B", none, [](auto &e) { e.smpEdSetLoopMark(VXA_LOOP_MARKER_B, 50); }},
        {"Sample Volume", none, [](auto &e) { e.stepSampleVolume(-5); }},
        {"Song Length", none, [](auto &e) { e.stepLength(3); }},
        {"Restart Position", none, [](auto &e) { e.stepRestart(1); }},
        {"Position Pattern", none, [](auto &e) { e.stepPattern(1); }},
        {"Load Sample", [this] { run([&] { engine->stepSample(19); }); },
         [&](auto &e) { e.loadSample(sampleFile); }},
        {"Title Stamp", none, [](auto &e) { e.saveModuleVersioned(); }},
    };
    for (const EditCase &c : cases) {
        SCOPED_TRACE(c.name);
        rebuild();
        loadModule(undoModule());
        c.setUp();
        const ModuleState before = state();
        run([&] { c.edit(*engine); });
        const ModuleState after = state();
        EXPECT_NE(after, before);
        EXPECT_EQ(engine->undoLabel(), std::string("Undo ") + c.name);
        EXPECT_EQ(engine->redoLabel(), "Redo");
        run([&] { engine->undo(); });
        EXPECT_EQ(state(), before);
        EXPECT_FALSE(engine->canUndo());
        EXPECT_EQ(engine->redoLabel(), std::string("Redo ") + c.name);
        run([&] { engine->redo(); });
        EXPECT_EQ(state(), after);
        EXPECT_TRUE(engine->canUndo());
        EXPECT_FALSE(engine->canRedo());
    }
}

TEST_F(UndoRedo, entriesInARowOnOnePlace_mergeIntoOneStep_untilSomethingElseHappens)
{
    const ModuleState original = state();
    editAt(0, 1, 4);
    run([&] { engine->writeHexAtCursor(7); }); // the parameter's two digits, one cell
    run([&] { engine->writeHexAtCursor(1); });
    run([&] { engine->stepSampleVolume(-1); });
    separateSteps();
    const ModuleState afterFirstClick = state();
    run([&] { engine->stepSampleVolume(-1); });
    run([&] { engine->stepSampleVolume(-1); });
    run([&] { engine->undo(); });
    EXPECT_EQ(state(), afterFirstClick);
    run([&] { engine->undo(); });
    run([&] { engine->undo(); });
    EXPECT_EQ(state(), original);
    EXPECT_FALSE(engine->canUndo());
}

TEST_F(UndoRedo, versionedSavesInARow_areAStepEach)
{
    run([&] { engine->saveModuleVersioned(); });
    run([&] { engine->saveModuleVersioned(); });
    run([&] { engine->undo(); });
    EXPECT_EQ(engine->title(), "UNDO(VXv1)");
    run([&] { engine->undo(); });
    EXPECT_EQ(engine->title(), "UNDO");
}

TEST_F(UndoRedo, loadingAModule_forgetsEveryStep)
{
    run([&] { engine->stepLength(1); });
    run([&] { engine->stepRestart(1); });
    run([&] { engine->undo(); });
    loadModule(undoModule());
    EXPECT_FALSE(engine->canUndo() || engine->canRedo());
    EXPECT_EQ(engine->undoLabel(), "Undo");
    EXPECT_EQ(engine->redoLabel(), "Redo");
}

TEST_F(UndoRedo, randomEditsUndosAndRedos_followAModelOfFullCopies)
{
    std::mt19937 random(20240611);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random); };
    const std::vector<std::function<void()>> edits = {
        [&] {
            editAt(pick(0, 63), pick(0, 3), 0);
            engine->writeNoteAtCursor(pick(1, 36), true);
        },
        [&] {
            editAt(pick(0, 63), pick(0, 3), pick(1, 5));
            engine->writeHexAtCursor(pick(0, 15));
        },
        [&] {
            editAt(pick(0, 12), pick(0, 3), pick(0, 5));
            engine->clearAtCursor();
        },
        [&] {
            editAt(pick(0, 12), pick(0, 3), 0);
            engine->transpose(pick(0, 1) == 1, pick(-13, 13));
        },
        [&] { engine->stepLoopStart(pick(-20, 20)); },
        [&] { engine->stepLoopLength(pick(-20, 20)); },
        [&] { engine->stepSampleVolume(pick(-30, 30)); },
        [&] {
            engine->smpEdSetLoopMark(static_cast<vxa_loop_marker>(pick(0, 1)),
                                     static_cast<uint32_t>(pick(0, 220)));
        },
        [&] { engine->smpEdTrimOp(static_cast<vxa_trim_op>(pick(0, 2))); },
        [&] { engine->smpEdClearSample(); },
        [&] { engine->stepLength(pick(-3, 3)); },
        [&] { engine->stepRestart(pick(-3, 3)); },
        [&] { engine->stepPattern(pick(-2, 2)); },
        [&] { engine->stepOrder(pick(-2, 2)); },
    };
    std::vector<ModuleState> model = {state()};
    size_t present = 0;
    for (int op = 0; op < 400; ++op) {
        const int choice = pick(0, 5);
        if (choice == 0) {
            run([&] { engine->undo(); });
            present -= present > 0 ? 1 : 0;
        } else if (choice == 1) {
            run([&] { engine->redo(); });
            present += present + 1 < model.size() ? 1 : 0;
        } else {
            run(edits[static_cast<size_t>(pick(0, static_cast<int>(edits.size()) - 1))]);
            separateSteps();
            ModuleState now = state();
            if (now != model[present]) {
                model.resize(++present);
                model.push_back(std::move(now));
            }
        }
        ASSERT_EQ(state(), model[present]) << "after operation " << op;
        ASSERT_EQ(engine->canUndo(), present > 0);
        ASSERT_EQ(engine->canRedo(), present + 1 < model.size());
    }
}

TEST(UndoHistory, keepsAtMostItsStepsAndBytes_droppingTheOldestFirst)
{
    TempDir dir;
    ModHandle mod = createMod();
    ModBuilder builder;
    for (int slot = 1; slot <= 4; ++slot)
        builder.sample(slot, {.lengthWords = 500}); // 1000 bytes each
    ASSERT_EQ(vxa_mod_load(mod.get(), dir.write("m.mod", builder.build()).c_str()), 0);
    const auto clearSlot = [&](vexa::UndoHistory &history, uint32_t slot) {
        history.record(
            {vexa::EditKind::clearSample, *vexa::UndoSnapshot::slot(mod.get(), slot, true)});
        vxa_mod_clear_sample(mod.get(), slot);
    };
    const auto undoAll = [&](vexa::UndoHistory &history) {
        int undone = 0;
        while (history.undo(mod.get()))
            ++undone;
        return undone;
    };

    vexa::UndoHistory bytesBound({10, 2500});
    for (uint32_t slot = 1; slot <= 4; ++slot)
        clearSlot(bytesBound, slot);
    EXPECT_EQ(bytesBound.storedBytes(), 2000u);
    EXPECT_EQ(undoAll(bytesBound), 2);
    vxa_sample_info info{};
    EXPECT_EQ(vxa_mod_get_sample_info(mod.get(), 2, &info), 0);
    EXPECT_EQ(info.length, 0u); // the oldest clear can no longer be taken back
    EXPECT_EQ(vxa_mod_get_sample_info(mod.get(), 3, &info), 0);
    EXPECT_EQ(info.length, 1000u);

    vexa::UndoHistory stepsBound({3, 1 << 20});
    for (int i = 0; i < 5; ++i)
        stepsBound.record({vexa::EditKind::clearNote, vexa::UndoSnapshot::cell({0, 0, 0}, {})});
    EXPECT_EQ(undoAll(stepsBound), 3);
}
