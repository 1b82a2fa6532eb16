// Cells written as words, one row each:
//
//   .          an empty row
//   A-2        a note with the phrase's instrument; C#2 is a sharp; octaves 1..3
//   A-2@bass   a note with a named instrument; A-2@- a note without one, which keeps the
//              channel's instrument and volume
//   =          the last note of the phrase again, effect included
//   K          an alias, defined in the song as a word of this kind
//   X:4A2      any of these with an effect command and parameter in three hex digits,
//              which replaces the effect the note, ditto or alias had
//   X*4        any of these repeated on that many rows
#pragma once

#include "song_model.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vexatron::demo {

struct CellContext {
    const std::map<std::string, std::string> *aliases = nullptr;
    const std::map<std::string, int> *instrumentSlots = nullptr; // by instrument id
    int phraseSample = 0;         // slot of the phrase's instrument, 0 for none
    std::optional<Cell> lastNote; // what '=' repeats
};

// Appends the rows of one word to `track`.
void appendCells(const std::string &word, CellContext &context, int line, Track &track);

// 1..36 for "C-1".."B-3", nothing for any other text.
std::optional<uint8_t> noteNumber(std::string_view text);

// Effect command and parameter from three hex digits, as in "C20".
Cell effectCell(std::string_view text, int line);

} // namespace vexatron::demo
