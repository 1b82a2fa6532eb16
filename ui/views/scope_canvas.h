// A trace of unsigned 8-bit points (0x80 the zero line, 0xFF at the top, 0x00 at the
// bottom) stretched over a box: the quadrascope's channels and the sample editor's
// waveform.
#pragma once

#include <QPainter>
#include <QRectF>

#include <cstdint>
#include <vector>

struct ScopeCanvas {
    std::vector<uint8_t> samples{};

    // Fills the box black, then draws a 1-point yellow polyline with one point per whole
    // column x of the box, at sample floor(x x count / columns), value s at
    // (height - 1) x (255 - s) / 255 down. Fewer than 2 samples, or a box 1 point wide or
    // high or less, show black only.
    void paint(QPainter &painter, const QRectF &box) const;
};
