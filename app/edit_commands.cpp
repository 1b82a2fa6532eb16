// Pattern editing from the keyboard: the key dispatcher, edit mode, the cursor, note
// and hex entry, clearing, muting, transposing, the step commands and pattern-well
// clicks. Every command changes the engine under the lock and then republishes.
#include "key_codes.h"
#include "keyboard_map.h"
#include "player_engine.h"

#include <algorithm>
#include <cctype>

namespace vexa {

namespace {

constexpr int64_t kNoteField = 0;

int64_t wrap(int64_t value, int64_t n)
{
    const int64_t r = value % n;
    return r < 0 ? r + n : r;
}

// The cell `value` makes of `cell` on hex field 1..5.
vxa_cell withHexDigit(vxa_cell cell, int64_t field, int value)
{
    switch (field) {
    case 1:
        cell.sample = static_cast<uint8_t>(value * kHexBase + (cell.sample & 0x0F));
        break;
    case 2:
        cell.sample = static_cast<uint8_t>((cell.sample & 0xF0) + value);
        break;
    case 3:
        cell.effect = static_cast<uint8_t>(value);
        break;
    case 4:
        cell.param = static_cast<uint8_t>(value * kHexBase + (cell.param & 0x0F));
        break;
    default:
        cell.param = static_cast<uint8_t>((cell.param & 0xF0) + value);
        break;
    }
    // Any hex edit also repairs an out-of-range sample number.
    if (cell.sample > kSlotCount)
        cell.sample = kSlotCount;
    return cell;
}

// The edit a digit typed on hex field 1..5 makes.
EditKind entryKind(int64_t field)
{
    return field <= 2   ? EditKind::sampleNumberEntry
           : field == 3 ? EditKind::effectEntry
                        : EditKind::parameterEntry;
}

// The edit clearing field 0..5 makes.
EditKind clearKind(int64_t field)
{
    return field == kNoteField ? EditKind::clearNote
           : field <= 2        ? EditKind::clearSampleNumber
           : field == 3        ? EditKind::clearEffect
                               : EditKind::clearParameter;
}

vxa_cell clearedField(vxa_cell cell, int64_t field)
{
    if (field == kNoteField) {
        cell.note = 0;
        cell.sample = 0;
    } else if (field <= 2) {
        cell.sample = 0;
    } else if (field == 3) {
        cell.effect = 0;
    } else {
        cell.param = 0;
    }
    return cell;
}

// The cell under the edit cursor: the engine's current pattern and row, in `channel`.
struct CursorCell {
    vxa_status status{};
    int32_t pattern = 0;
    uint32_t row = 0;
    uint32_t channel = 0;
    std::optional<vxa_cell> cell; // none when the engine cannot read it

