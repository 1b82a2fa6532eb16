// Vexatron's splash picture, drawn from the program's own font and palette: the name in
// large pixel letters lit from above, a line under it, on a night sky with stars over a
// blue grid running to the horizon. Integer geometry and a fixed star sequence: the same
// font gives the same picture, point for point.
#pragma once

#include "toolkit/glyph_table.h"

#include <QImage>

// The middle well's display box (the 415 x 107 well less its 1-point border), so that
// the picture shows there point for point.
inline constexpr int splashWidth = 413;
inline constexpr int splashHeight = 105;

QImage drawSplashPicture(const GlyphTable &font);
