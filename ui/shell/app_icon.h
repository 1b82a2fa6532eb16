// Vexatron's icon, drawn with the screen's own toolkit and font: a raised grey tile with
// a sunken black well showing a yellow scope trace, over the letters "VX". It is drawn on
// a small grid (VexaShell::iconGridPixels) and scaled by a whole number without
// smoothing, so it stays pixel art at every size.
#pragma once

#include "toolkit/glyph_table.h"

#include <QIcon>
#include <QImage>

namespace VexaAppIcon {

// The icon at `scale` grid squares per pixel side: iconGridPixels x scale pixels square.
QImage picture(const GlyphTable &font, int scale);

// Every size of VexaShell::iconScales, for the window.
QIcon icon(const GlyphTable &font);

} // namespace VexaAppIcon
