// Reads the song source. Unindented lines open a block; indented lines continue it:
//
//   title "text"                      the module title, at most 20 characters
//   channels <c1> <c2> <c3> <c4>      names of the four channels, left, left, right, right
//   instrument <slot> <id> drum|wave  synthesis parameters (see instrument_text.h)
//   alias <word> <cell>               a short word for a cell (see cell_text.h)
//   phrase <name> [<instrument>]      rows of cells, one word per row
//   pattern <name>                    lines "<channel> <phrase>[*n]...",
//                                     "<channel> echo <channel> <rows> <volume>" and
//                                     "fx <channel> <row> <effect>"
//   order <pattern>...                the song positions
//   restart <position>                where the song goes on after its last position
//
// Instruments and aliases come before the phrases that use them, phrases before the
// patterns. A pattern shorter than 64 rows must break or jump on its last row.
#pragma once

#include "song_model.h"

#include <string>

namespace vexatron::demo {

// The song, or a SongError naming the line at fault.
Song parseSong(const std::string &text);

} // namespace vexatron::demo
