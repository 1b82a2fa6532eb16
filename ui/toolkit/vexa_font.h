// The screen's bitmap font: the shared glyph table and drawing text as one filled square
// per ink pixel. The font file is found by whoever creates the screen (the shell's
// resource lookup), read with loadGlyphs and installed once, before anything is painted.
#pragma once

#include "toolkit/glyph_table.h"

#include <QColor>
#include <QStringList>
#include <QStringView>

class QPainter;

namespace VexaFont {

// Horizontal distance between character cells, in font pixels. A glyph row has 8 bits,
// so ink in column 7 overlaps column 0 of the next cell.
inline constexpr int advance = 7;

// Reads the first candidate that can be read whole and holds at least fontFileBytes;
// bytes past those are ignored. With no such candidate every glyph is blank. In every
// case the underscore's bottom row is cleared so that it never reaches the cell below.
GlyphTable loadGlyphs(const QStringList &candidates);

// The table every text is drawn with by default: blank glyphs (invisible text) until a
// table is installed.
const GlyphTable &glyphs();
void installGlyphs(const GlyphTable &table);

// The number of characters (Unicode scalar values) in a text.
int characterCount(QStringView text);

// The first `count` characters of a text, or the whole text when it is shorter.
QStringView leadingCharacters(QStringView text, int count);

// Paints `text` with its top-left corner at (x, y). Lower-case ASCII letters use their
// upper-case glyphs; anything outside codes 32..95 draws as a space. Scales below 1 are
// taken as 1. Never smoothed, whatever the painter's hints. Allocates nothing.
void draw(QPainter &painter, QStringView text, qreal x, qreal y, const QColor &color, int scaleX,
          int scaleY, const GlyphTable &table = glyphs());

} // namespace VexaFont