    CellPlace place() const { return {pattern, row, channel}; }
    // Writes `value` as an edit of `kind`, noted for the history first.
    void write(vxa_mod *mod, PendingEdit &edit, EditKind kind, const vxa_cell &value) const
    {
        edit.note(kind, UndoSnapshot::cell(place(), *cell));
        vxa_mod_set_cell(mod, pattern, row, channel, &value);
    }
};

CursorCell cursorCell(vxa_mod *mod, int64_t channel)
{
    CursorCell at;
    vxa_mod_get_status(mod, &at.status);
    at.pattern = static_cast<int32_t>(at.status.pattern);
    at.row = static_cast<uint32_t>(at.status.row);
    at.channel = static_cast<uint32_t>(channel);
    vxa_cell cell{};
    if (vxa_mod_get_cell(mod, at.pattern, at.row, at.channel, &cell) == 0)
        at.cell = cell;
    return at;
}

// The work of an edit of `kind` of the cell under the cursor in `channel`, then one row
// down when `advanceRow`; it ends the command when there is no cell to edit.
EngineWork editCursorCell(PendingEdit &edit, EditKind kind, int64_t channel,
                          std::function<vxa_cell(vxa_cell)> change, bool advanceRow)
{
    return [&edit, kind, channel, change = std::move(change), advanceRow](vxa_mod *mod) {
        const CursorCell at = cursorCell(mod, channel);
        if (!at.cell)
            return false;
        at.write(mod, edit, kind, change(*at.cell));
        if (advanceRow)
            vxa_mod_step_row(mod, 1);
        return true;
    };
}

// The work of a step command: one engine call with the delta.
EngineWork stepBy(void (*step)(vxa_mod *, int32_t), int64_t delta)
{
    return [step, delta](vxa_mod *mod) {
        step(mod, static_cast<int32_t>(delta));
        return true;
    };
}

// The same for the calls that step the song's order header, as an edit of `kind`.
EngineWork stepSongBy(PendingEdit &edit, EditKind kind, void (*step)(vxa_mod *, int32_t),
                      int64_t delta)
{
    return [&edit, kind, step, delta](vxa_mod *mod) {
        edit.note(kind, UndoSnapshot::songOrder(mod));
        step(mod, static_cast<int32_t>(delta));
        return true;
    };
}

// The same for the calls that step a setting of one sample slot.
EngineWork stepSlotBy(PendingEdit &edit, EditKind kind, void (*step)(vxa_mod *, uint32_t, int32_t),
                      int64_t slot, int64_t delta)
{
    return [&edit, kind, step, slot, delta](vxa_mod *mod) {
        const auto at = static_cast<uint32_t>(slot);
        edit.note(kind, UndoSnapshot::slot(mod, at, false));
        step(mod, at, static_cast<int32_t>(delta));
        return true;
    };
}

} // namespace

bool PlayerEngine::handleEditNavigationKey(uint16_t keyCode,
                                           const std::optional<std::string> &characters, bool shift,
                                           bool command)
{
    switch (keyCode) {
    case keys::tab:
        moveEditChannel(shift ? -1 : 1);
        return true;
    case keys::space:
        if (command)
            return false;
        if (isPlaying.get())
            stop();
        else if (editMode.get() && shift)
            clearAtCursor();
        else
            toggleEditMode();
        return true;
    case keys::deleteBackward:
    case keys::deleteForward:
        clearAtCursor();
        return true;
    case keys::escape:
        leaveEditing();
        return true;
    case keys::f2:
        octave.set(std::min<int64_t>(octave.get() + 1, kMaxOctave));
        return true;
    case keys::f1:
        octave.set(std::max<int64_t>(octave.get() - 1, 0));
        return true;
    case keys::left:
        moveCursor(-1);
        return true;
    case keys::right:
        moveCursor(1);
        return true;
    case keys::down:
        if (!isPlaying.get())
            stepRow(1);
        return true;
    case keys::up:
        if (!isPlaying.get())
            stepRow(-1);
        return true;
    default:
        return handleCharacterKey(characters, shift, command);
    }
}

bool PlayerEngine::handleCharacterKey(const std::optional<std::string> &characters, bool shift,
                                      bool command)
{
    if (command || !characters || characters->empty())
        return false;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>((*characters)[0])));
    if (c >= '1' && c <= '4') {
        // Channel keys never reach hex or piano entry.
        const int64_t channel = c - '1';
        if (shift) {
            editCh.set(channel);
            cursorPos.set(0);
        } else {
            toggleMute(channel);
        }
        return true;
    }
    if (editMode.get() && cursorPos.get() >= 1) {
        if (const auto value = keyToHex(c)) {
            writeHexAtCursor(*value);
            return true;
        }
    }
    if (c == 'H' && !editMode.get())
        return false;
    const auto note = keyToNote(c, static_cast<int>(octave.get()));
    if (!note)
        return false;
    const bool onNoteField = editMode.get() && cursorPos.get() == kNoteField;
    writeNoteAtCursor(*note, onNoteField || isRecording.get());
    return true;
}

void PlayerEngine::setEditPhrase()
{
    if (command({}, {.needsModule = true, .publishNow = true, .startTimer = false}))
        return;
    // Without a module there is nothing to refresh: only the phrase follows edit mode,
    // until the next display tick shows the idle phrase again.
    statusPhraseCached_ = editMode.get() ? "EDITING" : kAllRightPhrase;
    publishStatus();
}

void PlayerEngine::leaveEditing()
{
    if (isPlaying.get())
        stop();
    if (!editMode.get())
        return;
    editMode.set(false);
    setEditPhrase();
}

void PlayerEngine::toggleEditMode()
{
    if (isPlaying.get())
        stop();
    editMode.set(!editMode.get());
    setEditPhrase();
}

void PlayerEngine::moveCursor(int64_t delta)
{
    const int64_t p =
        wrap(editCh.get() * kFieldsPerChannel + cursorPos.get() + delta, kCursorPositions);
    editCh.set(p / kFieldsPerChannel);
    cursorPos.set(p % kFieldsPerChannel);
}

void PlayerEngine::moveEditChannel(int64_t delta)
{
    editCh.set(wrap(editCh.get() + delta, kChannelCount));
    cursorPos.set(0);
}

void PlayerEngine::toggleMute(int64_t channel)
{
    if (channel < 0 || channel >= kChannelCount)
        return;
    command([channel](vxa_mod *mod) {
        vxa_mod_toggle_mute(mod, static_cast<uint32_t>(channel));
        return true;
    });
}

void PlayerEngine::writeNoteAtCursor(int64_t note, bool alsoWrite)
{
    if (note < 1 || note > kHighestNote)
        return;
    command(
        [this, note, alsoWrite](vxa_mod *mod) {
            const CursorCell at = cursorCell(mod, editCh.get());
            vxa_mod_trigger(mod, at.channel, static_cast<uint32_t>(note),
                            static_cast<uint32_t>(currentSampleSlot_ & 255));
            if (alsoWrite || (at.status.recording && at.status.playing)) {
                if (at.cell) {
                    vxa_cell cell = *at.cell;
                    cell.note = static_cast<uint8_t>(note);
                    cell.sample = static_cast<uint8_t>(currentSampleSlot_);
                    at.write(mod, pendingEdit_, EditKind::noteEntry, cell);
                }
                if (!at.status.playing)
                    vxa_mod_step_row(mod, 1);
            }
            return true;
        },
        {.needsModule = true,
         // A live note without sound is still written; the next one retries the output.
         .afterUnlock = [this] {
             startAudio();
             return true;
         }});
}

