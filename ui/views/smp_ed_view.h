// The sample editor panel of the middle well: a summary line of the current sample, its
// waveform with the loop markers A (loop start) and B (loop end), and two rows of four
// buttons. A press or drag in the waveform moves a loop marker.
#pragma once

#include "screen_modes.h"
#include "toolkit/hit_map.h"

#include <QPainter>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// What the panel shows, built by the screen from the published sample values.
struct VexaSmpEdModel {
    int64_t sample = 0;          // current sample number 1..31
    int64_t length = 0;          // bytes
    int64_t volume = 0;          // 0..64
    int64_t loopStart = 0;       // bytes
    int64_t loopLength = 0;      // bytes
    std::vector<uint8_t> wave{}; // display waveform, unsigned, 0x80 the zero line
    int64_t markNext = 0;        // the marker the next free click sets: 0 = A, 1 = B
};

struct VexaSmpEdView {
    qreal width = 0; // the panel, 415 x 107 in the middle well
    qreal height = 0;
    VexaSmpEdModel model{};
    bool interactive = false; // false: buttons and waveform look the same but do nothing
    std::function<void(vexa::VexaSmpEdAction)> onAction{};
    std::function<void(int which, uint32_t offset)> onWaveMark{}; // which: 0 = A, 1 = B
    std::function<void(int which)> onMarkNextChange{};

    // "SMP:01 LEN:1234 A:0000 B:1234 VOL:40", with "A:---- B:----" when the sample is
    // shorter than 4 bytes or the loop shorter than 3.
    QString titleText() const;

    // The waveform box (with its 2-point border) and the buttons, relative to the panel:
    // in the 415 x 107 well the box is 407 x 39 at (4, 20), the buttons 100 wide (the last
    // of a row 101) and 20 high, in rows at y 62 and 84.
    QRectF waveBox() const;
    qreal buttonWidth() const;
    qreal lastButtonWidth() const;
    qreal rowY(int row) const; // row 0 or 1

    // Paints the face, the summary (at 1 x 2, so that the whole line fits the panel), the
    // waveform and markers (the one the next click sets in white, the other in yellow),
    // and the buttons.
    void paint(QPainter &painter, QPointF topLeft) const;
    // The eight buttons and the waveform box, which takes presses and drags.
    void addHits(HitMap &hits, QPointF topLeft) const;

    // A press (dragWhich 0) or a drag at x in a waveform area `width` wide. A press within
    // 4 points left or 5 right of a marker grabs it (A first) and makes it the next
    // marker; any other press sets the next marker and makes the other one next. A drag
    // moves the marker grabbed or set by its press. Samples shorter than 4 bytes ignore it.
    void waveDragChanged(qreal x, qreal width, int &dragWhich) const;

    // Between a waveform column and a sample offset, for a sample `len` bytes long in an
    // area `width` wide, in integer steps. xToOff never returns an odd offset nor one past
    // the length; a position outside the area counts as its nearest column.
    static qreal offToX(int64_t off, qreal width, int64_t len);
    static uint32_t xToOff(qreal x, qreal width, int64_t len);
};
