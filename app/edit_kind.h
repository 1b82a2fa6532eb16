// The kinds of edit the undo history keeps, each with the name the Edit menu shows
// ("Undo Note Entry") and whether repeats of it merge into one step.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vexa {

enum class EditKind {
    noteEntry,
    sampleNumberEntry,
    effectEntry,
    parameterEntry,
    clearNote,
    clearSampleNumber,
    clearEffect,
    clearParameter,
    transposeTrack,
    transposePattern,
    clearPattern,
    clearSample,
    cutSampleHead,
    cutSampleTail,
    trimSample,
    loopStart,
    loopLength,
    loopMarkerA,
    loopMarkerB,
    sampleVolume,
    songLength,
    restartPosition,
    positionPattern,
    loadSample,
    titleStamp,
};
inline constexpr size_t kEditKindCount = static_cast<size_t>(EditKind::titleStamp) + 1;

// The edit's name for the user, in title case.
const char *editName(EditKind kind);

// True for edits made a digit or an arrow click at a time (typed entries, the steppers),
// where one step should take back a whole run of them on one place, and for the title
// stamp, which a save makes again for each name it tries.
bool editsMerge(EditKind kind);

// The Edit menu's items: "Undo" or "Redo", followed by the edit's name when there is one.
std::string undoItemText(std::optional<EditKind> kind);
std::string redoItemText(std::optional<EditKind> kind);

} // namespace vexa
