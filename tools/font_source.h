// The font's text source: for each of the 64 glyphs in code order a header line with the
// decimal code and the character in single quotes (65 'A'), then its eight rows from the
// top, each eight characters of '#' (ink) and '.' (no ink), column 0 first. Column 7 must
// stay empty so that neighbouring characters never overlap. Blank lines and lines
// starting with "//" are ignored.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

// A source that breaks the format; the message starts with "line N: ".
class FontSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of the font file: glyph g row r at byte 8 x g + r, bit 7 for column 0.
std::vector<uint8_t> compileFontSource(std::string_view source);
