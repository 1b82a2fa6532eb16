// The left parameter panel: nine rows, each a name, the value as four hexadecimal digits
// in a box, and an arrow pair that steps it; song position, pattern, song length and
// restart above the separator, the current sample's number, volume, length, loop start
// and loop length below it. The sample's length is shown but cannot be stepped: its
// arrows are drawn and take clicks that do nothing.
#pragma once

#include "screen/screen_snapshot.h"
#include "toolkit/hit_map.h"

#include <QPainter>

struct VexaParameterPanel {
    // Paints the rows, the separator and the arrow pairs.
    static void paint(QPainter &painter, const VexaPaintedValues &values);
    // The eighteen arrow buttons, stepping the values through the controller.
    static void addHits(HitMap &hits, vexa::PlayerEngine &player);
};
