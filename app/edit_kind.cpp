#include "edit_kind.h"

#include <array>

namespace vexa {

namespace {

struct EditKindInfo {
    EditKind kind;
    const char *name;
    bool merges;
};

constexpr std::array<EditKindInfo, kEditKindCount> kEditKinds = {{
    EditKindInfo{EditKind::noteEntry, "Note Entry", true},
    EditKindInfo{EditKind::sampleNumberEntry, "Sample Number Entry", true},
    EditKindInfo{EditKind::effectEntry, "Effect Entry", true},
    EditKindInfo{EditKind::parameterEntry, "Parameter Entry", true},
    EditKindInfo{EditKind::clearNote, "Clear Note", false},
    EditKindInfo{EditKind::clearSampleNumber, "Clear Sample Number", false},
    EditKindInfo{EditKind::clearEffect, "Clear Effect", false},
    EditKindInfo{EditKind::clearParameter, "Clear Parameter", false},
    EditKindInfo{EditKind::transposeTrack, "Transpose Track", false},
    EditKindInfo{EditKind::transposePattern, "Transpose Pattern", false},
    EditKindInfo{EditKind::clearPattern, "Clear Pattern", false},
    EditKindInfo{EditKind::clearSample, "Clear Sample", false},
    EditKindInfo{EditKind::cutSampleHead, "Cut Sample Head", false},
    EditKindInfo{EditKind::cutSampleTail, "Cut Sample Tail", false},
    EditKindInfo{EditKind::trimSample, "Trim Sample", false},
    EditKindInfo{EditKind::loopStart, "Loop Start", true},
    EditKindInfo{EditKind::loopLength, "Loop Length", true},
    EditKindInfo{EditKind::loopMarkerA, "Loop Marker A", false},
    EditKindInfo{EditKind::loopMarkerB, "Loop Marker B", false},
    EditKindInfo{EditKind::sampleVolume, "Sample Volume", true},
    EditKindInfo{EditKind::songLength, "Song Length", true},
    EditKindInfo{EditKind::restartPosition, "Restart Position", true},
    EditKindInfo{EditKind::positionPattern, "Position Pattern", true},
    EditKindInfo{EditKind::loadSample, "Load Sample", false},
    EditKindInfo{EditKind::titleStamp, "Title Stamp", true},
}};

constexpr bool listedInOrder()
{
    for (size_t i = 0; i < kEditKinds.size(); ++i)
        if (static_cast<size_t>(kEditKinds[i].kind) != i)
            return false;
    return true;
}
static_assert(listedInOrder(), "one entry per edit kind, in the enum's order");

const EditKindInfo &infoOf(EditKind kind)
{
    return kEditKinds[static_cast<size_t>(kind)];
}

std::string label(const char *verb, std::optional<EditKind> kind)
{
    return kind ? std::string(verb) + " " + editName(*kind) : std::string(verb);
}

} // namespace

const char *editName(EditKind kind)
{
    return infoOf(kind).name;
}

bool editsMerge(EditKind kind)
{
    return infoOf(kind).merges;
}

std::string undoItemText(std::optional<EditKind> kind)
{
    return label("Undo", kind);
}

std::string redoItemText(std::optional<EditKind> kind)
{
    return label("Redo", kind);
}

} // namespace vexa
