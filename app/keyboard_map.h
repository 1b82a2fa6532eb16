// The two-row piano keyboard and hexadecimal digit entry.
#pragma once

#include "app_tables.h"

#include <optional>

namespace vexa {

// The note 1..36 a piano key plays in `octave` (0..2), or none.
std::optional<int> keyToNote(char character, int octave);

// The value 0..15 of a hex digit "0".."9", "A".."F" (upper case), or none.
std::optional<int> keyToHex(char character);

} // namespace vexa
