// The pattern well: the sunken black well at the bottom of the screen, with eleven rows of
// the current pattern around the playhead (the playhead row taller, on a raised grey
// bar), four VU tubes rising behind the upper rows, and grooves between the columns. It
// takes no clicks: the screen maps clicks to rows and fields with the same layout().
#pragma once

#include "pattern_row_display.h"
#include "ui_tables.h"

#include <QPainter>

#include <cstdint>
#include <vector>

struct VexaPatternWell {
    // Where the rows of a well from patY to patY + patH go, in canvas points. Heights stay
    // fractional: nothing is cut to whole points. The x values are local to the rows,
    // whose left edge is canvas x 4.
    struct Layout {
        qreal y0 = 0;     // top of the first (topmost) row
        qreal midH = 0;   // height of the playhead row, 36..40
        qreal prowH = 0;  // height of every other row, 16 or more unless the well is small
        qreal vuMaxH = 0; // height of the VU area, whose bottom is playheadTop
        qreal rowNumW = VexaPatternMetrics::rowNumW;
        qreal mellansteg = VexaPatternMetrics::mellansteg;
        qreal col0 = VexaPatternMetrics::col0; // left edge of channel 1
        qreal colW = VexaPatternMetrics::colW; // width of one channel column
        qreal totalH = 0;                      // 10 x prowH + midH
        qreal playheadTop = 0;                 // top of the playhead row
        qreal wellTop = 0; // patY + 3: the rows' area and the click area start here
        qreal wellBot = 0; // patY + patH - 3
        int patScY = VexaPatternMetrics::patScY; // vertical font scale of the playhead row
    };

    // The playhead row is 40 high when the well allows (38 at least, down to 36 when it
    // is short), the others share the rest but are at least 16 high; the rows are centred
    // in the well, or start at its top when they overflow it. The screen's well (271,
    // 207) gives midH 40, prowH 16.1, y0 274, playheadTop 354.5 and vuMaxH 80.5.
    static Layout layout(qreal patY, qreal patH);

    std::vector<vexa::PatternRowDisplay> rows{}; // top to bottom; the playhead row is the sixth
    std::vector<int64_t> levels{};               // VU level 0..64 per channel; a missing one is 0
    qreal patY = 0;                              // top of the well on the canvas (271)
    qreal patH = 0;                              // height of the well (207)
    int64_t editCh = 0;                          // channel of the edit cursor, 0..3
    int64_t cursorPos = 0;                       // field of the edit cursor, 0..5

    // Paints the whole well, canvas x 2..638 and y patY..patY + patH, back to front: the
    // sunken bevel, the black inside (x 4..636), the VU tubes (their bottom on the
    // playhead row's top, one per channel column), the rows from y0 down, the grooves.
    void paint(QPainter &painter) const;
};
