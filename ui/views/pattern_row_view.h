// One row of the pattern well, in a 632-wide box of its own height: the row number, then
// the four channel cells. The playhead row is taller, drawn in black with drop shadows on
// a raised grey shade, and carries the red edit cursor; the other rows are blue.
#pragma once

#include "pattern_row_display.h"

#include <QColor>
#include <QPainter>
#include <QStringView>

struct VexaPatternRowView {
    vexa::PatternRowDisplay row{};
    qreal height = 0;      // the box's height; its width is the well's 632
    qreal rowNumW = 0;     // width of the row-number column (38)
    qreal col0 = 0;        // left edge of channel 1 (54)
    qreal colW = 0;        // width of one channel column (144.5)
    int scaleY = 2;        // vertical font scale: 4 on the playhead row, else 2
    int64_t editCh = 0;    // the cursor's channel, drawn on the playhead row only
    int64_t cursorPos = 0; // the cursor's field 0..5; anything else is 5

    // Paints the row with its box's top-left corner at `topLeft`. The row number is "%02X"
    // for rows 0..63 and blank otherwise; a cell shows its text padded with "-" and cut to
    // 8 characters ("---00000" for a missing cell).
    void paint(QPainter &painter, QPointF topLeft) const;

    // The parts of paint(), each with the same box corner. The cell's 8 characters sit on
    // a 16-point pitch from its text start; the cursor is three red frames 1 point wide,
    // the outer one 22 wide, around the field's character at text position (tx, ty).
    void playheadShade(QPainter &painter, QPointF topLeft) const;
    void patternCell(QPainter &painter, QPointF cellTopLeft, QStringView text, const QColor &ink,
                     bool showCursor) const;
    void redCursor(QPainter &painter, QPointF cellTopLeft, qreal tx, qreal ty) const;
};