void PlayerEngine::writeHexAtCursor(int64_t value)
{
    const int64_t field = cursorPos.get();
    if (!editMode.get() || value < 0 || value >= kHexBase || field < 1)
        return;
    command(editCursorCell(
                pendingEdit_, entryKind(field), editCh.get(),
                [field, value](vxa_cell cell) {
                    return withHexDigit(cell, field, static_cast<int>(value));
                },
                false),
            {.needsModule = true, .beforePublish = [](PlayerEngine &self) { self.moveCursor(1); }});
}

void PlayerEngine::clearAtCursor()
{
    if (!editMode.get() || isPlaying.get())
        return;
    const int64_t field = cursorPos.get();
    command(editCursorCell(
                pendingEdit_, clearKind(field), editCh.get(),
                [field](vxa_cell cell) { return clearedField(cell, field); }, true),
            {.needsModule = true});
}

void PlayerEngine::stepRow(int64_t delta)
{
    command(stepBy(vxa_mod_step_row, delta));
}

void PlayerEngine::stepOrder(int64_t delta)
{
    command(stepBy(vxa_mod_step_order, delta));
}

void PlayerEngine::stepPattern(int64_t delta)
{
    command(stepSongBy(pendingEdit_, EditKind::positionPattern, vxa_mod_step_pattern, delta));
}

void PlayerEngine::stepLength(int64_t delta)
{
    command(stepSongBy(pendingEdit_, EditKind::songLength, vxa_mod_step_length, delta));
}

void PlayerEngine::stepRestart(int64_t delta)
{
    command(stepSongBy(pendingEdit_, EditKind::restartPosition, vxa_mod_step_restart, delta));
}

void PlayerEngine::stepSample(int64_t delta)
{
    currentSampleSlot_ = std::clamp<int64_t>(currentSampleSlot_ + delta, 1, kSlotCount);
    command({});
}

void PlayerEngine::stepLoopStart(int64_t delta)
{
    command(stepSlotBy(pendingEdit_, EditKind::loopStart, vxa_mod_step_loop_start,
                       currentSampleSlot_, delta));
}

void PlayerEngine::stepLoopLength(int64_t delta)
{
    command(stepSlotBy(pendingEdit_, EditKind::loopLength, vxa_mod_step_loop_length,
                       currentSampleSlot_, delta));
}

void PlayerEngine::stepSampleVolume(int64_t delta)
{
    command(stepSlotBy(pendingEdit_, EditKind::sampleVolume, vxa_mod_set_sample_volume,
                       currentSampleSlot_, delta));
}

void PlayerEngine::transpose(bool trackOnly, int64_t semitones)
{
    if (semitones == 0)
        return;
    bool noNote = false;
    command(
        [this, trackOnly, semitones, &noNote](vxa_mod *mod) {
            const CursorCell at = cursorCell(mod, editCh.get());
            noNote = !at.cell || at.cell->note < 1 || at.cell->note > kHighestNote;
            if (noNote)
                return false;
            pendingEdit_.note(trackOnly ? EditKind::transposeTrack : EditKind::transposePattern,
                              UndoSnapshot::pattern(mod, at.pattern));
            vxa_mod_transpose(mod, at.pattern, trackOnly ? static_cast<int32_t>(at.channel) : -1,
                              static_cast<int32_t>(semitones), at.cell->note);
            return true;
        },
        {.needsModule = true});
    if (noNote)
        postNotice("TRANSPOSE", "No note under cursor.");
}

void PlayerEngine::patternWellClick(int64_t row, std::optional<int64_t> channel,
                                    std::optional<int64_t> field)
{
    if (channel && field) {
        editCh.set(std::clamp<int64_t>(*channel, 0, kChannelCount - 1));
        cursorPos.set(std::clamp<int64_t>(*field, 0, kFieldsPerChannel - 1));
    }
    if (row < 0 || row >= kPatternRowCount)
        return;
    command(
        [row](vxa_mod *mod) {
            if (vxa_mod_is_playing(mod))
                return false;
            vxa_mod_set_row(mod, static_cast<int32_t>(row));
            return true;
        },
        {.needsModule = true, .startTimer = false});
}

void PlayerEngine::clearCurrentPattern()
{
    command(
        [this](vxa_mod *mod) {
            vxa_status status{};
            vxa_mod_get_status(mod, &status);
            const auto pattern = static_cast<int32_t>(status.pattern);
            pendingEdit_.note(EditKind::clearPattern, UndoSnapshot::pattern(mod, pattern));
            const vxa_cell empty{};
            for (uint32_t row = 0; row < kPatternRowCount; ++row)
                for (uint32_t channel = 0; channel < kChannelCount; ++channel)
                    vxa_mod_set_cell(mod, pattern, row, channel, &empty);
            return true;
        },
        {.needsModule = true, .startTimer = false});
}

} // namespace vexa
