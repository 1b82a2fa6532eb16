// The 8 x 8 bitmap font as it is stored in the font file and held in memory: 64 glyphs
// for the ASCII codes 32 (space) to 95 (underscore), 8 bytes each, one byte per row from
// the top; bit 7 (0x80) is the leftmost column. Free of Qt so that the font tool shares it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr int glyphCount = 64;
inline constexpr int glyphRows = 8;
inline constexpr int glyphColumns = 8;
inline constexpr char32_t firstGlyphCode = 32;
inline constexpr int underscoreGlyph = 63;
inline constexpr std::size_t fontFileBytes = glyphCount * glyphRows;

using Glyph = std::array<uint8_t, glyphRows>;
using GlyphTable = std::array<Glyph, glyphCount>;

// The bit of a glyph row that holds column 0..7.
constexpr uint8_t glyphColumnBit(int column)
{
    return static_cast<uint8_t>(0x80u >> column);
}
