// The middle band under the top panel: three rows of captions, values and boxes. The
// song row shows the keyboard's octave ("ADD:1") and the module's title, the sample row
// the current sample's name, the status row the current row, the state phrase and the
// play time. The buttons standing at the rows' right ends (HELP, <-CLR, LOAD) are the
// screen's.
#pragma once

#include "screen/screen_snapshot.h"

#include <QPainter>
#include <QString>

struct VexaMiddleBand {
    // Paints the band's face, its two separator lines and the three rows.
    static void paint(QPainter &painter, const VexaPaintedValues &values);

    // The text upper-cased, then cut or padded with spaces to exactly `count` characters.
    static QString fitted(const std::string &text, int count);
};
