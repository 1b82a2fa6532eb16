// Confirmations before destructive edits, the middle well's display and panels, and
// the sample editor's commands and buttons.
#include "keyboard_map.h"
#include "player_engine.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr const char *kTrimHint =
    "Click the waveform to set markers A then B (or use REPEAT/REPLEN), then trim.";

VexaConfirm confirmFor(VexaConfirmAction action)
{
    const char *message = action == VexaConfirmAction::clearPattern ? "Clear current pattern?"
                                                                    : "Clear current sample?";
    return {Uuid::random(), "CLEAR", message, action};
}

// The edit the sample editor's cut button `op` makes.
EditKind trimKind(vxa_trim_op op)
{
    return op == VXA_TRIM_CUT_HEAD   ? EditKind::cutSampleHead
           : op == VXA_TRIM_CUT_TAIL ? EditKind::cutSampleTail
                                     : EditKind::trimSample;
}

} // namespace

void PlayerEngine::requestConfirm(VexaConfirmAction action)
{
    pendingConfirmAction_ = action;
    confirm.set(confirmFor(action));
}

void PlayerEngine::answerConfirm(bool yes)
{
    if (yes) {
        performConfirm();
        return;
    }
    pendingConfirmAction_.reset();
    confirm.set(std::nullopt);
}

void PlayerEngine::performConfirm()
{
    std::optional<VexaConfirmAction> action = pendingConfirmAction_;
    if (!action && confirm.get())
        action = confirm.get()->action;
    pendingConfirmAction_.reset();
    confirm.set(std::nullopt);
    if (action == VexaConfirmAction::clearPattern)
        clearCurrentPattern();
    else if (action == VexaConfirmAction::clearSample)
        smpEdClearSample();
}

void PlayerEngine::toggleOverlay(VexaMidWellOverlay overlay)
{
    midWellOverlay.set(midWellOverlay.get() == overlay ? VexaMidWellOverlay::none : overlay);
}

void PlayerEngine::toggleDiskOp()
{
    toggleOverlay(VexaMidWellOverlay::diskOp);
}

void PlayerEngine::toggleTranspose()
{
    toggleOverlay(VexaMidWellOverlay::transpose);
}

void PlayerEngine::toggleSmpEd()
{
    toggleOverlay(VexaMidWellOverlay::smpEd);
}

void PlayerEngine::cycleMidWell()
{
    if (midWellOverlay.get() != VexaMidWellOverlay::none)
        return;
    const auto next = (static_cast<size_t>(midWellMode.get()) + 1) % allMidWellModes.size();
    midWellMode.set(allMidWellModes[next]);
}

void PlayerEngine::smpEdClearSample()
{
    const auto slot = static_cast<uint32_t>(currentSampleSlot_);
    command([this, slot](vxa_mod *mod) {
        pendingEdit_.note(EditKind::clearSample, UndoSnapshot::slot(mod, slot, true));
        vxa_mod_clear_sample(mod, slot);
        return true;
    });
}

void PlayerEngine::smpEdTrimOp(vxa_trim_op op)
{
    const auto slot = static_cast<int32_t>(currentSampleSlot_);
    bool failed = false;
    command(
        [this, op, slot, &failed](vxa_mod *mod) {
            pendingEdit_.note(trimKind(op),
                              UndoSnapshot::slot(mod, static_cast<uint32_t>(slot), true));
            failed = vxa_mod_trim_sample(mod, slot, op) != 0;
            return !failed;
        },
        {.needsModule = true, .startTimer = false});
    if (failed)
        postNotice("SMP-ED", kTrimHint);
}

void PlayerEngine::smpEdSetLoopMark(vxa_loop_marker which, uint32_t offset)
{
    const auto slot = static_cast<uint32_t>(currentSampleSlot_);
    command([this, slot, which, offset](vxa_mod *mod) {
        pendingEdit_.note(which == VXA_LOOP_MARKER_B ? EditKind::loopMarkerB
                                                     : EditKind::loopMarkerA,
                          UndoSnapshot::slot(mod, slot, false));
        vxa_mod_set_loop_mark(mod, slot, which, offset);
        return true;
    });
}

void PlayerEngine::performSmpEdAction(VexaSmpEdAction action)
{
    switch (action) {
    case VexaSmpEdAction::play:
        writeNoteAtCursor(std::min<int64_t>(octave.get() * kSemitonesPerOctave + 1, kHighestNote),
                          false);
        break;
    case VexaSmpEdAction::volDown:
        stepSampleVolume(-1);
        break;
    case VexaSmpEdAction::volUp:
        stepSampleVolume(1);
        break;
    case VexaSmpEdAction::save:
        saveSampleVersioned();
        break;
    case VexaSmpEdAction::cutHead:
        smpEdTrimOp(VXA_TRIM_CUT_HEAD);
        break;
    case VexaSmpEdAction::cutTail:
        smpEdTrimOp(VXA_TRIM_CUT_TAIL);
        break;
    case VexaSmpEdAction::trim:
        smpEdTrimOp(VXA_TRIM_TO_LOOP);
        break;
    case VexaSmpEdAction::clear:
        smpEdClearSample();
        break;
    }
}

} // namespace vexa
