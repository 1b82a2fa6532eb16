// An instrument block of the song source: a header line
//
//   instrument <slot 1..31> <id> drum|wave
//
// followed by indented "key values" lines. Both kinds take name "text", volume 0..64,
// note (the note whose sample rate the times refer to) and peak (percent of full
// scale). Drums take length, tone <start Hz> <end Hz>, sweep, tone_decay, tone_level,
// noise <level> <half-life> and band <low Hz> <high Hz>; waves take cycle, shape
// sine|saw|square|triangle|pulse [width], bright <start> <end>, attack, decay,
// sustain, head and chorus <cycles> <level>. Times are milliseconds, levels percent.
#pragma once

#include "song_model.h"
#include "source_lines.h"

#include <string>
#include <vector>

namespace vexatron::demo {

Instrument parseInstrument(const SourceLine &header, const std::vector<SourceLine> &body);

// A whole decimal number, or a SongError.
int parseNumber(const std::string &word, int line);

} // namespace vexatron::demo
