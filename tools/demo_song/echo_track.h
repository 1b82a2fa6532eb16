// A channel that echoes another: the same notes and effects some rows later, at a
// fraction of the volume. Notes with a free effect column (or a set-volume) carry
// their instrument and the scaled volume; notes with another effect keep the echo's
// volume and only name their instrument when it changes. Speed, break and jump
// commands stay with the original, so the echo never moves the song.
#pragma once

#include "song_model.h"

#include <array>

namespace vexatron::demo {

using SlotVolumes = std::array<int, kSlots + 1>; // default volume by slot number

// `volume` 0..64 scales the original's volume.
Track echoTrack(const Track &source, int delayRows, int volume, const SlotVolumes &slotVolumes);

} // namespace vexatron::demo
